// Plays the game offscreen or under a display and saves pictures of its windows:
//   tamsa_screenshots OUTPUT_DIR
// It drives the real board as a player would (see tests/harness.h) and grabs each window
// at a moment worth showing.
#include "../tests/harness.h"

#include "napoveda_f.h"
#include "o_programu_f.h"

#include <QDir>
#include <QScreen>

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
    {
        ScriptedHuman human(11);
        bool done = false;
        QTimer shot;
        shot.setInterval(0);
        QObject::connect(&shot, &QTimer::timeout, [&] {
            if (done || QApplication::activeModalWidget() || !ContractRunning() || !TimerElapsed || HumanMoved)
                return;
            if (CardsOnTable() < 2 || Players[0]->CardCount > 6) return;
            for (int i = 7; i >= 0; --i)
                if (HandImages[i]->isEnabled()) {
                    QTest::mouseClick(HandImages[i], Qt::LeftButton);
                    break;
                }
            QTest::qWait(30);
            Save(Form1, QStringLiteral("board-trick"));
            done = true;
        });
        // The shooter must see the state before the human answers.
        human.timer.stop();
        shot.start();
        QTimer again;
        again.setInterval(0);
        QObject::connect(&again, &QTimer::timeout, [&] {
            if (done || QApplication::activeModalWidget() || CardsOnTable() < 2 || Players[0]->CardCount > 6)
                human.Tick();
        });
        again.start();
        Form1->Cerveny1->trigger();
    }

    // Kvarty: a run of cards on the table row.
    {
        ScriptedHuman human(5);
        bool done = false;
        human.onPause = [&] {
            if (!done && CardsOnTable() >= 3) {
                Save(Form1, QStringLiteral("board-kvarty"));
                done = true;
            }
        };
        for (int i = 0; i < 10 && !done; ++i) Form1->Kvarty1->trigger();
    }

    // Desítky: the grid half laid out.
    {
        ScriptedHuman human(3);
        bool done = false;
        QTimer shot;
        shot.setInterval(0);
        QObject::connect(&shot, &QTimer::timeout, [&] {
            if (!done && ContractRunning() && !QApplication::activeModalWidget() && TimerElapsed && !HumanMoved &&
                CardsOnGrid() >= 12) {
                QTest::qWait(30);
                Save(Form1, QStringLiteral("board-desitky"));
                done = true;
            }
        });
        human.timer.stop();
        shot.start();
        QTimer again;
        again.setInterval(0);
        QObject::connect(&again, &QTimer::timeout, [&] {
            if (done || QApplication::activeModalWidget() || CardsOnGrid() < 12) human.Tick();
        });
        again.start();
        for (int i = 0; i < 10 && !done; ++i) Form1->Desitky1->trigger();
    }

    // The standings window after a training contract.
    {
        bool done = false;
        ScriptedHuman human(9);
        QTimer shot;
        shot.setInterval(0);
        QObject::connect(&shot, &QTimer::timeout, [&] {
            QWidget *m = QApplication::activeModalWidget();
            if (!done && m && m->windowTitle().startsWith(QStringLiteral("Stav po hře"))) {
                QTest::qWait(30);
                Save(m, QStringLiteral("standings"));
                done = true;
            }
        });
        human.timer.stop();
        shot.start();
        QTimer again;
        again.setInterval(0);
        QObject::connect(&again, &QTimer::timeout, [&] { if (done || !QApplication::activeModalWidget()) human.Tick(); });
        again.start();
        Form1->Filky1->trigger();
    }

    // The Maturita chooser, then a whole match and its score sheet.
    {
        ScriptedHuman human(21);
        bool done = false;
        QTimer shot;
        shot.setInterval(0);
        QObject::connect(&shot, &QTimer::timeout, [&] {
            if (!done && QApplication::activeModalWidget() == Maturita_form) {
                QTest::qWait(30);
                Save(Maturita_form, QStringLiteral("chooser"));
                done = true;
            }
        });
        human.timer.stop();
        shot.start();
        QTimer again;
        again.setInterval(0);
        QObject::connect(&again, &QTimer::timeout, [&] {
            if (done || QApplication::activeModalWidget() != Maturita_form) human.Tick();
        });
        again.start();
        Form1->Start1->trigger();
        QTest::qWait(50);
        Save(Zapis_form, QStringLiteral("sheet"));
    }

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
