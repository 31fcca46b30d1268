#pragma once
// Shared test support: the program started as main starts it, and a scripted human who
// plays through the real widgets while a contract runs.
#include "hra.h"
#include "maturita_f.h"
#include "nastaveni_f.h"
#include "plocha.h"
#include "zapis_f.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

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

inline bool ContractRunning() { return PanelText(1) != QLatin1String("Nehraje se"); }

inline bool BoardIdle()
{
    return PanelText(0) == QStringLiteral("Připraven") && PanelText(1) == QLatin1String("Nehraje se") &&
           Form1->Start1->isEnabled() && Form1->Maturita1->isEnabled() && Form1->Desitky1->isEnabled();
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
        if (modal != nastaveni_form) {
            standingsCaptions << modal->windowTitle();
            QStringList texts;
            for (QLabel *l : modal->findChildren<QLabel *>()) texts << l->text();
            standingsTexts << texts;
        }
        modal->close();
    }

    void Tick()
    {
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
        THrac &me = *Players[0];
        QList<int> enabled;
        for (int i = 0; i < 8; ++i) {
            if (HandImages[i]->isEnabled()) {
                enabled << i;
                if (me.Hand[i] >= NoCard) Fault(QStringLiteral("empty slot %1 enabled").arg(i));
                if (me.Weights[i] <= 0) Fault(QStringLiteral("slot %1 enabled with weight 0").arg(i));
            } else if (me.Weights[i] > 0) {
                Fault(QStringLiteral("slot %1 has weight but is disabled").arg(i));
            }
        }
        const bool nextEnabled = Form1->Next_but->isVisible() && Form1->Next_but->isEnabled();
        if (nextEnabled && !me.PlayedThisTurn) Fault(QStringLiteral("Další hráč enabled before a card"));
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
