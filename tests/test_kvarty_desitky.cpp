// Kvarty and Desítky on the board: set-up hands with a known course, then many random
// contracts from the training menu, each run and each turn checked as it happens.
#include "harness.h"

#include <QElapsedTimer>
#include <QLineEdit>

namespace {
const QColor Blue(0, 0, 255), Black(0, 0, 0);

// The colour a count label's digits are painted in.
QColor LabelColour(int seat) { return PaintedColours(Players[seat]->CountLabel).second; }

// Slots a Kvarty leader may lead from: a full hand only its cards below the filek, or failing
// those its lowest rank; any later hand every card.
QList<int> KvartyAdmissible(const TCard hand[8], int count)
{
    int bound = 8;
    if (count == 8) bound = qMax(5, 1 + Rank(*std::min_element(hand, hand + 8, [](TCard a, TCard b) { return Rank(a) < Rank(b); })));
    QList<int> offered;
    for (int i = 0; i < 8; ++i)
        if (hand[i] != NoCard && Rank(hand[i]) < bound) offered << i;
    return offered;
}

bool Layable(TCard c)
{
    if (c >= NoCard) return false;
    const int r = Rank(c);
    return r == R10 || (r > R10 && PlayedCards[c - 1]) || (r < R10 && PlayedCards[c + 1]);
}

// The scripted human, following every Kvarty run and every Desítky turn. A script, when set,
// says which card the human lays at each request (-1: press "Další hráč").
class Watcher : public ScriptedHuman
{
public:
    explicit Watcher(unsigned seed) : ScriptedHuman(seed)
    {
        onTick = [this] { return HumanTurn(); };
        onPause = [this] {
            if (PanelText(1) == ContractName(Kvarty)) KvartyPause();
            else if (PanelText(1) == ContractName(Desitky)) DesitkyPause();
        };
    }

    bool scripted = false;
    QList<int> script;
    std::function<void(int prompt)> onPrompt;
    int prompts = 0, normalPauses = 0, lastPlayed = -1;
    bool ended = false;
    int base[4] = {}, cardsLeft[4] = {};
    // Kvarty: the hands at the start of the run being played, the runs seen, their leaders.
    TCard hands[4][8] = {};
    int counts[4] = {};
    int leader = 0;
    QList<QList<TCard>> runs;
    QList<int> leaders;
    // Desítky: the seats that laid cards, turn by turn.
    QList<int> turns;

    void Begin()
    {
        prompts = normalPauses = 0;
        lastPlayed = -1;
        ended = false;
        runs.clear();
        leaders.clear();
        turns.clear();
        for (int s = 0; s < 4; ++s) {
            base[s] = Players[s]->Score;
            if (Players[s]->StartsRound) leader = s;
        }
        Snapshot();
    }

    void Snapshot()
    {
        for (int s = 0; s < 4; ++s) {
            std::copy(Players[s]->Hand, Players[s]->Hand + 8, hands[s]);
            counts[s] = Players[s]->CardCount;
        }
    }

    int HolderAtRunStart(TCard c, int &slot) const
    {
        for (int s = 0; s < 4; ++s)
            for (int i = 0; i < 8; ++i)
                if (hands[s][i] == c) {
                    slot = i;
                    return s;
                }
        return -1;
    }

    // Passes reconstructed from the turns: the seats skipped between two turns with cards.
    void Passes(int passes[4]) const
    {
        std::fill(passes, passes + 4, 0);
        int prev = 3;  // the first turn is seat 0's
        for (int e : turns) {
            for (int k = 1; k <= (e - prev + 3) % 4; ++k) ++passes[(prev + k) % 4];
            prev = e;
        }
    }

    bool HumanTurn()
    {
        if (!HumanAsked()) return false;
        ++prompts;
        CheckPrompt();
        THrac &me = *Players[0];
        QList<int> enabled, expected;
        for (int i = 0; i < 8; ++i)
            if (HandImages[i]->isEnabled()) enabled << i;
        if (PanelText(1) == ContractName(Kvarty)) {
            if (leader != 0) Fault(QStringLiteral("the human asked while seat %1 leads").arg(leader));
            Snapshot();
            expected = KvartyAdmissible(me.Hand, me.CardCount);
        } else {
            if (SeatOnMove() != 0) Fault(QStringLiteral("the human asked off turn"));
            if (!me.PlayedThisTurn) turns << 0;
            for (int i = 0; i < 8; ++i)
                if (Layable(me.Hand[i])) expected << i;
        }
        if (enabled != expected) Fault(QStringLiteral("wrong cards enabled for the human"));
        if (onPrompt) onPrompt(prompts);
        if (!scripted) return false;
        if (script.isEmpty()) {
            Fault(QStringLiteral("the human asked once more than expected"));
            return false;
        }
        const int action = script.takeFirst();
        if (action < 0) {
            ++nextPresses;
            QTest::mouseClick(Form1->Next_but, Qt::LeftButton);
        } else {
            const int slot = int(std::find(me.Hand, me.Hand + 8, TCard(action)) - me.Hand);
            if (slot == 8 || !HandImages[slot]->isEnabled()) {
                Fault(QStringLiteral("card %1 not offered").arg(action));
                return false;
            }
            QTest::mouseDClick(HandImages[slot], Qt::LeftButton);
            ++humanMoves;
        }
        return true;
    }

    void KvartyPause()
    {
        const int played = PlayedCount();
        if (played == lastPlayed) return;
        lastPlayed = played;
        if (ended) Fault(QStringLiteral("a run after a hand was empty"));
        QList<TCard> run;
        for (int k = 0; k < 4 && TrickCards[k] != NoCard; ++k) run << TrickCards[k];
        for (int k = 0; k < 4; ++k) {
            if (k >= run.size() && TrickCards[k] != NoCard) Fault(QStringLiteral("a gap in the run"));
            if (TrickImages[k]->PictureName() != CardResourceName(TrickCards[k])) Fault(QStringLiteral("run image %1").arg(k));
            if (TrickImages[k]->y() != TrickImages[0]->y()) Fault(QStringLiteral("the table is not a row"));
        }
        if (run.isEmpty()) return Fault(QStringLiteral("an empty run"));
        int laid[4] = {}, last = -1;
        for (int k = 0; k < run.size(); ++k) {
            if (k && (run[k] != run[k - 1] + 1 || Suit(run[k]) != Suit(run[k - 1]))) Fault(QStringLiteral("run not in sequence"));
            if (!PlayedCards[run[k]]) Fault(QStringLiteral("run card not marked played"));
            int slot = -1;
            last = HolderAtRunStart(run[k], slot);
            if (last < 0) return Fault(QStringLiteral("card %1 came from nowhere").arg(run[k]));
            ++laid[last];
            if (k == 0 && last != leader) Fault(QStringLiteral("run led by seat %1, not %2").arg(last).arg(leader));
            if (k == 0) {
                const QList<int> may = KvartyAdmissible(hands[leader], counts[leader]);
                if (!may.contains(slot)) Fault(QStringLiteral("inadmissible lead"));
                if (Players[leader]->IsComputer && may.value(0) != slot) Fault(QStringLiteral("computer skipped its first admissible card"));
            }
        }
        // A run is cut short only by the eso, a card gone earlier, or the leader's last card.
        int slot;
        if (counts[leader] == 1 && run.size() > 1) Fault(QStringLiteral("continued after the leader's last card"));
        if (run.size() < 4 && counts[leader] > 1 && Rank(run.last()) != Eso && HolderAtRunStart(run.last() + 1, slot) >= 0)
            Fault(QStringLiteral("run stopped while the next card was in a hand"));
        if (SeatOnMove() != last) Fault(QStringLiteral("lead not with the last layer"));
        for (int s = 1; s < 4; ++s)
            if (LabelColour(s) != (s == leader ? Blue : Black)) Fault(QStringLiteral("label colour of seat %1").arg(s));
        if (leader > 0) {  // renamed while on turn, the count still says so
            QLineEdit *field = nastaveni_form->findChild<QLineEdit *>(QStringLiteral("Jmeno%1").arg(leader));
            const QString name = field->text();
            field->setText(name + QLatin1Char('X'));
            if (Players[leader]->CountLabel->accessibleDescription() != name + QStringLiteral("X, na tahu"))
                Fault(QStringLiteral("renaming seat %1 dropped its turn").arg(leader));
            field->setText(name);
        }
        for (int s = 0; s < 4; ++s) {
            if (Players[s]->CardCount != counts[s] - laid[s]) Fault(QStringLiteral("count of seat %1").arg(s));
            if (s && Players[s]->CountLabel->text() != QString::number(Players[s]->CardCount)) Fault(QStringLiteral("count label"));
        }
        for (int i = 0; i < 8; ++i)
            if (HandImages[i]->PictureName() != CardResourceName(Players[0]->Hand[i])) Fault(QStringLiteral("hand image %1").arg(i));
        runs << run;
        leaders << leader;
        for (int s = 0; s < 4; ++s) {
            cardsLeft[s] = Players[s]->CardCount;
            ended = ended || cardsLeft[s] == 0;
        }
        Snapshot();
        leader = last;
    }

    void DesitkyPause()
    {
        CheckCardsConserved();
        for (int c = 0; c < 32; ++c) {
            if (!LayoutImages[c]->isVisible()) Fault(QStringLiteral("grid cell hidden"));
            if (LayoutImages[c]->PictureName() != CardResourceName(PlayedCards[c] ? c : NoCard)) Fault(QStringLiteral("grid cell %1").arg(c));
        }
        for (int s = 0; s < 4; ++s) {
            if (TrickImages[s]->isVisible()) Fault(QStringLiteral("table image shown in Desítky"));
            if (TrickCards[s] != NoCard) Fault(QStringLiteral("a card on the table in Desítky"));
            // Each suit grows from its 10 without gaps.
            int low = 8, high = -1;
            for (int r = 0; r < 8; ++r)
                if (PlayedCards[8 * s + r]) low = qMin(low, r), high = qMax(high, r);
            for (int r = low; r <= high; ++r)
                if (!PlayedCards[8 * s + r] || low > R10 || high < R10) Fault(QStringLiteral("suit %1 laid out with a gap").arg(s));
        }
        int empty = -1;
        for (int s = 0; s < 4; ++s)
            if (Players[s]->CardCount == 0) empty = s;
        if (empty >= 0) {
            if (ended) return;
            ended = true;
            if (Players[empty]->IsComputer) turns << empty;  // its last turn ran without a pause
            for (int s = 0; s < 4; ++s) cardsLeft[s] = Players[s]->CardCount;
            return;
        }
        const int played = PlayedCount();
        if (played == lastPlayed) return;
        lastPlayed = played;
        ++normalPauses;
        const int on = SeatOnMove();
        if (on < 0) return Fault(QStringLiteral("nobody on turn"));
        const int layer = (on + 3) % 4;
        if (!Players[layer]->IsComputer) Fault(QStringLiteral("a pause after the human's card"));
        turns << layer;
        for (int s = 1; s < 4; ++s)
            if (LabelColour(s) != (s == layer ? Blue : Black)) Fault(QStringLiteral("label colour of seat %1").arg(s));
    }
};

// Starts the contract, then replaces the deal by the given hands, pictures included.
void Deal(int contract, const QList<QList<int>> &hands)
{
    StartContract(contract);
    for (int s = 0; s < 4; ++s) {
        THrac &p = *Players[s];
        for (int i = 0; i < 8; ++i) p.Hand[i] = TCard(hands[s][i]);
        p.CardCount = 8;
        p.ShowCount();
        if (!s)
            for (int i = 0; i < 8; ++i) HandImages[i]->LoadPicture(CardResourceName(p.Hand[i]));
    }
    HumanMoved = true;  // as after any earlier move: the watcher must not take a pause for a request
}

QList<int> Gains(const Watcher &w)
{
    QList<int> g;
    for (int s = 0; s < 4; ++s) g << Players[s]->Score - w.base[s];
    return g;
}
}  // namespace

class TestKvartyDesitky : public QObject
{
    Q_OBJECT

    static void CheckIdle()
    {
        QCOMPARE(IdleFaults(), QStringList());
        QVERIFY(Form1->Image1->y() != Form1->Image3->y());  // the cross again
        for (int s = 1; s < 4; ++s) {
            QCOMPARE(Players[s]->CountLabel->text(), QStringLiteral("0"));
            QCOMPARE(Players[s]->CardCount, 0);
            QCOMPARE(LabelColour(s), Black);  // no turn marker outlives the contract
            QVERIFY(!Players[s]->CountLabel->accessibleDescription().contains(QStringLiteral("na tahu")));
        }
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(Players[0]->Hand[i], NoCard);
            QCOMPARE(HandImages[i]->PictureName(), CardResourceName(NoCard));
        }
    }

    static void CheckKvartyEnd(const Watcher &w)
    {
        QVERIFY2(w.faults.isEmpty(), qPrintable(w.faults.join(QStringLiteral("; "))));
        QVERIFY(w.ended);
        QVERIFY(!w.runs.isEmpty());
        int total = 0;
        for (int s = 0; s < 4; ++s) {
            QCOMPARE(Players[s]->Score - w.base[s], w.cardsLeft[s]);
            total += w.cardsLeft[s];
        }
        QCOMPARE(total, 32 - PlayedCount());
        CheckIdle();
    }

    static void CheckDesitkyEnd(const Watcher &w)
    {
        QVERIFY2(w.faults.isEmpty(), qPrintable(w.faults.join(QStringLiteral("; "))));
        QVERIFY(w.ended);
        int passes[4];
        w.Passes(passes);
        for (int s = 0; s < 4; ++s) {
            const int gain = Players[s]->Score - w.base[s];
            QCOMPARE(gain, w.cardsLeft[s] + passes[s]);
        }
        QCOMPARE(PlayedCount() + w.cardsLeft[0] + w.cardsLeft[1] + w.cardsLeft[2] + w.cardsLeft[3], 32);
        CheckIdle();
    }

    // Plays Desítky on the given hands with pauses of the given length; returns its duration.
    static qint64 PlayDesitkyOn(Watcher &w, const QList<QList<int>> &hands, int pauseMs = 2)
    {
        w.scripted = true;
        Deal(Desitky, hands);
        w.Begin();
        PauseOverrideMs = pauseMs;
        QElapsedTimer t;
        t.start();
        Form1->PlayDesitky();
        PauseOverrideMs = 2;
        return t.elapsed();
    }

private slots:
    void initTestCase()
    {
        StartProgram();
        PauseOverrideMs = 2;
        HumanMoved = true;
    }

    // Runs of up to four, the eso, a run broken by a card gone earlier, a leader who goes on
    // himself, the human's cards taken without a click, the last card laid as a continuation.
    void kvartyCourse()
    {
        Watcher w(1);
        w.scripted = true;
        w.script = {9};
        QList<int> firstOffer;
        w.onPrompt = [&firstOffer](int) {
            for (int i = 0; i < 8; ++i)
                if (HandImages[i]->isEnabled()) firstOffer << i;
        };
        Deal(Kvarty, {{3, 4, 9, 8, 20, 24, 25, 29},
                      {10, 13, 2, 5, 6, 7, 14, 15},
                      {11, 17, 0, 22, 26, 27, 28, 30},
                      {12, 23, 18, 31, 16, 1, 19, 21}});
        w.Begin();
        Form1->PlayKvarty();
        QCOMPARE(firstOffer, (QList<int>{0, 1, 2, 3, 4, 5, 6}));  // not the filek
        QCOMPARE(w.prompts, 1);
        QCOMPARE(w.humanMoves, 1);
        const QList<QList<TCard>> runs = {{9, 10, 11, 12}, {23}, {18, 19, 20, 21}, {31}, {16, 17}, {0, 1, 2, 3}};
        QCOMPARE(w.runs, runs);
        QCOMPARE(w.leaders, (QList<int>{0, 3, 3, 3, 3, 2}));
        QCOMPARE(Gains(w), (QList<int>{5, 6, 5, 0}));
        CheckKvartyEnd(w);
    }

    // A hand that lays itself out in one turn: no pause until the end.
    void desitkyChainWithoutPause()
    {
        for (int level = 0; level < 2; ++level) {
            Watcher w(2);
            SetStrength(level);
            const qint64 ms = PlayDesitkyOn(w, {{0, 1, 2, 8, 9, 10, 16, 17},
                                                {3, 4, 5, 6, 7, 11, 12, 13},
                                                {14, 15, 18, 19, 20, 21, 22, 23},
                                                {24, 25, 26, 27, 28, 29, 30, 31}}, 300);
            QVERIFY2(ms < 900, qPrintable(QString::number(ms)));  // the two closing pauses only
            QCOMPARE(w.normalPauses, 0);
            QCOMPARE(w.prompts, 0);
            QCOMPARE(Gains(w), (QList<int>{9, 0, 8, 8}));  // the human passed at once
            CheckDesitkyEnd(w);
        }
        SetStrength(0);
    }

    // The 10 laid, the filek waits on another player's spodek: one card, then one pause.
    void desitkyWaitingCardEndsTheTurn()
    {
        Watcher w(3);
        int gridAtPause = -1, onTurnAtPause = -1;
        w.onPause = [&] {
            w.DesitkyPause();
            if (gridAtPause < 0 && !w.ended) {
                gridAtPause = PlayedCount();
                onTurnAtPause = SeatOnMove();
            }
        };
        const qint64 ms = PlayDesitkyOn(w, {{0, 1, 2, 6, 7, 8, 9, 10},
                                            {3, 5, 16, 17, 18, 21, 22, 23},
                                            {4, 11, 12, 13, 14, 15, 19, 20},
                                            {24, 25, 26, 27, 28, 29, 30, 31}}, 300);
        QVERIFY2(ms >= 880, qPrintable(QString::number(ms)));
        QCOMPARE(w.normalPauses, 1);
        QCOMPARE(gridAtPause, 1);
        QCOMPARE(onTurnAtPause, 2);
        QCOMPARE(Gains(w), (QList<int>{9, 7, 0, 8}));
        CheckDesitkyEnd(w);
    }

    // The human lays his 10 and has nothing more: the turn passes by itself, free; the next
    // seat has nothing either and pays.
    void desitkyHumanAutomaticPass()
    {
        Watcher w(4);
        w.script = {3};
        bool nextIgnored = false;
        w.onPrompt = [&nextIgnored](int prompt) {
            if (prompt != 1) return;
            QTest::mouseClick(Form1->Next_but, Qt::LeftButton);  // not before his first card
            nextIgnored = !Form1->Next_but->isEnabled() && !HumanMoved && Players[0]->OnMove;
        };
        PlayDesitkyOn(w, {{3, 8, 9, 10, 16, 17, 18, 20},
                          {12, 24, 25, 26, 28, 29, 30, 31},
                          {0, 1, 2, 4, 5, 6, 7, 11},
                          {13, 14, 15, 19, 21, 22, 23, 27}});
        QVERIFY(nextIgnored);
        QCOMPARE(w.prompts, 1);
        QCOMPARE(w.nextPresses, 0);
        QCOMPARE(Gains(w), (QList<int>{7, 9, 0, 8}));
        CheckDesitkyEnd(w);
    }

    // After his first card the human may stop with "Další hráč", without a penalty.
    void desitkyHumanEndsTurn()
    {
        Watcher w(5);
        w.script = {3, -1};
        QList<int> secondOffer;
        w.onPrompt = [&secondOffer](int prompt) {
            if (prompt != 2) return;
            for (int i = 0; i < 8; ++i)
                if (HandImages[i]->isEnabled()) secondOffer << i;
        };
        PlayDesitkyOn(w, {{3, 4, 16, 17, 18, 24, 25, 26},
                          {0, 1, 2, 11, 12, 13, 14, 15},
                          {5, 6, 7, 8, 9, 10, 19, 20},
                          {21, 22, 23, 27, 28, 29, 30, 31}});
        QCOMPARE(w.prompts, 2);
        QCOMPARE(secondOffer, QList<int>{1});  // the spodek, now next to the 10
        QCOMPARE(w.nextPresses, 1);
        QCOMPARE(Gains(w), (QList<int>{7, 0, 8, 8}));
        CheckDesitkyEnd(w);
    }

    void manyContracts()
    {
        for (int level = 0; level < 2; ++level) {
            SetStrength(level);
            for (int round = 0; round < 120; ++round) {
                const bool desitky = round % 2;
                Watcher w(100 * level + round);
                w.pressNextSometimes = true;
                w.Begin();
                QVERIFY2(TriggerReturns(desitky ? Form1->Desitky1 : Form1->Kvarty1), desitky ? "Desítky did not end" : "Kvarty did not end");
                QCOMPARE(w.standingsCaptions, QStringList{QStringLiteral("Stav po hře ") + ContractName(desitky ? Desitky : Kvarty)});
                if (desitky) CheckDesitkyEnd(w);
                else CheckKvartyEnd(w);
                if (QTest::currentTestFailed()) return;
            }
        }
        SetStrength(0);
    }
};

QTEST_MAIN(TestKvartyDesitky)
#include "test_kvarty_desitky.moc"
