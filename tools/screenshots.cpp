// Plays the game offscreen or under a display and saves pictures of its windows:
//   tamsa_screenshots OUTPUT_DIR
// It drives the real board as a player would (see tests/harness.h) and grabs each window
// at a moment worth showing.
#include "../tests/harness.h"

#include "napoveda_f.h"
#include "o_programu_f.h"
#include "prubeh_f.h"
#include "stych_f.h"

#include <QDir>
#include <QFile>
#include <QScreen>

#include <cstdio>

#include <functional>

namespace {
QString OutDir;
bool FullScreen = false;  // grab the whole screen (window frames included) instead of windows

void Save(QWidget *w, const QString &name)
{
    QPixmap pix;
    if (FullScreen && w->screen())
        pix = w->screen()->grabWindow(0);
    else
        pix = w->grab();
    pix.save(QDir(OutDir).filePath(name + QStringLiteral(".png")));
}

int CardsOnTable()
{
    int n = 0;
    for (TCard c : TrickCards) n += c < NoCard;
    return n;
}

int CardsOnGrid()
{
    int n = 0;
    for (bool b : PlayedCards) n += b;
    return n;
}

bool HumanAsked()
{
    return ContractRunning() && !QApplication::activeModalWidget() && TimerElapsed && !HumanMoved;
}

// Plays a command with a scripted human, and saves the window that `ready` returns the first
// time it returns one; the human holds still while the state is worth a picture.
void ShootWhen(unsigned seed, const std::function<QWidget *()> &ready, const QString &name,
               const std::function<void()> &prepare, const std::function<void()> &play)
{
    ScriptedHuman human(seed);
    human.timer.stop();
    bool done = false;
    QTimer tick;
    tick.setInterval(0);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (!done)
            if (QWidget *w = ready()) {
                if (prepare) prepare();
                QTest::qWait(30);
                Save(w, name);
                done = true;
                return;
            }
        human.Tick();
    });
    tick.start();
    play();
}
}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    OutDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    FullScreen = argc > 2 && QByteArray(argv[2]) == "--screen";
    QDir().mkpath(OutDir);
    StartProgram();
    SeedRandom(2026);
    Form1->SetClientSize(800, 600);
    QTest::qWait(50);

    Save(Form1, QStringLiteral("board-start"));

    // A trick in progress, with the human's turn coming and one card lifted.
    ShootWhen(
        11, [] { return HumanAsked() && CardsOnTable() >= 2 && Players[0]->CardCount <= 6 ? Form1 : nullptr; },
        QStringLiteral("board-trick"),
        [] {
            for (int i = 7; i >= 0; --i)
                if (HandImages[i]->isEnabled()) {
                    QTest::mouseClick(HandImages[i], Qt::LeftButton);
                    break;
                }
        },
        [] { Form1->Cerveny1->trigger(); });

    // Kvarty: a run of cards on the table row, during its pause.
    ShootWhen(
        5, [] { return ContractRunning() && !TimerElapsed && CardsOnTable() >= 3 ? Form1 : nullptr; },
        QStringLiteral("board-kvarty"), nullptr, [] {
            for (int i = 0; i < 10 && !QFile::exists(QDir(OutDir).filePath("board-kvarty.png")); ++i)
                Form1->Kvarty1->trigger();
        });

    // Desítky: the grid half laid out.
    ShootWhen(
        3, [] { return HumanAsked() && CardsOnGrid() >= 12 ? Form1 : nullptr; }, QStringLiteral("board-desitky"),
        nullptr, [] {
            for (int i = 0; i < 10 && !QFile::exists(QDir(OutDir).filePath("board-desitky.png")); ++i)
                Form1->Desitky1->trigger();
        });

    // The last trick's window, opened at a request of the human.
    ShootWhen(
        13,
        []() -> QWidget * {
            if (!HumanAsked() || LastTrick.leader < 0 || Players[0]->CardCount > 5) return nullptr;
            ShowLastTrickWindow();
            return Stych_form;
        },
        QStringLiteral("last-trick"), nullptr, [] { Form1->Vsechny1->trigger(); });
    Stych_form->close();

    // The standings window after a training contract.
    ShootWhen(
        9,
        [] {
            QWidget *m = QApplication::activeModalWidget();
            return m && m->windowTitle().startsWith(QStringLiteral("Stav po hře")) ? m : nullptr;
        },
        QStringLiteral("standings"), nullptr, [] { Form1->Filky1->trigger(); });

    // The Maturita chooser during a whole match, then the match's score sheet.
    ShootWhen(
        21, []() -> QWidget * { return QApplication::activeModalWidget() == Maturita_form ? Maturita_form : nullptr; },
        QStringLiteral("chooser"), nullptr, [] { Form1->Start1->trigger(); });
    QTest::qWait(50);
    Save(Zapis_form, QStringLiteral("sheet"));
    Zapis_form->close();
    ShowMatchChart();
    QTest::qWait(100);
    Save(Prubeh_form, QStringLiteral("chart"));
    std::printf("%s\n", qPrintable(Prubeh_form->Graf->accessibleName()));  // the summary heard
    Prubeh_form->close();

    // Settings and the two information windows.
    QTimer::singleShot(50, [] {
        Save(nastaveni_form, QStringLiteral("settings"));
        nastaveni_form->close();
    });
    Form1->Nastaveni1->trigger();
    Form1->OhreTamsa1->trigger();
    Form1->Oprogramu1->trigger();
    QTest::qWait(50);
    Save(napoveda_form, QStringLiteral("about-game"));
    Save(O_programu_form, QStringLiteral("about-program"));
    return 0;
}
