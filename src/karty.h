#pragma once
// Card and contract vocabulary shared by the whole game.
#include <QString>
#include <cstdint>

using TCard = std::uint8_t;

// 0..31 are real cards: suit = code / 8, rank = code % 8; 32 marks an empty place.
constexpr TCard NoCard = 32;

enum TContract : int {
    Cervene = 0,
    Filky = 1,
    PrPo = 2,
    Vsechny = 3,
    CervenyKral = 4,
    Kvarty = 5,
    Desitky = 6,
    Maturita = 7,
    ZadnaHra = 8  // no particular contract (the plain standings window)
};

// Ranks by their index within a suit.
enum TRank : int { R7 = 0, R8, R9, R10, Spodek, Filek, Kral, Eso };

constexpr int Suit(TCard c) { return c >> 3; }
constexpr int Rank(TCard c) { return c & 7; }
constexpr bool IsRed(TCard c) { return c < 8; }

// Name of the embedded picture of a card (PRAZDNE for NoCard).
QString CardResourceName(TCard c);
// Display name of a contract; contract 8 gives the empty text.
QString ContractName(int contract);
// What a picture shows, in words a player (or a screen reader) would use.
QString PictureDescription(const QString &resourceName);

// Registers the embedded pictures (they live in a static library).
void InitCardPictures();

// Desítky preference by distance: 1, 2, 4, 8 for 0..3, else 0.
int DistanceWeight(int n);
