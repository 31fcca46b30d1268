// The rules as plain functions, and the thinking computer that plays by them: no window needed.
#include "mysleni.h"

#include <QTest>

#include <algorithm>
#include <numeric>
#include <random>

namespace {
// First card of each suit; add a rank (R7..Eso) to name a card.
constexpr int Cer = 0, Zal = 8, Kul = 16, Zel = 24;

// A whole table, every hand known, played move by move by the rules alone.
struct Table {
    int contract;
    TMask hands[4] = {}, played = 0, lacks[4] = {};
    TCard trick[4] = {NoCard, NoCard, NoCard, NoCard};
    int points[4] = {}, leader = 0, toMove = 0, play = 0;
    bool playedThisTurn = false, over = false;

    Table(int c, std::mt19937 &rng) : contract(c)
    {
        std::vector<int> deck(32);
        std::iota(deck.begin(), deck.end(), 0);
        std::shuffle(deck.begin(), deck.end(), rng);
        for (int i = 0; i < 32; ++i) hands[i / 8] |= Bit(TCard(deck[i]));
        leader = toMove = int(rng() % 4);
        PassWhileStuck();
    }
    void PassWhileStuck()
    {
        while (contract == Desitky && !LayableCards(hands[toMove], played)) {
            points[toMove] += !playedThisTurn;
            lacks[toMove] |= LayableCards(AllCards, played);
            playedThisTurn = false;
            toMove = (toMove + 1) % 4;
        }
    }
    // What the rules let the seat on move do, KonecTahu included.
    TMask Allowed(bool &mayEnd) const
    {
        mayEnd = contract == Desitky && playedThisTurn;
        if (contract == Kvarty) return KvartyLeads(hands[toMove]);
        if (contract == Desitky) return LayableCards(hands[toMove], played);
        return AdmissibleTrickCards(contract, hands[toMove], play % 4 ? trick[leader] : NoCard);
    }
    TPohled View() const
    {
        TPohled v{contract, toMove, hands[toMove], played};
        for (int s = 0; s < 4; ++s) {
            v.lacks[s] = lacks[s];
            v.counts[s] = CardsIn(hands[s]);
            v.points[s] = points[s];
            v.trick[s] = trick[s];
        }
        v.leader = leader, v.play = play, v.playedThisTurn = playedThisTurn, v.deals = 6;
        return v;
    }
    void Lay(int seat, TCard c)
    {
        hands[seat] &= ~Bit(c);
        played |= Bit(c);
    }
    void Move(TCard m)
    {
        const int p = toMove;
        if (contract == Desitky) {
            m == KonecTahu ? void(toMove = (p + 1) % 4) : Lay(p, m);
            playedThisTurn = m != KonecTahu;
            over = !hands[p];
            if (!over) PassWhileStuck();
        } else if (contract == Kvarty) {
            Lay(p, m);
            for (int k = 1; k < 4 && hands[p]; ++k) {  // the run: whoever holds the next card lays it
                const TCard c = NextInRun(m);
                int owner = -1;
                for (int s = 0; s < 4; ++s)
                    if (c != NoCard && (hands[s] & Bit(c))) owner = s;
                if (owner < 0) break;
                Lay(owner, c);
                toMove = owner;
                m = c;
            }
            over = !hands[0] || !hands[1] || !hands[2] || !hands[3];
        } else {
            if (play % 4 && Suit(m) != Suit(trick[leader])) lacks[p] |= SuitMask(Suit(trick[leader]));
            Lay(p, m);
            trick[p] = m;
            toMove = (p + 1) % 4;
            if (play % 4 == 3) {
                leader = toMove = TrickWinner(trick, leader);
                points[leader] += TrickPoints(contract, trick, play);
                std::fill(trick, trick + 4, NoCard);
            }
            over = ++play == 32 || ContractOver(contract, played);
        }
    }
};
}  // namespace

class TestPravidla : public QObject
{
    Q_OBJECT

private slots:
    void trickWinner()
    {
        // Nobody follows: the leader's 7 beats three esa.
        const TCard lone[4] = {Cer + Eso, Zal + Eso, Kul + R7, Zel + Eso};
        QCOMPARE(TrickWinner(lone, 2), 2);
        // Two followers above the lead: the higher wins wherever it sits.
        const TCard a[4] = {Zel + Kral, Zel + R10, Kul + Eso, Zel + R8};
        QCOMPARE(TrickWinner(a, 3), 0);
        const TCard b[4] = {Zel + R10, Zel + Kral, Kul + Eso, Zel + R8};
        QCOMPARE(TrickWinner(b, 3), 1);
        const TCard c[4] = {Zal + R7, Zal + Eso, Zal + R9, Cer + Eso};
        QCOMPARE(TrickWinner(c, 0), 1);
        QCOMPARE(TrickWinner(c, 3), 3);
    }

    void trickPointsAndEnds()
    {
        const TCard reds[4] = {Cer + R7, Zal + Filek, Cer + Kral, Cer + Filek};
        const TCard plain[4] = {Zal + R7, Zal + R8, Kul + Eso, Zel + R10};
        const TCard filky[4] = {Kul + Filek, Zal + R8, Zel + Filek, Zel + R10};
        QCOMPARE(TrickPoints(Cervene, reds, 3), 3);
        QCOMPARE(TrickPoints(Cervene, plain, 3), 0);
        QCOMPARE(TrickPoints(Filky, reds, 7), 4);
        QCOMPARE(TrickPoints(Filky, filky, 7), 4);
        QCOMPARE(TrickPoints(Filky, plain, 7), 0);
        QCOMPARE(TrickPoints(CervenyKral, reds, 11), 8);
        QCOMPARE(TrickPoints(CervenyKral, filky, 11), 0);
        for (int k = 3; k < 32; k += 4) {
            QCOMPARE(TrickPoints(PrPo, plain, k), k == 3 || k == 31 ? 4 : 0);
            QCOMPARE(TrickPoints(Vsechny, plain, k), 1);
        }

        bool played[32] = {};
        for (int c = 0; c < 7; ++c) played[c] = true;
        played[Cer + Eso] = false;
        played[Cer + Kral] = true;
        for (int c : {Zal + Filek, Kul + Filek, Zel + Filek}) played[c] = true;
        QVERIFY(!ContractOver(Cervene, played));  // the eso is still out
        QVERIFY(ContractOver(CervenyKral, played));
        QVERIFY(ContractOver(Filky, played));
        played[Cer + Filek] = false;
        QVERIFY(!ContractOver(Filky, played));
        played[Cer + Eso] = true;
        played[Cer + Filek] = true;
        QVERIFY(ContractOver(Cervene, played));
        played[Cer + Kral] = false;
        QVERIFY(!ContractOver(CervenyKral, played));
        std::fill(played, played + 32, true);
        QVERIFY(!ContractOver(PrPo, played));
        QVERIFY(!ContractOver(Vsechny, played));
    }

    // Four thinking computers play whole contracts: every move they make is one the rules allow,
    // and the same view with the same seed gives the same move.
    void thinkingPlaysByTheRules()
    {
        std::mt19937 rng(4242);
        int decisions = 0, endedTurns = 0;
        for (int contract = Cervene; contract <= Desitky; ++contract)
            for (int deal = 0; deal < 60; ++deal) {
                Table t(contract, rng);
                while (!t.over) {
                    bool mayEnd;
                    const TMask allowed = t.Allowed(mayEnd);
                    const TPohled view = t.View();
                    const std::uint64_t seed = rng();
                    const TCard m = Rozhodni(view, seed);
                    if (!(m == KonecTahu ? mayEnd : bool(allowed & Bit(m))))
                        QFAIL(qPrintable(QStringLiteral("%1: move %2 not allowed from %3").arg(ContractName(contract)).arg(m).arg(allowed, 8, 16)));
                    if (++decisions % 16 == 0) QCOMPARE(Rozhodni(view, seed), m);
                    endedTurns += m == KonecTahu;
                    t.Move(m);
                }
            }
        QVERIFY(decisions > 7000 && endedTurns > 0);
    }

    // Last to a trick of Červené with the eso and the 7 of the led suit: the 7 leaves the red
    // cards to the král, the eso would take them.
    void thinkingDucks()
    {
        TPohled v;
        v.contract = Cervene;
        v.seat = 3;
        v.leader = 0;
        v.play = 3;
        v.trick[0] = Cer + Kral;  // it must follow: the eso takes two red cards, the 7 none
        v.trick[1] = Cer + R9;
        v.trick[2] = Zal + R7;
        v.hand = Bit(Cer + Eso) | Bit(Cer + R7) | Bit(Kul + R8) | Bit(Kul + R9) | Bit(Zel + R8) | Bit(Zel + R9) | Bit(Zal + Eso) | Bit(Zal + R8);
        v.played = Bit(Cer + Kral) | Bit(Cer + R9) | Bit(Zal + R7);
        v.counts[0] = v.counts[1] = v.counts[2] = 7;
        v.counts[3] = 8;
        v.lacks[2] = RedCards;
        QCOMPARE(Rozhodni(v, 1), TCard(Cer + R7));
    }
};

QTEST_APPLESS_MAIN(TestPravidla)
#include "test_pravidla.moc"
