#include "pravidla.h"

#include <cstdlib>

TMask MaskOf(const TCard hand[8])
{
    TMask m = 0;
    for (int i = 0; i < 8; ++i)
        if (hand[i] < NoCard) m |= Bit(hand[i]);
    return m;
}

TMask MaskOf(const bool played[32])
{
    TMask m = 0;
    for (int c = 0; c < 32; ++c)
        if (played[c]) m |= Bit(TCard(c));
    return m;
}

int TrickWinner(const TCard cards[4], int leader)
{
    int winner = leader;
    for (int i = 0; i < 4; ++i)
        if (Suit(cards[i]) == Suit(cards[winner]) && cards[i] > cards[winner])
            winner = i;
    return winner;
}

int TrickPoints(int contract, const TCard cards[4], int k)
{
    int points = 0;
    switch (contract) {
    case Cervene:
        for (int i = 0; i < 4; ++i) points += IsRed(cards[i]) ? 1 : 0;
        break;
    case Filky:
        for (int i = 0; i < 4; ++i) points += (cards[i] != NoCard && Rank(cards[i]) == Filek) ? 2 : 0;
        break;
    case PrPo:
        points = (k == 3 || k == 31) ? 4 : 0;
        break;
    case Vsechny:
        points = 1;
        break;
    case CervenyKral:
        for (int i = 0; i < 4; ++i) points += cards[i] == 6 ? 8 : 0;
        break;
    }
    return points;
}

bool ContractOver(int contract, TMask played)
{
    constexpr TMask filky = Bit(5) | Bit(13) | Bit(21) | Bit(29);
    switch (contract) {
    case Cervene:
        return (played & RedCards) == RedCards;
    case Filky:
        return (played & filky) == filky;
    case CervenyKral:
        return played & Bit(6);
    default:
        return false;
    }
}

bool ContractOver(int contract, const bool played[32]) { return ContractOver(contract, MaskOf(played)); }

TMask AdmissibleTrickCards(int contract, TMask hand, TCard led)
{
    if (led != NoCard) {
        const TMask suit = hand & SuitMask(Suit(led));
        return suit ? suit : hand;
    }
    if ((contract == Cervene || contract == CervenyKral) && (hand & ~RedCards))
        return hand & ~RedCards;
    return hand;
}

TMask KvartyLeads(TMask hand)
{
    if (CardsIn(hand) != 8)
        return hand;
    for (int bound = 5; bound <= 8; ++bound) {
        TMask low = 0;
        for (int s = 0; s < 4; ++s) low |= (TMask(0xFF) >> (8 - bound)) << (8 * s);
        if (hand & low) return hand & low;
    }
    return hand;
}

TCard NextInRun(TCard prev) { return prev < NoCard && Rank(prev) < Eso ? TCard(prev + 1) : NoCard; }

bool IsLayable(TCard c, TMask played)
{
    if (c >= NoCard) return false;
    const int r = Rank(c);
    return r == R10 || (r > R10 && (played & Bit(c - 1))) || (r < R10 && (played & Bit(c + 1)));
}

bool IsLayable(TCard c, const bool played[32]) { return IsLayable(c, MaskOf(played)); }

TMask LayableCards(TMask hand, TMask played)
{
    TMask m = 0;
    for (TMask h = hand; h; h &= h - 1)
        if (IsLayable(LowestIn(h), played)) m |= Bit(LowestIn(h));
    return m;
}

bool KeepsTurn(TMask hand, TMask played)
{
    for (TMask h = hand; h; h &= h - 1) {
        const TCard c = LowestIn(h);
        if (Rank(c) == R10 || IsLayable(c, played)) continue;
        const TCard towardsTen = TCard(Rank(c) > R10 ? c - 1 : c + 1);
        if (!(hand & Bit(towardsTen))) return false;
    }
    return true;
}

int DesitkyPreference(TCard c, TMask hand)
{
    int weight = 0;
    for (TMask h = hand & SuitMask(Suit(c)); h; h &= h - 1) {
        const TCard d = LowestIn(h);
        weight += d == c ? 1 : DistanceWeight(4 - std::abs(int(d) - int(c)));
    }
    return weight;
}

void FinalPlaces(const int totals[4], int places[4])
{
    for (int p = 0; p < 4; ++p) {
        places[p] = 1;
        for (int q = 0; q < 4; ++q)
            if (totals[q] < totals[p]) ++places[p];
    }
}
