#pragma once
// Shared test support: the program started as main starts it, and a scripted human who
// plays through the real widgets while a contract runs.
#include "hra.h"
#include "maturita_f.h"
#include "nastaveni_f.h"
#include "plocha.h"
#include "zapis_f.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <random>

// Creates the windows once per test process and makes the pauses instant.
inline void StartProgram()
{
    CreateWindows();
    PauseOverrideMs = 0;
    // Outside the wait for the human HumanMoved stays true, so the driver can tell the wait.
    HumanMoved = true;
    QTest::qWait(1);
}

inline int ScoreSum()
{
    int sum = 0;
    for (THrac *p : Players) sum += p->Score;
    return sum;
}

// The start of a match, then the training commands in contract order.
inline QList<QAction *> PlayCommands()
{
    return {Form1->Start1, Form1->Cerveny1, Form1->Filky1, Form1->PrPo1, Form1->Vsechny1,
            Form1->CervenyKral1, Form1->Kvarty1, Form1->Desitky1, Form1->Maturita1};
}

inline bool ContractRunning() { return PanelText(1) != QLatin1String("Nehraje se"); }

inline bool BoardIdle()
{
    return PanelText(0) == QStringLiteral("Připraven") && PanelText(1) == QLatin1String("Nehraje se") &&
           Form1->Start1->isEnabled() && Form1->Maturita1->isEnabled() && Form1->Desitky1->isEnabled();
}

inline int PlayedCount() { return int(std::count(PlayedCards, PlayedCards + 32, true)); }

// The colours a widget is painted in: the commonest is its background, the next its text.
inline std::pair<QColor, QColor> PaintedColours(QWidget *w, const QRect &part = QRect())
{
    const QImage img = w->grab(part.isNull() ? w->rect() : part).toImage();
    QHash<QRgb, int> count;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) ++count[img.pixel(x, y)];
    QList<QRgb> colours = count.keys();
    std::sort(colours.begin(), colours.end(), [&count](QRgb a, QRgb b) { return count[a] > count[b]; });
    return {QColor(colours.value(0)), QColor(colours.value(colours.size() > 1 ? 1 : 0))};
}

// How far two pictures of the same size lie apart: the mean difference of their channels.
inline double Distance(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

// The one seat on move, -1 when none or several are.
inline int SeatOnMove()
{
    int seat = -1, n = 0;
    for (int s = 0; s < 4; ++s)
        if (Players[s]->OnMove) seat = s, ++n;
    return n == 1 ? seat : -1;
}

inline void SetStrength(int level)
{
    for (QComboBox *c : {nastaveni_form->ComboBox0, nastaveni_form->ComboBox1, nastaveni_form->ComboBox2, nastaveni_form->ComboBox3})
        c->setCurrentIndex(level);
}

// Triggers a command and reports whether it returned within the limit; a hung contract is
// unwound through the program's own quit request (the rest of the run is lost then).
inline bool TriggerReturns(QAction *command, int ms = 20000)
{
    bool hung = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&hung] {
        hung = true;
        RequestQuit();
    });
    watchdog.start(ms);
    command->trigger();
    return !hung;
}

// What holds whenever no contract runs, as a list of what does not.
inline QStringList IdleFaults()
{
    QStringList f;
    if (!BoardIdle()) f << QStringLiteral("board not idle: \"%1\" / \"%2\"").arg(PanelText(0), PanelText(1));
    for (QAction *a : PlayCommands())
        if (!a->isEnabled()) f << a->objectName() + QStringLiteral(" disabled");
    for (THrac *p : Players)
        if (p->OnMove != p->StartsRound) f << QStringLiteral("seat %1 on move is not the starter").arg(p->Seat);
    for (int s = 0; s < 4; ++s)
        if (TrickCards[s] != NoCard || !TrickImages[s]->isVisibleTo(Form1) || TrickImages[s]->PictureName() != CardResourceName(NoCard))
            f << QStringLiteral("table slot %1 not empty and shown").arg(s);
    if (std::any_of(LayoutImages, LayoutImages + 32, [](TImage *im) { return im->isVisibleTo(Form1); })) f << QStringLiteral("layout grid shown");
    if (Form1->Next_but->isVisible()) f << QStringLiteral("\"Další hráč\" shown");
    for (TImage *im : HandImages)
        if (im->isEnabled()) f << im->objectName() + QStringLiteral(" enabled");
    return f;
}

// A seeded human who reacts whenever the program waits: it closes modal windows (picking a
// chooser position first), and double-clicks a random enabled hand image when its card is
// asked for. It records every breach of the rules it can see.
class ScriptedHuman : public QObject
{
public:
    explicit ScriptedHuman(unsigned seed = 1) : rng(seed)
    {
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [this] { Tick(); });
        timer.start();
    }

    std::mt19937 rng;
    QTimer timer;
    QStringList faults;             // rule breaches seen, empty when all is well
    QStringList standingsCaptions;  // captions of the standings windows closed
    QList<QStringList> standingsTexts;
    int humanMoves = 0;
    int nextPresses = 0;
    int choosersSeen = 0;
    QList<int> chooserItemCounts;
    bool pressNextSometimes = false;  // in Desítky, end some turns early
    bool clickBeforeDouble = true;
    std::function<int(int count)> chooserPick;  // chooser position to select, random if empty
    std::function<void()> onPause;              // runs at every pause of the engine
    std::function<bool()> onTick;               // runs first at every tick; true: the tick is done

    // The human is asked for a card: the program waits for him and nothing else.
    static bool HumanAsked() { return !QApplication::activeModalWidget() && ContractRunning() && TimerElapsed && !HumanMoved; }

    int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    void Fault(const QString &what)
    {
        if (faults.size() < 20) faults << what;
    }

    void CheckCardsConserved()
    {
        int seen[32] = {};
        for (THrac *p : Players)
            for (int i = 0; i < 8; ++i)
                if (p->Hand[i] < NoCard) ++seen[p->Hand[i]];
        for (int c = 0; c < 32; ++c)
            if (seen[c] + (PlayedCards[c] ? 1 : 0) != 1)
                Fault(QStringLiteral("card %1 held %2 times, played %3").arg(c).arg(seen[c]).arg(PlayedCards[c]));
        for (THrac *p : Players) {
            int n = 0;
            for (TCard c : p->Hand) n += c < NoCard;
            if (n != p->CardCount) Fault(QStringLiteral("seat %1 count %2 holds %3").arg(p->Seat).arg(p->CardCount).arg(n));
        }
    }

    void CheckTrick()
    {
        // At the pause after a trick the winner holds the lead; its card is the led suit's best.
        int winner = -1;
        for (int s = 0; s < 4; ++s)
            if (Players[s]->OnMove) winner = s;
        if (winner < 0) return Fault(QStringLiteral("nobody on lead after a trick"));
        const int led = Suit(TrickCards[winner]);
        for (int s = 0; s < 4; ++s) {
            const TCard c = TrickCards[s];
            if (c >= NoCard) return Fault(QStringLiteral("empty table slot at a pause"));
            if (Suit(c) == led && c > TrickCards[winner]) Fault(QStringLiteral("trick won by a lower card"));
            if (Suit(c) != led)
                for (TCard h : Players[s]->Hand)
                    if (h < NoCard && Suit(h) == led) Fault(QStringLiteral("seat %1 did not follow suit").arg(s));
        }
    }

    // A standings window: each seat's name above its score, in columns at least 50 apart that
    // neither touch nor leave the window.
    void CheckStandings(QWidget *window)
    {
        QList<QLabel *> labels = window->findChildren<QLabel *>();
        if (labels.size() != 8) return Fault(QStringLiteral("standings with %1 labels").arg(labels.size()));
        for (int s = 0; s < 4; ++s) {
            QLabel *name = labels[s], *score = labels[4 + s];
            if (name->text() != Players[s]->Name || score->text() != QString::number(Players[s]->Score))
                Fault(QStringLiteral("standings show \"%1 %2\" for seat %3").arg(name->text(), score->text()).arg(s));
            // Short names stand 50 apart as designed; a longer one pushes the next column on.
            const int right = qMax(name->x() + name->sizeHint().width(), score->x() + score->sizeHint().width());
            const int next = s < 3 ? labels[s + 1]->x() : window->width();
            if ((s == 0 && name->x() != 30) || name->y() != 10 || score->pos() != QPoint(name->x(), 30) ||
                next < qMax(name->x() + 50, right + 8) || (s < 3 && right + 12 < name->x() + 50 && next != name->x() + 50))
                Fault(QStringLiteral("standings column %1 at %2,%3").arg(s).arg(name->x()).arg(name->y()));
        }
    }

    void HandleModal(QWidget *modal)
    {
        if (modal == Maturita_form) {
            ++choosersSeen;
            TRadioGroup *list = Maturita_form->Vyber_hru;
            chooserItemCounts << list->Count();
            const int pos = chooserPick ? chooserPick(list->Count()) : Roll(list->Count());
            const auto buttons = list->Buttons();
            QTest::mouseClick(buttons[pos], Qt::LeftButton, {}, QPoint(6, buttons[pos]->height() / 2));
            if (list->ItemIndex() != pos) Fault(QStringLiteral("chooser click did not select"));
            if (Roll(2)) QTest::mouseClick(Maturita_form->Volba, Qt::LeftButton);
            else Maturita_form->close();
            return;
        }
        if (modal->windowTitle().startsWith(QStringLiteral("Stav po hře"))) CheckStandings(modal);
        if (modal != nastaveni_form) {
            standingsCaptions << modal->windowTitle();
            QStringList texts;
            for (QLabel *l : modal->findChildren<QLabel *>()) texts << l->text();
            standingsTexts << texts;
        }
        modal->close();
    }

    // What the board shows whenever the human is asked for a card.
    void CheckPrompt()
    {
        const THrac &me = *Players[0];
        if (PanelText(0) != QStringLiteral("Vyneste kartu")) Fault(QStringLiteral("the human is asked under \"%1\"").arg(PanelText(0)));
        for (int i = 0; i < 8; ++i) {
            const bool on = HandImages[i]->isEnabled();
            if (on != (me.Weights[i] > 0)) Fault(QStringLiteral("slot %1 enabled %2 with weight %3").arg(i).arg(on).arg(me.Weights[i]));
            if (on && me.Hand[i] >= NoCard) Fault(QStringLiteral("empty slot %1 enabled").arg(i));
        }
        QPushButton *next = Form1->Next_but;
        if (next->isVisible() != (PanelText(1) == ContractName(Desitky))) Fault(QStringLiteral("\"Další hráč\" shown %1 in %2").arg(next->isVisible()).arg(PanelText(1)));
        if (next->isVisible() && next->isEnabled() != me.PlayedThisTurn)
            Fault(QStringLiteral("\"Další hráč\" enabled %1 after %2 cards this turn").arg(next->isEnabled()).arg(me.PlayedThisTurn));
    }

    void Tick()
    {
        if (onTick && onTick()) return;
        if (QWidget *modal = QApplication::activeModalWidget()) {
            HandleModal(modal);
            return;
        }
        if (!ContractRunning()) return;
        if (!TimerElapsed) {  // a pause of the engine
            const QString mode = PanelText(1);
            if (mode != ContractName(Desitky)) CheckCardsConserved();
            if (mode != ContractName(Kvarty) && mode != ContractName(Desitky) && mode != ContractName(Maturita))
                CheckTrick();
            if (onPause) onPause();
            return;
        }
        if (HumanMoved) return;
        // The human is asked for a card.
        CheckCardsConserved();
        CheckPrompt();
        THrac &me = *Players[0];
        QList<int> enabled;
        for (int i = 0; i < 8; ++i)
            if (HandImages[i]->isEnabled()) enabled << i;
        const bool nextEnabled = Form1->Next_but->isVisible() && Form1->Next_but->isEnabled();
        if (nextEnabled && (enabled.isEmpty() || (pressNextSometimes && Roll(3) == 0))) {
            ++nextPresses;
            QTest::mouseClick(Form1->Next_but, Qt::LeftButton);
            return;
        }
        if (enabled.isEmpty()) {
            Fault(QStringLiteral("the human is asked for a card but none is enabled"));
            timer.stop();
            return;
        }
        // A disabled card must not react.
        for (int i = 0; i < 8; ++i)
            if (!HandImages[i]->isEnabled() && me.Hand[i] < NoCard) {
                QTest::mouseDClick(HandImages[i], Qt::LeftButton);
                if (HumanMoved) Fault(QStringLiteral("a disabled card was laid"));
                break;
            }
        const int slot = enabled[Roll(enabled.size())];
        if (clickBeforeDouble) QTest::mouseClick(HandImages[slot], Qt::LeftButton);
        QTest::mouseDClick(HandImages[slot], Qt::LeftButton);
        if (!HumanMoved) Fault(QStringLiteral("double click on an enabled card did nothing"));
        ++humanMoves;
    }
};
