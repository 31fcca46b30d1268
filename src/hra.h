#pragma once
// The play of each contract, Maturita and the whole match.
#include "hrac.h"
#include "karty.h"

// --- trick contracts ---
// Seat that wins a trick: the highest card of the leader's suit.
int TrickWinner(const TCard cards[4], int leader);
// Penalty points of a finished trick; k is the play number of its fourth card.
int TrickPoints(int contract, const TCard cards[4], int k);
// Whether the contract's penalty cards are all out, so it ends before the eighth trick.
bool ContractOver(int contract, const bool played[32]);
void PlayTrickContract(int contract);

// --- the computers' card counts ---
class QLabel;
// Marks a computer's count as on turn (blue) or not (black) for the eye and the ear.
void MarkCount(THrac &p, bool onTurn);
// Paints a computer's count in its colour, made readable on the board's background.
void PaintCount(const THrac &p);

// --- Kvarty ---
void KvartyLeadWeights(THrac &p);
void KvartyLead(THrac &p);
// Where the next card of a run lies: seat and slot of card prev + 1 of the same suit.
bool FindContinuation(TCard prev, int &seat, int &slot);

// --- Desítky ---
bool IsLayable(TCard c, const bool played[32]);
bool IsLayable(TCard c);
bool HasLayableCard(const THrac &p);
void DesitkyWeightsLevel0(THrac &p);
void DesitkyWeightsLevel1(THrac &p);
bool KeepsTurn(const THrac &p);
void DesitkyMove(THrac &p);

// --- Maturita and the match ---
// Contract chosen at a position of the chooser list on the given attempt.
int MaturitaChoice(int attempt, int position);
// The seat of the round's starter (the last with StartsRound), 0 if none.
int MaturitaChooser();
// Places 1..4 from totals, the lowest first, ties sharing a place.
void FinalPlaces(const int totals[4], int places[4]);
void PlayMaturita(int chooser, int attempt);
