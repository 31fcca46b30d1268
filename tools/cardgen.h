#pragma once
// Shared vocabulary of the card-picture generator: the deck, the colours and the drawing
// pieces that one file of the generator hands to another. All drawing happens in a 90 x 150
// "card unit" coordinate system; each output size just scales the painter.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <array>
#include <functional>
#include <vector>

namespace cardgen {

constexpr int kCardW = 90;
constexpr int kCardH = 150;

// ---------------------------------------------------------------------------
// Deck description
// ---------------------------------------------------------------------------

enum class Suit { Cervena, Zaludy, Kule, Zelena };
enum class Rank { R7, R8, R9, R10, Spodek, Filek, Kral, Eso };

constexpr std::array<Suit, 4> kSuits = {Suit::Cervena, Suit::Zaludy, Suit::Kule, Suit::Zelena};
constexpr std::array<Rank, 8> kRanks = {Rank::R7,     Rank::R8,    Rank::R9,   Rank::R10,
                                        Rank::Spodek, Rank::Filek, Rank::Kral, Rank::Eso};
inline const char *suitName(Suit s)
{
    switch (s) {
    case Suit::Cervena: return "CERVENA";
    case Suit::Zaludy: return "ZALUDY";
    case Suit::Kule: return "KULE";
    case Suit::Zelena: return "ZELENA";
    }
    return "";
}

inline const char *rankName(Rank r)
{
    switch (r) {
    case Rank::R7: return "7";
    case Rank::R8: return "8";
    case Rank::R9: return "9";
    case Rank::R10: return "10";
    case Rank::Spodek: return "S";
    case Rank::Filek: return "F";
    case Rank::Kral: return "K";
    case Rank::Eso: return "E";
    }
    return "";
}

enum class Kind { Card, Empty, Back };

struct Picture {
    QString name;
    Kind kind = Kind::Card;
    Suit suit = Suit::Cervena;
    Rank rank = Rank::R7;
};

// ---------------------------------------------------------------------------
// Colours
// ---------------------------------------------------------------------------

inline const QColor kEmptyGrey(0xA0, 0xA0, 0xA4);   // the empty place, exact
inline const QColor kBmpCorner(0xA0, 0xA0, 0xA4);   // outside the rounded corners in BMPs
inline const QColor kFace(0xFF, 0xFC, 0xF2);        // ivory card face
inline const QColor kBorder(0x2B, 0x2B, 0x30);
inline const QColor kLine(0x3A, 0x2A, 0x22);        // outline of figure drawings
inline const QColor kSkin(0xF6, 0xD2, 0xAE);
inline const QColor kSkinShade(0xD9, 0x9E, 0x7C);
inline const QColor kGold(0xF2, 0xC2, 0x34);
inline const QColor kGoldDark(0x8E, 0x62, 0x10);
inline const QColor kWhite(0xFA, 0xF8, 0xF2);

struct SuitColours {
    QColor main;   // clothing, pip body
    QColor dark;   // outlines, trims
    QColor light;  // highlights
    QColor ink;    // corner index glyphs (must read well on ivory)
    QColor tint;   // pale background in frames
};

inline SuitColours coloursOf(Suit s)
{
    switch (s) {
    case Suit::Cervena:
        return {QColor(0xD2, 0x2B, 0x2B), QColor(0x7E, 0x10, 0x10), QColor(0xF4, 0x8A, 0x7A),
                QColor(0xC4, 0x1C, 0x1C), QColor(0xFB, 0xEC, 0xE6)};
    case Suit::Zaludy:
        return {QColor(0xA2, 0x62, 0x2A), QColor(0x55, 0x30, 0x12), QColor(0xDC, 0xA8, 0x6A),
                QColor(0x6E, 0x3C, 0x16), QColor(0xF6, 0xEE, 0xE0)};
    case Suit::Kule:
        return {QColor(0xF2, 0xA8, 0x1D), QColor(0xA3, 0x5A, 0x0C), QColor(0xFF, 0xE0, 0x7A),
                QColor(0xC2, 0x5E, 0x06), QColor(0xFD, 0xF4, 0xDC)};
    case Suit::Zelena:
        return {QColor(0x3E, 0x9B, 0x34), QColor(0x1C, 0x5A, 0x18), QColor(0x9A, 0xD2, 0x7A),
                QColor(0x22, 0x70, 0x28), QColor(0xEE, 0xF6, 0xE6)};
    }
    return {};
}

enum class Figure { Spodek, Filek, Kral };

// --- symbols.cpp: drawing helpers and the four suit symbols
void fillOutlined(QPainter &p, const QPainterPath &path, const QBrush &fill, const QColor &line,
                  qreal width);
void strokeLine(QPainter &p, const QPainterPath &path, const QColor &c, qreal width,
                Qt::PenCapStyle cap = Qt::RoundCap);
QPainterPath ellipsePath(qreal cx, qreal cy, qreal rx, qreal ry);
QPainterPath polyPath(std::initializer_list<QPointF> pts, bool closed);
QPainterPath heartShape();
QPainterPath leafShape();
QPainterPath leafStem();
// Draws the suit symbol of the given height centred on `centre`.
// With `halo` set, an ivory rim is drawn first so the symbol stands out when
// it sits on clothing of the same colour.
void drawSymbol(QPainter &p, Suit s, QPointF centre, qreal height, qreal angle = 0,
                bool halo = false);

// --- faces.cpp: the blank face, corner indices, pips and aces
QPainterPath cardOutline();
void drawBlankFace(QPainter &p);
void drawIndices(QPainter &p, Suit s, Rank r);
void drawPips(QPainter &p, Suit s, Rank r);
void drawAce(QPainter &p, Suit s);

// --- figures.cpp: spodek, filek and král
void drawFigureCard(QPainter &p, Suit s, Figure f);

// --- back_icon.cpp: the card back and the application icon
void drawBack(QPainter &p);
void drawIcon(QPainter &p);
QByteArray iconSvg();

// --- output.cpp: rendering, the shared palette and the files
QImage renderScaled(const std::function<void(QPainter &)> &draw, int w, int h, qreal unitsW,
                    qreal unitsH, int supersample);
QImage renderCard(const Picture &pic, int w, int h, int supersample);
QImage flatten(const QImage &img, const QColor &bg);
struct Rgb {
    int r, g, b;
};
std::vector<Rgb> buildPalette(const std::vector<QImage> &images, const std::vector<Rgb> &fixed);
bool writeFile(const QString &path, const QByteArray &data);
bool savePng(const QImage &img, const QString &path);
// Whether every file written under `written` is in `committed`: the same bytes, or for a PNG
// the same pixels within one level.
bool samePictures(const QString &written, const QString &committed);
// Writes an 8-bit BMP with the shared palette, reads it back and checks its layout;
// meanErr receives the mean quantisation error.
bool writeBmp(const QImage &img, const std::vector<Rgb> &pal, const QString &path,
              bool uniformEmpty, double &meanErr);

}  // namespace cardgen
