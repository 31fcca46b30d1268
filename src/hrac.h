#pragma once
// The player record and the computer's card choice in the five trick contracts.
#include "karty.h"

#include <QString>
#include <cstdint>

class QLabel;

// The strengths of a seat: the first two weigh the cards one move ahead, "vysoká" thinks.
enum TLevel : std::uint8_t { Nizka = 0, Stredni = 1, Vysoka = 2 };

class THrac
{
public:
    THrac(bool IsComputer, int Seat, bool StartsRound);

    std::uint8_t Level = Nizka;    // 0 "nízká", 1 "střední", 2 "vysoká"
    QString Name;
    bool StartsRound = false;      // forehand of the current round
    bool OnMove = false;           // leads the trick / has the turn
    bool IsComputer = false;
    int Weights[8] = {};           // preference per hand slot; 0 = may not be laid
    QLabel *CountLabel = nullptr;  // the board's card-count label, none for the human
    bool Marked = false;           // its count is marked as on turn
    bool PlayedThisTurn = false;   // has laid a card in the current Desítky turn
    int Seat = 0;
    int Score = 0;
    int CardCount = 0;
    TCard Hand[8] = {};

    void AddCard(TCard card);
    void ResetHand();
    void SetLevel(std::uint8_t level) { Level = level; }
    std::uint8_t GetLevel() const { return Level; }

    // Takes the card in a hand slot out of the hand and keeps the count label in step.
    TCard RemoveCard(int slot);
    void ShowCount();
};

// --- rule computations on plain data ---

// The card led to the current trick, seen from a seat: the leader's card.
TCard LedCard(int seat, const TCard table[4]);
// Highest rank of the led suit lying on the table, 0 when none (an empty table).
int HighestTableRank(int ledSuit, const TCard table[4]);
// Cards of the card's suit that are neither played nor in this hand, above (n) and below (m) it.
void OutstandingCounts(TCard card, const TCard hand[8], const bool played[32], int &n, int &m);
// Level-1 preference for following suit, d = highest table rank - rank of the card.
int FollowWeight(int highestTableRank, int rank);
// The slot a computer lays: the largest positive weight, ties to the lowest slot; -1 if none.
int PickSlot(const int weights[8]);

// --- weight rules (they read TrickCards and PlayedCards of the table) ---
int RandomWeight();
void RandomWeights(THrac &p);
void FollowSuitWeights(THrac &p);
void NoRedLeadWeights(THrac &p);
void CerveneWeightsLevel1(THrac &p);
void FilkyWeightsLevel1(THrac &p);
void TrickWeights(THrac &p, int contract);

// A computer lays the card of a hand slot onto a place: shown there, marked played and
// taken out of the hand. Returns the card; NoCard for slot -1 (no card may be laid).
TCard LayCard(THrac &p, int slot, class TImage *place);

// One play of a trick contract: a computer lays at once, the human is asked.
void ChooseCard(THrac &p, int contract);
