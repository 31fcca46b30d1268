#pragma once
// The play of each contract, Maturita and the whole match.
#include "hrac.h"
#include "karty.h"
#include "pravidla.h"

#include "mysleni.h"

#include <functional>

// --- what a seat sees, and the thinking computer ---
// What the seat of a player sees now in the contract played: built by the table, the only thing
// the thinking computer is given.
TPohled SeatView(const THrac &p, int contract);
// The thinking computer's move for that view, thought out off the window thread.
TCard Think(const TPohled &view);
// The hand slot of the card the thinking computer lays; the fallback where it names no card the
// player's weights allow.
int ThinkingSlot(const THrac &p, int contract, int fallback);
// The move the thinking computer would make in the seat of the player now asked for a move: a
// card, or KonecTahu where ending the turn is best. Seeded by the position, so that asking twice
// gives the same answer and the game's own generator is left as it was.
TCard Hint(const THrac &p, int contract);
// Test and benchmark seams: told how long each decision took; the deals played out for each
// decision where positive.
extern std::function<void(double ms)> ThinkTimeSeam;
extern int ThinkDealsSeam;

// --- trick contracts ---
void PlayTrickContract(int contract);
// The last trick taken in the running trick contract, its cards by seat; no leader before the
// first trick of a contract.
struct TStych {
    TCard cards[4] = {NoCard, NoCard, NoCard, NoCard};
    int leader = -1, winner = -1, points = 0;
};
extern TStych LastTrick;
// Told of every trick taken, and of the contract's end (LastTrick then has no leader).
extern std::function<void()> LastTrickChanged;

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
void PlayMaturita(int chooser, int attempt);
