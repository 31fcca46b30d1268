// The five trick contracts played through the board, from the training menu to the standings.
#include "harness.h"

namespace {

// The scripted human, watching every trick: who leads it, who wins it, what it scores, what
// the status panel says, and whether the contract ends where its penalty cards run out.
class TrickWatcher : public ScriptedHuman
{
public:
    explicit TrickWatcher(unsigned seed) : ScriptedHuman(seed)
    {
        onTick = [this] { return WatchHumanTurn(), false; };
        onPause = [this] { WatchPause(); };
    }

    int contract = 0;
    int leader = 0;             // who must lead the trick being played
    int tricks = 0;             // tricks seen at their pause
    int prompts = 0;
    QList<bool> outAtPause;     // the contract's penalty cards all played, trick by trick
    int expected[4] = {};       // points each seat should have taken so far
    int base[4] = {};

    void Begin(int c)
    {
        contract = c;
        leader = tricks = prompts = 0;
        for (int s = 0; s < 4; ++s)
            if (Players[s]->StartsRound) leader = s;
        outAtPause.clear();
        for (int s = 0; s < 4; ++s) {
            expected[s] = 0;
            base[s] = Players[s]->Score;
        }
    }

    bool PenaltyCardsOut() const
    {
        switch (contract) {
        case Cervene:
            for (int c = 0; c < 8; ++c)
                if (!PlayedCards[c]) return false;
            return true;
        case Filky: return PlayedCards[5] && PlayedCards[13] && PlayedCards[21] && PlayedCards[29];
        case CervenyKral: return PlayedCards[6];
        default: return false;
        }
    }

    void WatchHumanTurn()
    {
        if (!HumanAsked()) return;
        ++prompts;  // the panels and the enabled cards are the scripted human's checks
        if (PanelText(1) != ContractName(contract)) Fault(QStringLiteral("panel 1 reads ") + PanelText(1));
        if (SeatOnMove() != leader) Fault(QStringLiteral("lead not with seat %1").arg(leader));
        // The trick runs from the leader round to the human: seats leader..3 have laid.
        for (int s = 0; s < 4; ++s)
            if ((TrickCards[s] != NoCard) != (leader != 0 && s >= leader))
                Fault(QStringLiteral("leader %1, table slot %2 wrong for the human's turn").arg(leader).arg(s));
    }

    void WatchPause()
    {
        if (PlayedCount() == 4 * tricks) return;  // the same pause seen again
        if (PlayedCount() != 4 * (tricks + 1)) Fault(QStringLiteral("a pause was missed"));
        const int winner = SeatOnMove();
        if (winner < 0) return Fault(QStringLiteral("not one player on lead after a trick"));
        int best = leader;
        for (int s = 0; s < 4; ++s)
            if (Suit(TrickCards[s]) == Suit(TrickCards[leader]) && TrickCards[s] > TrickCards[best]) best = s;
        if (winner != best) Fault(QStringLiteral("trick went to seat %1, not %2").arg(winner).arg(best));
        int points = 0;
        for (TCard c : TrickCards) {
            if (contract == Cervene) points += c < 8;
            if (contract == Filky) points += Rank(c) == Filek ? 2 : 0;
            if (contract == CervenyKral) points += c == 6 ? 8 : 0;
        }
        if (contract == PrPo) points = tricks == 0 || tricks == 7 ? 4 : 0;
        if (contract == Vsechny) points = 1;
        expected[winner] += points;
        for (int s = 0; s < 4; ++s)
            if (Players[s]->Score - base[s] != expected[s]) Fault(QStringLiteral("seat %1 has the wrong score").arg(s));
        // The last card was asked of seat leader + 3.
        const QString prompt = (leader + 3) % 4 == 0 ? QStringLiteral("Vyneste kartu") : QStringLiteral("Čekejte");
        if (PanelText(0) != prompt) Fault(QStringLiteral("panel 0 reads %1 at the pause").arg(PanelText(0)));
        for (int s = 0; s < 4; ++s)
            if (TrickImages[s]->PictureName() != CardResourceName(TrickCards[s])) Fault(QStringLiteral("table image %1").arg(s));
        outAtPause << PenaltyCardsOut();
        ++tricks;
        leader = winner;
    }
};

}  // namespace

class TestStychy : public QObject
{
    Q_OBJECT

    // Plays one training contract and checks it from its first trick to the standings.
    static void PlayOne(TrickWatcher &w, int contract)
    {
        w.Begin(contract);
        const int shown = int(w.standingsCaptions.size());
        const QString what = ContractName(contract);
        QVERIFY2(TriggerReturns(PlayCommands()[1 + contract]), qPrintable(what + QStringLiteral(" did not end: ") + w.faults.join(QStringLiteral("; "))));
        QVERIFY2(w.faults.isEmpty(), qPrintable(what + QStringLiteral(": ") + w.faults.join(QStringLiteral("; "))));
        const int played = PlayedCount();
        QCOMPARE(played % 4, 0);
        QCOMPARE(w.tricks, played / 4);
        QCOMPARE(w.prompts, w.tricks);  // the human lays one card per trick
        int total = 0;
        for (int s = 0; s < 4; ++s) {
            QCOMPARE(Players[s]->Score - w.base[s], w.expected[s]);
            total += w.expected[s];
        }
        QCOMPARE(total, 8);
        if (contract == PrPo || contract == Vsechny) {
            QCOMPARE(played, 32);
        } else {
            // Stopped right after the trick in which the last penalty card fell.
            QVERIFY2(w.outAtPause.last(), qPrintable(what));
            QVERIFY2(!w.outAtPause.mid(0, w.outAtPause.size() - 1).contains(true), qPrintable(what));
        }
        // Back to idle, the lead with the round's starter, the human's cards left on show; the
        // standings (checked by the scripted human as shown) once.
        QCOMPARE(IdleFaults(), QStringList());
        for (int i = 0; i < 8; ++i) QCOMPARE(HandImages[i]->PictureName(), CardResourceName(Players[0]->Hand[i]));
        for (int s = 1; s < 4; ++s) QCOMPARE(Players[s]->CountLabel->text(), QString::number(Players[s]->CardCount));
        QCOMPARE(w.standingsCaptions.mid(shown), QStringList{QStringLiteral("Stav po hře ") + what});
        QVERIFY2(w.faults.isEmpty(), qPrintable(w.faults.join(QStringLiteral("; "))));
    }

private slots:
    void initTestCase()
    {
        StartProgram();
        PauseOverrideMs = 2;  // long enough for the watcher to see every pause
    }

    // Must come first: nothing has been played yet.
    void standingsBeforeAnything()
    {
        ScriptedHuman h;
        Form1->Stav1->trigger();
        QCOMPARE(h.standingsCaptions, QStringList{QStringLiteral("Stav po hře ")});
        QCOMPARE(h.standingsTexts.value(0), (QStringList{"Hráč", "Počítač1", "Počítač2", "Počítač3", "0", "0", "0", "0"}));
    }

    void everyContractToItsEnd()
    {
        TrickWatcher w(11);
        for (int level = Nizka; level <= Vysoka; ++level) {
            SetStrength(level);
            for (THrac *p : Players) QCOMPARE(int(p->GetLevel()), level);
            for (int round = 0; round < (level == Vysoka ? 8 : 40); ++round)
                for (int c = Cervene; c <= CervenyKral; ++c) {
                    PlayOne(w, c);
                    if (QTest::currentTestFailed()) return;
                }
        }
        SetStrength(0);
    }

    void trainingScoresAddUp()
    {
        TrickWatcher w(5);
        int start[4], first[4];
        for (int s = 0; s < 4; ++s) start[s] = Players[s]->Score;
        PlayOne(w, Vsechny);
        std::copy(w.expected, w.expected + 4, first);
        PlayOne(w, CervenyKral);
        QCOMPARE(w.standingsTexts.size(), 2);
        for (int s = 0; s < 4; ++s) {
            QCOMPARE(w.standingsTexts[0][4 + s].toInt(), start[s] + first[s]);
            QCOMPARE(w.standingsTexts[1][4 + s].toInt(), start[s] + first[s] + w.expected[s]);
        }
    }

    void standingsWindowsAreReleased()
    {
        ScriptedHuman h;
        const auto before = Form1->findChildren<QDialog *>().size();
        for (int i = 0; i < 200; ++i) Form1->Stav1->trigger();
        QCOMPARE(h.standingsCaptions.size(), 200);
        QCOMPARE(Form1->findChildren<QDialog *>().size(), before);
        QVERIFY2(h.faults.isEmpty(), qPrintable(h.faults.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(TestStychy)
#include "test_stychy.moc"
