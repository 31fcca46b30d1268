#pragma once
// The thinking computer of strength "vysoká". It decides from what one seat sees and nothing
// more: it deals the cards it cannot see many times, in every way that agrees with what the
// play so far has shown, plays each deal out to the end of the contract, and takes the move
// that costs it the fewest penalty points on average. It knows nothing of the board.
#include "pravidla.h"

#include <atomic>
#include <cstdint>

// In Desítky, the move that ends the turn after at least one card.
constexpr TCard KonecTahu = NoCard;

// What one seat sees at the moment it decides.
struct TPohled {
    int contract = Cervene;  // the contract played, 0..6
    int seat = 0;            // the seat that decides
    TMask hand = 0;          // its own cards
    TMask played = 0;        // every card laid in this contract (the table and the Desítky grid too)
    TMask lacks[4] = {};     // cards each seat has shown it does not hold
    int counts[4] = {};      // cards in each hand
    int points[4] = {};      // penalty points each seat has taken in this contract so far
    // Trick contracts: the table by seat, who led to it, and the cards laid before it.
    TCard trick[4] = {NoCard, NoCard, NoCard, NoCard};
    int leader = 0;
    int play = 0;
    // Desítky: whether the seat has laid a card in this turn, so that it may end it.
    bool playedThisTurn = false;
    // Maturita: the seat that must come through without a point, -1 outside a Maturita.
    int chooser = -1;
    // How many deals are played out for a decision (fewer for quick checks).
    int deals = 0;
};

bool operator==(const TPohled &a, const TPohled &b);

// The moves the seat may make: its cards the rules allow, and KonecTahu where it may end a turn.
TMask LegalMoves(const TPohled &view, bool &mayEndTurn);
// The move of the seat: a card of its hand, or KonecTahu. The same view and seed give the same
// move; a set cancel flag stops the thinking early (the move is then any legal one).
TCard Rozhodni(const TPohled &view, std::uint64_t seed, const std::atomic<bool> *cancel = nullptr);
// A Maturita chooser's contract: of the contracts offered, the one it most likely comes through
// without a point with this hand, leading as the round's starter.
int VyberMaturitu(TMask hand, int seat, const int *offered, int count, std::uint64_t seed,
                  const std::atomic<bool> *cancel = nullptr);
