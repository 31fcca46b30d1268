#pragma once
// The rules of play as plain functions of plain data: the game and the thinking computer both
// go by them, so neither can drift from the other.
#include "karty.h"

#include <bit>
#include <cstdint>

// A set of cards, one bit per card code.
using TMask = std::uint32_t;
constexpr TMask Bit(TCard c) { return TMask(1) << c; }
constexpr TMask SuitMask(int suit) { return TMask(0xFF) << (8 * suit); }
constexpr TMask RedCards = SuitMask(0);
constexpr TMask AllCards = ~TMask(0);
inline int CardsIn(TMask m) { return std::popcount(m); }
inline TCard LowestIn(TMask m) { return TCard(std::countr_zero(m)); }
inline TCard HighestIn(TMask m) { return TCard(31 - std::countl_zero(m)); }
// The cards of a hand (NoCard in empty slots) or of a played flag per card, as a set.
TMask MaskOf(const TCard hand[8]);
TMask MaskOf(const bool played[32]);

// --- trick contracts ---
// Seat that wins a trick: the highest card of the leader's suit.
int TrickWinner(const TCard cards[4], int leader);
// Penalty points of a finished trick; k is the play number of its fourth card.
int TrickPoints(int contract, const TCard cards[4], int k);
// Whether the contract's penalty cards are all out, so it ends before the eighth trick.
bool ContractOver(int contract, TMask played);
bool ContractOver(int contract, const bool played[32]);
// The cards a hand may lay: the led suit when it holds it (led is NoCard for the leader); a
// leader in Červené and Červený král leads a červené card only when it holds nothing else.
TMask AdmissibleTrickCards(int contract, TMask hand, TCard led);

// --- Kvarty ---
// The cards a hand may lead: a full hand only its cards below the filek, or else its lowest rank.
TMask KvartyLeads(TMask hand);
// The card that continues a run after prev: the next higher of its suit; NoCard after an eso.
TCard NextInRun(TCard prev);

// --- Desítky ---
bool IsLayable(TCard c, TMask played);
bool IsLayable(TCard c, const bool played[32]);
TMask LayableCards(TMask hand, TMask played);
// Whether a computer keeps the turn with the hand left after its card: every card is a 10,
// layable, or waits only on its neighbour towards the 10 that the hand holds itself.
bool KeepsTurn(TMask hand, TMask played);
// How much a card of the hand is worth laying at "střední": its suit's cards the closer the more.
int DesitkyPreference(TCard c, TMask hand);

// --- the match ---
// Places 1..4 from totals, the lowest first, ties sharing a place.
void FinalPlaces(const int totals[4], int places[4]);
