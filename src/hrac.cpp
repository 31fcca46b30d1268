#include "hrac.h"

#include "hra.h"
#include "plocha.h"

#include <QLabel>

THrac::THrac(bool isComputer, int seat, bool startsRound)
    : StartsRound(startsRound), OnMove(startsRound), IsComputer(isComputer), Seat(seat)
{
    if (Form1) {
        if (seat == 1) CountLabel = Form1->StaticText1;
        if (seat == 2) CountLabel = Form1->StaticText2;
        if (seat == 3) CountLabel = Form1->StaticText3;
    }
}

void THrac::ShowCount()
{
    if (CountLabel)
        CountLabel->setText(QString::number(CardCount));
}

void THrac::AddCard(TCard card)
{
    Hand[CardCount] = card;
    if (!IsComputer && HandImages[CardCount]) {
        HandImages[CardCount]->LoadPicture(CardResourceName(card));
        HandImages[CardCount]->setVisible(true);
    }
    ++CardCount;
    ShowCount();
}

void THrac::ResetHand()
{
    CardCount = 0;
    ShowCount();
}

TCard THrac::RemoveCard(int slot)
{
    const TCard c = Hand[slot];
    Hand[slot] = NoCard;
    --CardCount;
    ShowCount();
    return c;
}

TCard LedCard(int seat, const TCard table[4])
{
    TCard led = NoCard;
    for (int i = 3; i >= 1; --i) {
        const TCard c = table[(seat + i) % 4];
        if (c != NoCard)
            led = c;
    }
    return led;
}

int HighestTableRank(int ledSuit, const TCard table[4])
{
    int best = 0;
    for (int s = 0; s < 4; ++s)
        if (table[s] != NoCard && Suit(table[s]) == ledSuit && Rank(table[s]) > best)
            best = Rank(table[s]);
    return best;
}

void OutstandingCounts(TCard card, const TCard hand[8], const bool played[32], int &n, int &m)
{
    n = m = 0;
    const int s = Suit(card);
    for (int r = 0; r < 8; ++r) {
        const TCard other = TCard(8 * s + r);
        if (r == Rank(card) || played[other])
            continue;
        bool inHand = false;
        for (int i = 0; i < 8; ++i)
            inHand = inHand || hand[i] == other;
        if (inHand)
            continue;
        if (r > Rank(card)) ++n;
        else ++m;
    }
}

int FollowWeight(int highestTableRank, int rank)
{
    const int d = highestTableRank - rank;
    const int sign = (d > 0) - (d < 0);
    return 8 * sign - d + 11;
}

int PickSlot(const int weights[8])
{
    int best = 0, slot = -1;
    for (int i = 0; i < 8; ++i)
        if (weights[i] > best) {
            best = weights[i];
            slot = i;
        }
    return slot;
}

int RandomWeight() { return Random(20) + 1; }

namespace {
// Every real card gets a fresh random weight, empty slots 0.
void AllCardsRandom(THrac &p)
{
    for (int i = 0; i < 8; ++i)
        p.Weights[i] = p.Hand[i] == NoCard ? 0 : RandomWeight();
}

bool AnyPositive(const int w[8])
{
    for (int i = 0; i < 8; ++i)
        if (w[i] > 0) return true;
    return false;
}

bool HoldsSuit(const THrac &p, int suit)
{
    for (int i = 0; i < 8; ++i)
        if (p.Hand[i] != NoCard && Suit(p.Hand[i]) == suit) return true;
    return false;
}
}  // namespace

void FollowSuitWeights(THrac &p)
{
    const int ledSuit = Suit(LedCard(p.Seat, TrickCards));
    int count = 0;
    for (int i = 0; i < 8; ++i) {
        const TCard c = p.Hand[i];
        if (c != NoCard && Suit(c) == ledSuit) {
            p.Weights[i] = RandomWeight();
            ++count;
        } else {
            p.Weights[i] = 0;
        }
    }
    if (count == 0)
        AllCardsRandom(p);
}

void RandomWeights(THrac &p)
{
    if (p.OnMove)
        AllCardsRandom(p);
    else
        FollowSuitWeights(p);
}

void NoRedLeadWeights(THrac &p)
{
    if (!p.OnMove) {
        RandomWeights(p);
        return;
    }
    for (int i = 0; i < 8; ++i)
        p.Weights[i] = (p.Hand[i] == NoCard || IsRed(p.Hand[i])) ? 0 : RandomWeight();
    if (!AnyPositive(p.Weights))
        AllCardsRandom(p);
}

void CerveneWeightsLevel1(THrac &p)
{
    int n, m;
    if (p.OnMove) {
        for (int i = 0; i < 8; ++i) {
            const TCard c = p.Hand[i];
            p.Weights[i] = 0;
            if (c == NoCard || IsRed(c)) continue;
            OutstandingCounts(c, p.Hand, PlayedCards, n, m);
            p.Weights[i] = n + 1;
        }
        if (!AnyPositive(p.Weights))  // only červené cards left: lead the lowest
            for (int i = 0; i < 8; ++i)
                p.Weights[i] = p.Hand[i] == NoCard ? 0 : 8 - Rank(p.Hand[i]);
        return;
    }
    const int ledSuit = Suit(LedCard(p.Seat, TrickCards));
    const int top = HighestTableRank(ledSuit, TrickCards);
    if (HoldsSuit(p, ledSuit)) {
        for (int i = 0; i < 8; ++i) {
            const TCard c = p.Hand[i];
            p.Weights[i] = (c != NoCard && Suit(c) == ledSuit) ? FollowWeight(top, Rank(c)) : 0;
        }
        return;
    }
    for (int i = 0; i < 8; ++i) {  // discarding
        const TCard c = p.Hand[i];
        p.Weights[i] = 0;
        if (c == NoCard) continue;
        OutstandingCounts(c, p.Hand, PlayedCards, n, m);
        p.Weights[i] = m > 0 ? 14 - 2 * n : 1;
        if (IsRed(c)) p.Weights[i] += 1;
    }
}

void FilkyWeightsLevel1(THrac &p)
{
    int n, m;
    if (p.OnMove) {
        for (int i = 0; i < 8; ++i) {
            const TCard c = p.Hand[i];
            p.Weights[i] = 0;
            if (c == NoCard) continue;
            OutstandingCounts(c, p.Hand, PlayedCards, n, m);
            if (Rank(c) == Filek)
                p.Weights[i] = (n > 0 && m == 0) ? 9 : 1;
            else
                p.Weights[i] = n + 1;
        }
        return;
    }
    const int ledSuit = Suit(LedCard(p.Seat, TrickCards));
    const int top = HighestTableRank(ledSuit, TrickCards);
    if (HoldsSuit(p, ledSuit)) {
        int filekSlot = -1;
        for (int i = 0; i < 8; ++i) {
            const TCard c = p.Hand[i];
            p.Weights[i] = 0;
            if (c == NoCard || Suit(c) != ledSuit) continue;
            if (Rank(c) == Filek) filekSlot = i;
            if (Rank(c) == Filek && top > Filek) {
                p.Weights[i] = 9;
                continue;
            }
            p.Weights[i] = FollowWeight(top, Rank(c));
            if (Rank(c) > Spodek && top < Filek)
                p.Weights[i] -= 4;
        }
        // A filek under a spodek drops to 0; when it is the only card of the suit it must
        // still be layable, or nobody could follow suit.
        if (!AnyPositive(p.Weights) && filekSlot >= 0)
            p.Weights[filekSlot] = FollowWeight(top, Filek);
        return;
    }
    for (int i = 0; i < 8; ++i) {  // discarding
        const TCard c = p.Hand[i];
        p.Weights[i] = 0;
        if (c == NoCard) continue;
        OutstandingCounts(c, p.Hand, PlayedCards, n, m);
        p.Weights[i] = m > 0 ? 9 - n : 1;
        if (Rank(c) == Filek) p.Weights[i] += 2;
    }
}

void TrickWeights(THrac &p, int contract)
{
    // The human at "vysoká" may lay what the rules allow, as at "nízká"; a thinking computer is
    // held to the same.
    const bool strong = p.GetLevel() == Stredni;
    switch (contract) {
    case Cervene:
        strong ? CerveneWeightsLevel1(p) : NoRedLeadWeights(p);
        break;
    case Filky:
        strong ? FilkyWeightsLevel1(p) : RandomWeights(p);
        break;
    case CervenyKral:
        NoRedLeadWeights(p);
        break;
    default:  // Pr-Po, Všechny
        RandomWeights(p);
        break;
    }
}

void ChooseCard(THrac &p, int contract)
{
    TrickWeights(p, contract);
    if (!p.IsComputer) {
        AwaitHumanMove(p, contract);
        return;
    }
    int slot = PickSlot(p.Weights);
    if (p.GetLevel() == Vysoka) slot = ThinkingSlot(p, contract, slot);
    TrickCards[p.Seat] = LayCard(p, slot, TrickImages[p.Seat]);
}

TCard LayCard(THrac &p, int slot, TImage *place)
{
    if (slot < 0)
        return NoCard;  // cannot happen: every hand asked for a card has an admissible one
    const TCard k = p.Hand[slot];
    TellCard(p.Name, k, place);
    place->LoadPicture(CardResourceName(k));
    PlayedCards[k] = true;
    p.RemoveCard(slot);
    return k;
}
