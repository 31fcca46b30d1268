// The rules behind every card choice: trick weights at both strengths, the Kvarty lead and run,
// the Desítky laying rule and the computer's preferences, and what a thinking computer is shown.
#include "harness.h"

#include <algorithm>
#include <numeric>

namespace {
// First card of each suit; add a rank (R7..Eso) to name a card.
constexpr int Cer = 0, Zal = 8, Kul = 16, Zel = 24;

void SetHand(THrac &p, const QList<int> &cards)
{
    int i = 0;
    p.CardCount = 0;
    for (int c : cards) {
        p.Hand[i++] = TCard(c);
        p.CardCount += c != NoCard;
    }
    while (i < 8) p.Hand[i++] = NoCard;
}

// Cards lying on the table by seat, plus cards gone with earlier tricks.
void SetTable(std::initializer_list<std::pair<int, int>> laid, const QList<int> &earlier = {})
{
    for (TCard &c : TrickCards) c = NoCard;
    for (bool &b : PlayedCards) b = false;
    for (auto [seat, c] : laid) {
        TrickCards[seat] = TCard(c);
        PlayedCards[c] = true;
    }
    for (int c : earlier) PlayedCards[c] = true;
}

QList<int> W(const THrac &p) { return QList<int>(p.Weights, p.Weights + 8); }

std::vector<int> Shuffled(std::mt19937 &rng)
{
    std::vector<int> deck(32);
    std::iota(deck.begin(), deck.end(), 0);
    std::shuffle(deck.begin(), deck.end(), rng);
    return deck;
}

bool HoldsSuit(const THrac &p, int suit)
{
    return std::any_of(p.Hand, p.Hand + 8, [suit](TCard c) { return c != NoCard && Suit(c) == suit; });
}
}  // namespace

class TestVahy : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { StartProgram(); }

    // Level 1 following: the nearer below the table's best card, the better; above it, the higher.
    void followWeightTable()
    {
        const int below[8] = {0, 18, 17, 16, 15, 14, 13, 12};  // by d = table rank - card rank
        const int above[8] = {0, 4, 5, 6, 7, 8, 9, 10};        // by -d
        for (int top = 0; top < 8; ++top) {
            // Seat 0 led kule, seats 1 and 2 threw higher cards of other suits; seat 3 holds
            // the other seven kule cards and a červené eso.
            THrac p(true, 3, false);
            QList<int> hand;
            for (int r = 0; r < 8; ++r)
                if (r != top) hand << Kul + r;
            SetTable({{0, Kul + top}, {1, Zel + Eso}, {2, Zal + Kral}});
            SetHand(p, {hand[0], hand[1], hand[2], hand[3], hand[4], hand[5], hand[6], Cer + Eso});
            p.SetLevel(1);
            CerveneWeightsLevel1(p);
            for (int i = 0; i < hand.size(); ++i) {
                const int d = top - Rank(hand[i]);
                QCOMPARE(p.Weights[i], d > 0 ? below[d] : above[-d]);
            }
            QCOMPARE(p.Weights[7], 0);  // another suit while holding the led one
            FilkyWeightsLevel1(p);
            for (int i = 0; i < hand.size(); ++i) {
                const int r = Rank(hand[i]), d = top - r;
                int expected = d > 0 ? below[d] : above[-d];
                if (r == Filek && top > Filek) expected = 9;
                if (top < Filek && r > Spodek) expected = (r == Filek ? 4 : r == Kral ? 5 : 6) - top;
                QVERIFY2(p.Weights[i] == expected, qPrintable(QStringLiteral("top %1 rank %2: %3").arg(top).arg(r).arg(p.Weights[i])));
            }
            QCOMPARE(p.Weights[7], 0);
        }
    }

    void levelOneExamples()
    {
        // The 10 of kule is the best card on the table.
        THrac p(true, 2, false);
        p.SetLevel(1);
        SetTable({{0, Kul + R7}, {1, Kul + R10}});
        SetHand(p, {Kul + R9, Kul + R8, NoCard, Kul + Spodek, Kul + Filek, Kul + Kral, Kul + Eso, Zel + R7});
        CerveneWeightsLevel1(p);
        QCOMPARE(W(p), (QList<int>{18, 17, 0, 4, 5, 6, 7, 0}));
        FilkyWeightsLevel1(p);
        QCOMPARE(W(p), (QList<int>{18, 17, 0, 4, 1, 2, 3, 0}));
        SetTable({{0, Kul + R8}, {1, Kul + R10}});
        SetHand(p, {Kul + Spodek, Kul + R7, Kul + Eso});
        CerveneWeightsLevel1(p);
        QCOMPARE(W(p), (QList<int>{4, 16, 7, 0, 0, 0, 0, 0}));

        // The 9 is laid, at the table slot of the player, and leaves the hand.
        for (int c : {Cervene, Filky}) {
            SetTable({{0, Kul + R7}, {1, Kul + R10}});
            SetHand(p, {Kul + Eso, Zel + R7, Kul + R9, Kul + Spodek});
            TrickImages[2]->LoadPicture(QStringLiteral("PRAZDNE"));
            ChooseCard(p, c);
            QCOMPARE(TrickCards[2], TCard(Kul + R9));
            QCOMPARE(TrickImages[2]->PictureName(), QStringLiteral("KULE9"));
            QVERIFY(PlayedCards[Kul + R9]);
            QCOMPARE(p.Hand[2], NoCard);
            QCOMPARE(p.CardCount, 3);
            QCOMPARE(Form1->StaticText2->text(), QStringLiteral("3"));
        }

        // Filky, the král on the table: the filek goes on it unless a lower card can duck.
        SetTable({{0, Kul + R8}, {1, Kul + Kral}});
        SetHand(p, {Kul + R7, Kul + R9, Kul + R10, Kul + Spodek, Kul + Filek, Kul + Eso});
        FilkyWeightsLevel1(p);
        QCOMPARE(W(p), (QList<int>{13, 15, 16, 17, 9, 4, 0, 0}));
        SetHand(p, {Kul + Eso, Kul + Filek});
        ChooseCard(p, Filky);
        QCOMPARE(TrickCards[2], TCard(Kul + Filek));
        SetTable({{0, Kul + R8}, {1, Kul + Kral}});
        SetHand(p, {Kul + Filek, Kul + Spodek});
        ChooseCard(p, Filky);
        QCOMPARE(TrickCards[2], TCard(Kul + Spodek));

        // Leading: the more of the suit still out above the card, the better.
        p.OnMove = true;
        SetTable({});
        SetHand(p, {Cer + R7, Zal + R9, NoCard, Cer + Eso, Kul + R7, Zel + R10, Cer + R10});
        CerveneWeightsLevel1(p);
        QCOMPARE(W(p), (QList<int>{0, 6, 0, 0, 8, 5, 0, 0}));
        SetTable({}, {Kul + Eso, Kul + R9, Zal + R10});
        CerveneWeightsLevel1(p);
        QCOMPARE(W(p), (QList<int>{0, 5, 0, 0, 6, 5, 0, 0}));
        // Filky leading: a filek with only higher cards of its suit out is a safe lead.
        SetTable({}, {Zel + R7, Zel + R8, Zel + R9, Zel + R10, Zel + Spodek});
        SetHand(p, {Zel + Filek, Kul + Filek, Zal + Kral, Cer + R7});
        FilkyWeightsLevel1(p);
        QCOMPARE(W(p), (QList<int>{9, 1, 2, 8, 0, 0, 0, 0}));
        SetTable({}, {Zel + R7, Zel + R8, Zel + R9, Zel + R10, Zel + Spodek, Zel + Kral, Zel + Eso, Zal + Eso});
        FilkyWeightsLevel1(p);
        QCOMPARE(W(p), (QList<int>{1, 1, 1, 8, 0, 0, 0, 0}));
    }

    void discarding()
    {
        // Zelené led, and seat 3 has none. Žaludy eso went earlier, žaludy spodek is on the table.
        THrac p(true, 3, false);
        p.SetLevel(1);
        auto deal = [&p] {
            SetTable({{0, Zel + R7}, {1, Zel + R9}, {2, Zal + Spodek}}, {Zal + Eso});
            SetHand(p, {Zal + R9, NoCard, Zal + Kral, Kul + R7, Cer + R10, Cer + R7, Kul + Filek});
        };
        deal();
        CerveneWeightsLevel1(p);
        QCOMPARE(W(p), (QList<int>{10, 0, 14, 1, 7, 2, 10, 0}));
        FilkyWeightsLevel1(p);
        QCOMPARE(W(p), (QList<int>{7, 0, 9, 1, 5, 1, 9, 0}));
        ChooseCard(p, Cervene);
        QCOMPARE(TrickCards[3], TCard(Zal + Kral));
        // With every lower kule card gone the filek is the safest throw in Filky.
        deal();
        for (int c : {Kul + R8, Kul + R9, Kul + R10, Kul + Spodek}) PlayedCards[c] = true;
        FilkyWeightsLevel1(p);
        QCOMPARE(p.Weights[6], 3);
        CerveneWeightsLevel1(p);
        QCOMPARE(p.Weights[6], 1);
    }

    void noRedLead()
    {
        THrac p(true, 1, true);
        const QList<std::pair<int, int>> rules = {{Cervene, 0}, {CervenyKral, 0}, {CervenyKral, 1}, {Filky, 0}, {PrPo, 0}, {PrPo, 1}, {Vsechny, 0}, {Vsechny, 1}};
        for (int round = 0; round < 100; ++round)
            for (auto [c, level] : rules) {
                const bool restricted = c == Cervene || c == CervenyKral;
                SetTable({});
                SetHand(p, {Cer + R7, Zal + R9, NoCard, Cer + Eso, Kul + R10, Zel + R7, Cer + R10});
                p.SetLevel(level);
                TrickWeights(p, c);
                for (int i = 0; i < 8; ++i) QCOMPARE(p.Weights[i] > 0, p.Hand[i] != NoCard && (!restricted || !IsRed(p.Hand[i])));
                ChooseCard(p, c);
                if (restricted) QVERIFY(!IsRed(TrickCards[1]));
                // Nothing but červené left: one of them is led.
                SetHand(p, {Cer + R9, NoCard, Cer + Eso, Cer + R7});
                TrickWeights(p, c);
                for (int i = 0; i < 8; ++i) QCOMPARE(p.Weights[i] > 0, i == 0 || i == 2 || i == 3);
            }
        // Strength 1 in Červené leads its lowest červené card.
        SetHand(p, {Cer + R9, NoCard, Cer + Eso, Cer + R7, Cer + Spodek});
        p.SetLevel(1);
        CerveneWeightsLevel1(p);
        QCOMPARE(W(p), (QList<int>{6, 0, 1, 8, 4, 0, 0, 0}));
        ChooseCard(p, Cervene);
        QCOMPARE(TrickCards[1], TCard(Cer + R7));
        QCOMPARE(p.Hand[3], NoCard);
    }

    void pickAndRandomWeights()
    {
        const int a[8] = {0, 5, 3, 5, 0, 0, 0, 0}, b[8] = {}, c[8] = {-3, 0, 0, 2, 2, 1, 0, 0}, d[8] = {7, 7, 7, 7, 7, 7, 7, 7};
        QCOMPARE(PickSlot(a), 1);
        QCOMPARE(PickSlot(b), -1);
        QCOMPARE(PickSlot(c), 3);
        QCOMPARE(PickSlot(d), 0);
        // Two esa weigh the same as Filky leads: the one in the lower slot goes.
        THrac p(true, 1, true);
        p.SetLevel(1);
        SetTable({});
        SetHand(p, {NoCard, Zel + Eso, NoCard, Kul + Eso});
        ChooseCard(p, Filky);
        QCOMPARE(TrickCards[1], TCard(Zel + Eso));
        QCOMPARE(p.Hand[3], TCard(Kul + Eso));

        // Random weights: 1 to 20, each about equally often; empty slots never.
        int seen[22] = {};
        p.SetLevel(0);
        for (int round = 0; round < 3000; ++round) {
            SetHand(p, {Cer + R7, NoCard, Zal + R8, Zal + R9, Kul + Eso, NoCard, Zel + R10, Zel + Kral});
            RandomWeights(p);
            for (int i = 0; i < 8; ++i) {
                if (p.Hand[i] == NoCard) QCOMPARE(p.Weights[i], 0);
                else ++seen[qBound(0, p.Weights[i], 21)];
            }
        }
        QCOMPARE(seen[0] + seen[21], 0);
        for (int v = 1; v <= 20; ++v) QVERIFY2(seen[v] > 700 && seen[v] < 1100, qPrintable(QString::number(seen[v])));
    }

    // Filky at strength 1: a filek under a spodek weighs 0 by the table, yet must follow suit
    // when it is the only card of the suit.
    void filekUnderSpodek()
    {
        THrac p(true, 3, false);
        p.SetLevel(1);
        SetTable({{1, Kul + R9}, {2, Kul + Spodek}});
        SetHand(p, {Cer + R7, Kul + Filek, Zel + Kral, NoCard, Zal + R10});
        FilkyWeightsLevel1(p);
        QVERIFY(p.Weights[1] > 0);
        for (int i : {0, 2, 3, 4, 5, 6, 7}) QCOMPARE(p.Weights[i], 0);
        ChooseCard(p, Filky);
        QCOMPARE(TrickCards[3], TCard(Kul + Filek));
        SetTable({{1, Kul + R9}, {2, Kul + Spodek}});
        SetHand(p, {Cer + R7, Kul + Filek, Zel + Kral, Kul + R8});
        FilkyWeightsLevel1(p);
        QCOMPARE(W(p), (QList<int>{0, 0, 0, 16, 0, 0, 0, 0}));
        ChooseCard(p, Filky);
        QCOMPARE(TrickCards[3], TCard(Kul + R8));

        // The human, last to play, sees only the admissible image enabled and lays it.
        THrac &me = *Players[0];
        for (const QList<int> &hand : {QList<int>{Cer + R7, Zal + R10, Kul + Filek, Zel + Kral, Zel + R8},
                                       QList<int>{Cer + R7, Kul + Filek, Zel + Kral, Kul + R8, Zal + R7}}) {
            StartContract(Filky);
            for (int i = 0; i < 8; ++i) {
                me.Hand[i] = i < hand.size() ? TCard(hand[i]) : NoCard;
                HandImages[i]->LoadPicture(CardResourceName(me.Hand[i]));
            }
            me.CardCount = int(hand.size());
            SetTable({{1, Kul + R9}, {2, Kul + Spodek}, {3, Zel + Eso}});
            me.OnMove = false;
            Players[1]->OnMove = true;
            me.SetLevel(1);
            const int expected = hand.indexOf(hand.contains(Kul + R8) ? Kul + R8 : Kul + Filek);
            QList<int> enabled;
            QTimer::singleShot(0, [&] {
                for (int i = 0; i < 8; ++i)
                    if (HandImages[i]->isEnabled()) enabled << i;
                if (enabled.size() == 1) QTest::mouseDClick(HandImages[enabled[0]], Qt::LeftButton);
                else HumanMoved = true;  // nothing sensible to lay: give the wait back
            });
            ChooseCard(me, Filky);
            me.OnMove = true;
            Players[1]->OnMove = false;
            me.SetLevel(0);
            Form1->MenuPovol();
            SetPanel(1, QStringLiteral("Nehraje se"));
            QCOMPARE(enabled, QList<int>{expected});
            QCOMPARE(TrickCards[0], TCard(hand[expected]));
            QCOMPARE(TrickImages[0]->PictureName(), CardResourceName(hand[expected]));
            QCOMPARE(HandImages[expected]->PictureName(), QStringLiteral("PRAZDNE"));
            QCOMPARE(me.Hand[expected], NoCard);
            QCOMPARE(me.CardCount, int(hand.size()) - 1);
            QVERIFY(PlayedCards[hand[expected]]);
        }
    }

    // Thousands of positions reached by legal play: somebody can always lay a card, and the
    // weights never break suit or offer an empty slot.
    void weightsOverRandomPlay()
    {
        std::mt19937 rng(20240611);
        auto roll = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        THrac seats[4] = {THrac(true, 0, false), THrac(true, 1, false), THrac(true, 2, false), THrac(true, 3, false)};
        int soleFilekUnderSpodek = 0;
        for (int deal = 0; deal < 1500; ++deal) {
            const std::vector<int> deck = Shuffled(rng);
            for (int s = 0; s < 4; ++s) {
                for (int i = 0; i < 8; ++i) seats[s].Hand[i] = TCard(deck[8 * s + i]);
                seats[s].CardCount = 8;
            }
            SetTable({});
            int leader = roll(4);
            for (int trick = 0; trick < 8; ++trick) {
                for (TCard &c : TrickCards) c = NoCard;
                for (int pos = 0; pos < 4; ++pos) {
                    THrac &p = seats[(leader + pos) % 4];
                    for (int s = 0; s < 4; ++s) seats[s].OnMove = s == leader;
                    const int led = pos ? Suit(TrickCards[leader]) : -1;
                    const bool follows = pos && HoldsSuit(p, led);
                    const bool hasPlain = std::any_of(p.Hand, p.Hand + 8, [](TCard c) { return c != NoCard && !IsRed(c); });
                    int top = 0;
                    for (TCard c : TrickCards)
                        if (pos && c != NoCard && Suit(c) == led) top = std::max(top, Rank(c));
                    int ledCards = 0;
                    for (TCard c : p.Hand) ledCards += c != NoCard && Suit(c) == led;
                    for (int contract = Cervene; contract <= CervenyKral; ++contract)
                        for (int level = Nizka; level <= Vysoka; ++level) {
                            p.SetLevel(level);
                            TrickWeights(p, contract);
                            const QString where = QStringLiteral("contract %1 level %2 pos %3").arg(contract).arg(level).arg(pos);
                            QVERIFY2(PickSlot(p.Weights) >= 0, qPrintable(where));
                            for (int i = 0; i < 8; ++i) {
                                const TCard c = p.Hand[i];
                                const int w = p.Weights[i];
                                QVERIFY2(w >= 0 && w <= 20, qPrintable(where));
                                // What the thinking computer may lay is what "nízká" and "vysoká" may.
                                const TMask may = AdmissibleTrickCards(contract, MaskOf(p.Hand), pos ? TrickCards[leader] : NoCard);
                                QVERIFY2(level == Stredni || c == NoCard || (w > 0) == bool(may & Bit(c)), qPrintable(where));
                                if (c == NoCard) {
                                    QVERIFY2(w == 0, qPrintable(where));
                                } else if (follows) {
                                    const bool filekHole = contract == Filky && level == 1 && Rank(c) == Filek && top == Spodek && ledCards > 1;
                                    if (contract == Filky && level == 1 && Rank(c) == Filek && top == Spodek && Suit(c) == led && ledCards == 1)
                                        ++soleFilekUnderSpodek;
                                    QVERIFY2((w > 0) == (Suit(c) == led && !filekHole), qPrintable(where));
                                } else if (!pos && (contract == Cervene || contract == CervenyKral) && hasPlain) {
                                    QVERIFY2((w > 0) == !IsRed(c), qPrintable(where));
                                } else {
                                    QVERIFY2(w > 0, qPrintable(where));
                                }
                            }
                        }
                    // Lay a random legal card.
                    QList<int> legal;
                    for (int i = 0; i < 8; ++i)
                        if (p.Hand[i] != NoCard && (!follows || Suit(p.Hand[i]) == led)) legal << i;
                    const int slot = legal[roll(int(legal.size()))];
                    TrickCards[p.Seat] = p.Hand[slot];
                    PlayedCards[p.Hand[slot]] = true;
                    p.Hand[slot] = NoCard;
                    --p.CardCount;
                }
                leader = TrickWinner(TrickCards, leader);
            }
        }
        QVERIFY(soleFilekUnderSpodek > 0);  // the mended case was met on the way
    }

    // In the middle of real contracts, what the player's seat is shown stays the same, and so does
    // its move for a seed, when two hands it cannot see swap cards.
    void thinkingSeesOnlyItsSeat()
    {
        ScriptedHuman h(3);
        int checks = 0;
        h.onTick = [&] {
            int c = Cervene;
            while (c < Desitky && PanelText(1) != ContractName(c)) ++c;
            THrac &me = *Players[0], &left = *Players[1], &right = *Players[3];
            const int i = int(std::find_if(left.Hand, left.Hand + 8, [](TCard x) { return x != NoCard; }) - left.Hand);
            const int j = int(std::find_if(right.Hand, right.Hand + 8, [](TCard x) { return x != NoCard; }) - right.Hand);
            if (!ScriptedHuman::HumanAsked() || i == 8 || j == 8) return false;
            const TPohled seen = SeatView(me, c);
            std::swap(left.Hand[i], right.Hand[j]);
            const TPohled swapped = SeatView(me, c);
            std::swap(left.Hand[i], right.Hand[j]);
            if (!(seen == swapped) || Rozhodni(seen, 7) != Rozhodni(swapped, 7)) h.Fault(QStringLiteral("the player sees seat 1 or 3"));
            if (seen.hand != MaskOf(me.Hand) || seen.counts[1] != left.CardCount || seen.played != MaskOf(PlayedCards))
                h.Fault(QStringLiteral("the player is not shown its own hand and the cards laid"));
            ++checks;
            return false;
        };
        SetStrength(Vysoka);
        for (QAction *a : PlayCommands().mid(1, 7)) a->trigger();
        SetStrength(Nizka);
        QVERIFY2(h.faults.isEmpty(), qPrintable(h.faults.join(QStringLiteral("; "))));
        QVERIFY(checks > 20);
    }

    void kvartyLead()
    {
        THrac p(true, 2, false);
        SetHand(p, {Cer + Eso, Zal + R7, Kul + Kral, Zel + Filek, Kul + R9, Zal + Kral, Zel + Spodek, Cer + Filek});
        KvartyLeadWeights(p);
        QCOMPARE(W(p), (QList<int>{0, 1, 0, 0, 1, 0, 1, 0}));
        SetTable({});
        KvartyLead(p);
        QCOMPARE(TrickCards[0], TCard(Zal + R7));
        QCOMPARE(TrickImages[0]->PictureName(), QStringLiteral("ZALUDY7"));
        QVERIFY(PlayedCards[Zal + R7]);
        QCOMPARE(p.Hand[1], NoCard);
        QCOMPARE(p.CardCount, 7);
        QCOMPARE(Form1->StaticText2->text(), QStringLiteral("7"));
        // After the first lead anything in hand may go.
        KvartyLeadWeights(p);
        QCOMPARE(W(p), (QList<int>{1, 0, 1, 1, 1, 1, 1, 1}));
        SetHand(p, {Cer + Eso, Zal + Filek, Kul + Kral, Zel + Filek, Kul + Eso, Zal + Kral, Cer + Kral, Kul + Filek});
        KvartyLeadWeights(p);
        QCOMPARE(W(p), (QList<int>{0, 1, 0, 1, 0, 0, 0, 1}));
        SetHand(p, {Cer + Kral, Cer + Eso, Zal + Kral, Zal + Eso, Kul + Kral, Kul + Eso, Zel + Kral, Zel + Eso});
        KvartyLeadWeights(p);
        QCOMPARE(W(p), (QList<int>{1, 0, 1, 0, 1, 0, 1, 0}));
        SetHand(p, {Cer + Eso, NoCard, Zel + Eso, NoCard, Kul + Eso});
        KvartyLeadWeights(p);
        QCOMPARE(W(p), (QList<int>{1, 0, 1, 0, 1, 0, 0, 0}));
    }

    void kvartyContinuation()
    {
        std::mt19937 rng(3);
        for (int round = 0; round < 50; ++round) {
            const std::vector<int> deck = Shuffled(rng);
            int seatOf[33], slotOf[33];
            for (int s = 0; s < 4; ++s)
                for (int i = 0; i < 8; ++i) {
                    Players[s]->Hand[i] = TCard(deck[8 * s + i]);
                    seatOf[deck[8 * s + i]] = s;
                    slotOf[deck[8 * s + i]] = i;
                }
            // One card went in an earlier run and left a hole.
            const int gone = deck[round % 32];
            Players[seatOf[gone]]->Hand[slotOf[gone]] = NoCard;
            for (int c = 0; c < 32; ++c) {
                int s = -1, j = -1;
                const bool found = FindContinuation(TCard(c), s, j);
                if (Rank(c) == Eso || c + 1 == gone) {
                    QVERIFY2(!found, qPrintable(QString::number(c)));
                } else {
                    QVERIFY(found);
                    QCOMPARE(s, seatOf[c + 1]);
                    QCOMPARE(j, slotOf[c + 1]);
                }
            }
        }
        DealCards();
    }

    void desitkyLayable()
    {
        SetTable({});
        for (int c = 0; c < 32; ++c) QCOMPARE(IsLayable(TCard(c)), Rank(c) == R10);
        QVERIFY(!IsLayable(NoCard));
        // Cards laid out, then cards that may and may not follow.
        const QList<int> cases[][3] = {
            {{Cer + R10}, {Cer + R9, Cer + Spodek}, {Cer + R8, Cer + Filek, Zal + R9}},
            {{Cer + R10, Cer + R9, Cer + Spodek, Cer + Filek, Cer + Kral, Kul + R10}, {Cer + R8, Cer + Eso, Kul + Spodek}, {Cer + R7, Kul + Eso}},
        };
        for (const auto &c : cases) {
            SetTable({}, c[0]);
            for (int card : c[1]) QVERIFY2(IsLayable(TCard(card)), qPrintable(QString::number(card)));
            for (int card : c[2]) QVERIFY2(!IsLayable(TCard(card)), qPrintable(QString::number(card)));
        }

        THrac p(true, 1, false);
        SetHand(p, {Zal + R9, Cer + Spodek, NoCard, Kul + R7});
        SetTable({});
        QVERIFY(!HasLayableCard(p));
        PlayedCards[Cer + R10] = true;
        QVERIFY(HasLayableCard(p));
        SetTable({});
        p.Hand[2] = Zel + R10;
        QVERIFY(HasLayableCard(p));
    }

    void desitkyWeights()
    {
        THrac p(true, 1, true);
        SetTable({});
        SetHand(p, {Cer + R9, Cer + R10, Cer + Spodek, Zal + R10, Zal + Eso, Kul + R7, NoCard, Zel + Kral});
        DesitkyWeightsLevel1(p);
        QCOMPARE(W(p), (QList<int>{0, 17, 0, 2, 0, 0, 0, 0}));
        p.Hand[6] = Cer + R7;
        DesitkyWeightsLevel1(p);
        QCOMPARE(W(p), (QList<int>{0, 19, 0, 2, 0, 0, 0, 0}));
        // Strength 1 lays the 10; the eso waits on another player's král, so the turn goes on.
        p.SetLevel(1);
        for (THrac *q : Players) q->OnMove = false;
        LayoutImages[Cer + R10]->LoadPicture(QStringLiteral("PRAZDNE"));
        DesitkyMove(p);
        QVERIFY(PlayedCards[Cer + R10]);
        QCOMPARE(LayoutImages[Cer + R10]->PictureName(), QStringLiteral("CERVENA10"));
        QCOMPARE(p.Hand[1], NoCard);
        QCOMPARE(p.CardCount, 6);
        QCOMPARE(Form1->StaticText1->text(), QStringLiteral("6"));
        QVERIFY(!p.OnMove);
        QVERIFY(Players[2]->OnMove);
        // Once the 10 lies, its neighbours count towards each other.
        DesitkyWeightsLevel1(p);
        QCOMPARE(W(p), (QList<int>{9, 0, 6, 2, 0, 0, 0, 0}));
        Players[2]->OnMove = false;
        Players[0]->OnMove = true;

        int seen[22] = {};
        SetTable({}, {Kul + R10});
        SetHand(p, {Cer + R10, Kul + R9, Kul + R7, Zal + Spodek, Kul + Spodek, NoCard});
        for (int round = 0; round < 3000; ++round) {
            DesitkyWeightsLevel0(p);
            for (int i : {2, 3, 5, 6, 7}) QCOMPARE(p.Weights[i], 0);
            for (int i : {0, 1, 4}) ++seen[qBound(0, p.Weights[i], 21)];
        }
        QCOMPARE(seen[0] + seen[21], 0);
        for (int v = 1; v <= 20; ++v) QVERIFY(seen[v] > 300);

        for (int n : {0, 1, 2, 3}) QCOMPARE(DistanceWeight(n), 1 << n);
        for (int n : {4, 5, 7, -1, -4, 100}) QCOMPARE(DistanceWeight(n), 0);
    }

    void keepsTurn()
    {
        // Cards laid out, the hand, and whether it goes on: each laid card may open the next
        // (the 10, spodek and filek), a card waiting on somebody else's card ends the turn.
        struct Case { QList<int> laid, hand; bool keeps; };
        const QList<int> ten = {Cer + R10}, spodek = {Cer + R10, Cer + Spodek};
        const Case cases[] = {
            {ten, {Cer + Spodek, NoCard, Cer + Filek}, true}, {spodek, {NoCard, NoCard, Cer + Filek}, true}, {spodek, {}, true},
            {spodek, {Cer + Filek, Zal + R9}, false}, {spodek, {Cer + Filek, Zal + R9, Zal + R10}, true}, {spodek, {Cer + R8}, false},
            {spodek, {Cer + R8, Cer + R9, Kul + R10, Kul + Eso, Kul + Kral, Kul + Filek, Kul + Spodek}, true},
            {spodek, {Cer + R8, Cer + R9, Kul + R10, Kul + Eso, Kul + Kral, Kul + Filek}, false},  // the kule chain breaks at the spodek
        };
        THrac p(true, 3, false);
        for (const Case &c : cases) {
            SetTable({}, c.laid);
            SetHand(p, c.hand);
            QCOMPARE(KeepsTurn(p), c.keeps);
        }
        SetTable({});
    }
};

QTEST_MAIN(TestVahy)
#include "test_vahy.moc"
