// Tamsa card picture generator.
//
// Draws the 32-card German-suited deck, the empty place, the card back and the
// application icon with QPainter, and writes them to OUTPUT_DIR:
//
//   cards/NAME.bmp      90x150, 8-bit palettised BMP (one shared palette)
//   RUB.bmp             card back, same format
//   cards2x/NAME.png    180x300 RGBA
//   cards3x/NAME.png    270x450 RGBA
//   icons/tamsa-{48,128,256}.png, icons/tamsa.svg
//   tamsa.qrc
//
// No fonts are used: the corner indices are drawn from our own stroked glyph
// outlines, so the output depends only on Qt's rasteriser. Everything is
// deterministic; running the tool twice produces byte-identical files.
//
// All card drawing happens in a 90x150 "card unit" coordinate system; each
// output size just scales the painter. Pictures are rendered supersampled and
// scaled down with an area filter.

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QString>
#include <QTextStream>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

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

const char *suitName(Suit s)
{
    switch (s) {
    case Suit::Cervena: return "CERVENA";
    case Suit::Zaludy: return "ZALUDY";
    case Suit::Kule: return "KULE";
    case Suit::Zelena: return "ZELENA";
    }
    return "";
}

const char *rankName(Rank r)
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

const QColor kEmptyGrey(0xA0, 0xA0, 0xA4);   // the empty place, exact
const QColor kBmpCorner(0xA0, 0xA0, 0xA4);   // outside the rounded corners in BMPs
const QColor kFace(0xFF, 0xFC, 0xF2);        // ivory card face
const QColor kBorder(0x2B, 0x2B, 0x30);
const QColor kLine(0x3A, 0x2A, 0x22);        // outline of figure drawings
const QColor kSkin(0xF6, 0xD2, 0xAE);
const QColor kSkinShade(0xD9, 0x9E, 0x7C);
const QColor kGold(0xF2, 0xC2, 0x34);
const QColor kGoldDark(0x8E, 0x62, 0x10);
const QColor kWhite(0xFA, 0xF8, 0xF2);

struct SuitColours {
    QColor main;   // clothing, pip body
    QColor dark;   // outlines, trims
    QColor light;  // highlights
    QColor ink;    // corner index glyphs (must read well on ivory)
    QColor tint;   // pale background in frames
};

SuitColours coloursOf(Suit s)
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

// ---------------------------------------------------------------------------
// Small drawing helpers
// ---------------------------------------------------------------------------

void fillOutlined(QPainter &p, const QPainterPath &path, const QBrush &fill, const QColor &line,
                  qreal width)
{
    p.setBrush(fill);
    if (width > 0)
        p.setPen(QPen(line, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    else
        p.setPen(Qt::NoPen);
    p.drawPath(path);
}

void strokeLine(QPainter &p, const QPainterPath &path, const QColor &c, qreal width,
                Qt::PenCapStyle cap = Qt::RoundCap)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, width, Qt::SolidLine, cap, Qt::RoundJoin));
    p.drawPath(path);
}

QPainterPath ellipsePath(qreal cx, qreal cy, qreal rx, qreal ry)
{
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), rx, ry);
    return path;
}

QPainterPath polyPath(std::initializer_list<QPointF> pts, bool closed)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF &pt : pts) {
        if (first)
            path.moveTo(pt);
        else
            path.lineTo(pt);
        first = false;
    }
    if (closed)
        path.closeSubpath();
    return path;
}

// ---------------------------------------------------------------------------
// Suit symbols. Each shape lives in a box of height 1 centred on the origin
// (y from -0.5 at the top to +0.5 at the bottom).
// ---------------------------------------------------------------------------

QPainterPath heartShape()
{
    QPainterPath p;
    p.moveTo(0, -0.29);
    p.cubicTo(-0.05, -0.45, -0.16, -0.5, -0.25, -0.5);
    p.cubicTo(-0.39, -0.5, -0.47, -0.38, -0.47, -0.23);
    p.cubicTo(-0.47, -0.01, -0.27, 0.17, 0, 0.5);
    p.cubicTo(0.27, 0.17, 0.47, -0.01, 0.47, -0.23);
    p.cubicTo(0.47, -0.38, 0.39, -0.5, 0.25, -0.5);
    p.cubicTo(0.16, -0.5, 0.05, -0.45, 0, -0.29);
    p.closeSubpath();
    return p;
}

QPainterPath leafShape()
{
    QPainterPath p;
    p.moveTo(0, -0.5);
    p.cubicTo(0.1, -0.36, 0.44, -0.24, 0.43, 0.0);
    p.cubicTo(0.42, 0.19, 0.25, 0.29, 0.11, 0.24);
    p.cubicTo(0.05, 0.22, 0.02, 0.19, 0, 0.15);
    p.cubicTo(-0.02, 0.19, -0.05, 0.22, -0.11, 0.24);
    p.cubicTo(-0.25, 0.29, -0.42, 0.19, -0.43, 0.0);
    p.cubicTo(-0.44, -0.24, -0.1, -0.36, 0, -0.5);
    p.closeSubpath();
    return p;
}

QPainterPath leafStem()
{
    QPainterPath p;
    p.moveTo(0, 0.12);
    p.cubicTo(0.01, 0.3, -0.01, 0.4, 0.08, 0.49);
    return p;
}

QPainterPath acornNut()
{
    QPainterPath p;
    p.moveTo(0, -0.5);
    p.cubicTo(0.17, -0.48, 0.29, -0.3, 0.29, -0.06);
    p.lineTo(0.29, 0.12);
    p.lineTo(-0.29, 0.12);
    p.lineTo(-0.29, -0.06);
    p.cubicTo(-0.29, -0.3, -0.17, -0.48, 0, -0.5);
    p.closeSubpath();
    return p;
}

QPainterPath acornCap()
{
    QPainterPath p;
    p.moveTo(-0.36, 0.0);
    p.cubicTo(-0.2, -0.06, 0.2, -0.06, 0.36, 0.0);
    p.cubicTo(0.37, 0.2, 0.22, 0.34, 0, 0.35);
    p.cubicTo(-0.22, 0.34, -0.37, 0.2, -0.36, 0.0);
    p.closeSubpath();
    return p;
}

QPainterPath acornStem()
{
    QPainterPath p;
    p.moveTo(0, 0.3);
    p.cubicTo(0.0, 0.4, -0.03, 0.45, -0.1, 0.49);
    return p;
}

QPainterPath bellBall() { return ellipsePath(0, 0.06, 0.43, 0.43); }

// Outline of the whole symbol, used for halos behind symbols placed on clothing.
QPainterPath symbolSilhouette(Suit s)
{
    switch (s) {
    case Suit::Cervena: return heartShape();
    case Suit::Zelena: {
        QPainterPath p = leafShape();
        QPainterPathStroker st;
        st.setWidth(0.07);
        st.setCapStyle(Qt::RoundCap);
        p.addPath(st.createStroke(leafStem()));
        return p;
    }
    case Suit::Zaludy: {
        QPainterPath p = acornNut();
        p.addPath(acornCap());
        QPainterPathStroker st;
        st.setWidth(0.08);
        st.setCapStyle(Qt::RoundCap);
        p.addPath(st.createStroke(acornStem()));
        return p;
    }
    case Suit::Kule: {
        QPainterPath p = bellBall();
        p.addEllipse(QPointF(0, -0.42), 0.1, 0.1);
        return p;
    }
    }
    return {};
}

void drawHeart(QPainter &p, const SuitColours &c)
{
    const QPainterPath h = heartShape();
    QLinearGradient g(QPointF(-0.3, -0.45), QPointF(0.25, 0.4));
    g.setColorAt(0, c.light);
    g.setColorAt(0.45, c.main);
    g.setColorAt(1, c.main.darker(118));
    fillOutlined(p, h, g, c.dark, 0.04);
    // soft gloss on the left lobe
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 110));
    p.save();
    p.translate(-0.24, -0.3);
    p.rotate(-35);
    p.drawEllipse(QPointF(0, 0), 0.09, 0.05);
    p.restore();
}

void drawLeaf(QPainter &p, const SuitColours &c)
{
    strokeLine(p, leafStem(), c.dark, 0.075);
    const QPainterPath leaf = leafShape();
    fillOutlined(p, leaf, c.main, c.dark, 0);
    // lighter left half, as if lit from the left
    p.save();
    p.setClipRect(QRectF(-1, -1, 1, 2));
    p.setClipPath(leaf, Qt::IntersectClip);
    p.setPen(Qt::NoPen);
    p.setBrush(c.main.lighter(125));
    p.drawRect(QRectF(-1, -1, 1, 2));
    p.restore();
    // veins
    QPainterPath rib;
    rib.moveTo(0, 0.15);
    rib.cubicTo(0.0, -0.05, -0.01, -0.25, 0, -0.4);
    strokeLine(p, rib, c.dark, 0.035);
    QPainterPath veins;
    for (qreal t : {-0.24, -0.07, 0.08}) {
        const qreal reach = 0.27 - (t < -0.2 ? 0.07 : 0.0);
        veins.moveTo(0, t);
        veins.quadTo(reach * 0.5, t - 0.05, reach, t - 0.15);
        veins.moveTo(0, t);
        veins.quadTo(-reach * 0.5, t - 0.05, -reach, t - 0.15);
    }
    p.save();
    p.setClipPath(leaf);
    strokeLine(p, veins, c.dark, 0.025);
    p.restore();
    strokeLine(p, leaf, c.dark, 0.04);
}

void drawAcorn(QPainter &p, const SuitColours &c)
{
    const QColor nutLight(0xE0, 0xA8, 0x5C);
    const QColor nutMain(0xBE, 0x7C, 0x36);
    const QColor capMain(0x6E, 0x42, 0x20);
    const QColor capDark(0x3E, 0x22, 0x0C);

    strokeLine(p, acornStem(), capDark, 0.08);

    const QPainterPath nut = acornNut();
    QLinearGradient g(QPointF(-0.3, -0.3), QPointF(0.3, 0.1));
    g.setColorAt(0, nutLight);
    g.setColorAt(0.5, nutMain);
    g.setColorAt(1, nutMain.darker(130));
    fillOutlined(p, nut, g, c.dark, 0.04);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 210, 150));
    p.drawEllipse(QPointF(-0.13, -0.2), 0.045, 0.13);
    p.setBrush(capDark);
    p.drawEllipse(QPointF(0, -0.47), 0.035, 0.035);

    const QPainterPath cap = acornCap();
    fillOutlined(p, cap, capMain, capDark, 0);
    // scaly texture: a diagonal lattice clipped to the cap
    p.save();
    p.setClipPath(cap);
    QPainterPath hatch;
    for (int i = -8; i <= 8; ++i) {
        const qreal x = i * 0.1;
        hatch.moveTo(x - 0.4, -0.1);
        hatch.lineTo(x + 0.4, 0.5);
        hatch.moveTo(x + 0.4, -0.1);
        hatch.lineTo(x - 0.4, 0.5);
    }
    strokeLine(p, hatch, capDark, 0.028, Qt::FlatCap);
    p.restore();
    QPainterPath rim;
    rim.moveTo(-0.33, 0.03);
    rim.cubicTo(-0.18, -0.02, 0.18, -0.02, 0.33, 0.03);
    strokeLine(p, rim, QColor(0xA8, 0x74, 0x40), 0.035);
    strokeLine(p, cap, capDark, 0.04);
}

void drawBell(QPainter &p, const SuitColours &c)
{
    const QColor outline(0x7A, 0x3E, 0x0A);
    // hanging loop
    strokeLine(p, ellipsePath(0, -0.42, 0.065, 0.065), outline, 0.05);

    const QPainterPath ball = bellBall();
    QRadialGradient g(QPointF(-0.14, -0.12), 0.6, QPointF(-0.16, -0.16));
    g.setColorAt(0, QColor(0xFF, 0xF0, 0xA0));
    g.setColorAt(0.35, c.light);
    g.setColorAt(0.75, c.main);
    g.setColorAt(1, c.main.darker(125));
    fillOutlined(p, ball, g, outline, 0);

    p.save();
    p.setClipPath(ball);
    // the raised band around the middle
    QPainterPath band;
    band.moveTo(-0.46, -0.02);
    band.cubicTo(-0.25, 0.09, 0.25, 0.09, 0.46, -0.02);
    band.lineTo(0.46, 0.1);
    band.cubicTo(0.25, 0.21, -0.25, 0.21, -0.46, 0.1);
    band.closeSubpath();
    fillOutlined(p, band, c.dark, outline, 0);
    QPainterPath shine;
    shine.moveTo(-0.46, 0.04);
    shine.cubicTo(-0.25, 0.15, 0.25, 0.15, 0.46, 0.04);
    strokeLine(p, shine, c.main.lighter(115), 0.03);
    p.restore();

    // sound slot with the clapper peeking out
    QPainterPath slot;
    slot.moveTo(-0.16, 0.31);
    slot.quadTo(0, 0.35, 0.16, 0.31);
    strokeLine(p, slot, QColor(0x4A, 0x22, 0x06), 0.05);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4A, 0x22, 0x06));
    p.drawEllipse(QPointF(-0.16, 0.31), 0.045, 0.045);
    p.drawEllipse(QPointF(0.16, 0.31), 0.045, 0.045);
    p.drawEllipse(QPointF(0, 0.335), 0.065, 0.06);

    strokeLine(p, ball, outline, 0.048);
}

// Draws the suit symbol of the given height centred on `centre`.
// With `halo` set, an ivory rim is drawn first so the symbol stands out when
// it sits on clothing of the same colour.
void drawSymbol(QPainter &p, Suit s, QPointF centre, qreal height, qreal angle = 0,
                bool halo = false)
{
    const SuitColours c = coloursOf(s);
    p.save();
    p.translate(centre);
    p.rotate(angle);
    p.scale(height, height);
    if (halo) {
        p.setPen(QPen(kWhite, 0.16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(kWhite);
        p.drawPath(symbolSilhouette(s));
    }
    switch (s) {
    case Suit::Cervena: drawHeart(p, c); break;
    case Suit::Zaludy: drawAcorn(p, c); break;
    case Suit::Kule: drawBell(p, c); break;
    case Suit::Zelena: drawLeaf(p, c); break;
    }
    p.restore();
}

// ---------------------------------------------------------------------------
// Index glyphs: bold strokes of width kGlyphPen in a box of height 1.
// ---------------------------------------------------------------------------

constexpr qreal kGlyphPen = 0.2;

struct Glyph {
    QPainterPath outline;  // filled shape, y in [0, 1]
    qreal width = 0;
};

Glyph makeGlyph(char ch)
{
    QPainterPath c;  // centre line of the strokes
    qreal w = 0.62;
    Qt::PenJoinStyle join = Qt::MiterJoin;
    switch (ch) {
    case '7':
        c.moveTo(0.0, 0.1);
        c.lineTo(0.56, 0.1);
        c.cubicTo(0.4, 0.32, 0.26, 0.6, 0.23, 1.0);
        w = 0.64;
        break;
    case '8':
        c.addEllipse(QPointF(0.32, 0.285), 0.215, 0.185);
        c.addEllipse(QPointF(0.32, 0.695), 0.245, 0.205);
        w = 0.66;
        break;
    case '9':
        c.addEllipse(QPointF(0.31, 0.33), 0.215, 0.23);
        c.moveTo(0.525, 0.33);
        c.lineTo(0.525, 0.55);
        c.cubicTo(0.525, 0.8, 0.38, 0.9, 0.2, 0.9);
        c.lineTo(0.06, 0.9);
        w = 0.63;
        break;
    case '1':
        c.moveTo(0.0, 0.24);
        c.lineTo(0.2, 0.1);
        c.moveTo(0.2, 0.0);
        c.lineTo(0.2, 1.0);
        w = 0.3;
        break;
    case '0':
        c.addEllipse(QPointF(0.27, 0.5), 0.17, 0.4);
        w = 0.54;
        break;
    case 'S':
        c.moveTo(0.55, 0.24);
        c.cubicTo(0.5, 0.13, 0.41, 0.1, 0.3, 0.1);
        c.cubicTo(0.17, 0.1, 0.09, 0.18, 0.09, 0.29);
        c.cubicTo(0.09, 0.43, 0.2, 0.47, 0.31, 0.5);
        c.cubicTo(0.45, 0.54, 0.55, 0.59, 0.55, 0.7);
        c.cubicTo(0.55, 0.83, 0.45, 0.9, 0.31, 0.9);
        c.cubicTo(0.18, 0.9, 0.09, 0.84, 0.05, 0.74);
        w = 0.64;
        join = Qt::RoundJoin;
        break;
    case 'F':
        c.moveTo(0.6, 0.1);
        c.lineTo(0.1, 0.1);
        c.lineTo(0.1, 1.0);
        c.moveTo(0.1, 0.5);
        c.lineTo(0.5, 0.5);
        w = 0.6;
        break;
    case 'E':
        c.moveTo(0.6, 0.1);
        c.lineTo(0.1, 0.1);
        c.lineTo(0.1, 0.9);
        c.lineTo(0.6, 0.9);
        c.moveTo(0.1, 0.5);
        c.lineTo(0.53, 0.5);
        w = 0.6;
        break;
    case 'K':
        c.moveTo(0.1, 0.0);
        c.lineTo(0.1, 1.0);
        c.moveTo(0.68, -0.05);
        c.lineTo(0.17, 0.57);
        c.moveTo(0.3, 0.42);
        c.lineTo(0.72, 1.05);
        w = 0.66;
        break;
    default: break;
    }
    QPainterPathStroker st;
    st.setWidth(kGlyphPen);
    st.setCapStyle(Qt::FlatCap);
    st.setJoinStyle(join);
    st.setMiterLimit(4);
    QPainterPath outline = st.createStroke(c).simplified();
    QPainterPath box;
    box.addRect(QRectF(-0.2, 0, w + 0.4, 1));
    return {outline.intersected(box), w};
}

// Outline of a rank label ("10" has two glyphs) of the given height, its top
// edge centred on `topCentre`, squeezed horizontally to at most `maxWidth`.
QPainterPath rankLabel(Rank r, QPointF topCentre, qreal height, qreal maxWidth)
{
    const QByteArray text(rankName(r));
    constexpr qreal kGap = 0.05;
    std::vector<Glyph> glyphs;
    qreal total = 0;
    for (char ch : text) {
        glyphs.push_back(makeGlyph(ch));
        total += glyphs.back().width;
    }
    total += kGap * (glyphs.size() - 1);
    const qreal sx = std::min(height, maxWidth / total);
    QPainterPath out;
    qreal x = 0;
    for (const Glyph &g : glyphs) {
        QTransform t;
        t.translate(topCentre.x() + (x - total / 2) * sx, topCentre.y());
        t.scale(sx, height);
        out.addPath(t.map(g.outline));
        x += g.width + kGap;
    }
    return out;
}

// ---------------------------------------------------------------------------
// Card face parts
// ---------------------------------------------------------------------------

const QRectF kCardRect(0.5, 0.5, kCardW - 1.0, kCardH - 1.0);
constexpr qreal kCornerRadius = 5.5;

QPainterPath cardOutline()
{
    QPainterPath p;
    p.addRoundedRect(kCardRect, kCornerRadius, kCornerRadius);
    return p;
}

void drawBlankFace(QPainter &p)
{
    fillOutlined(p, cardOutline(), kFace, kBorder, 1.0);
}

// Rank and small suit symbol in the top-left corner and, turned round, in the
// bottom-right one.
void drawIndices(QPainter &p, Suit s, Rank r)
{
    const SuitColours c = coloursOf(s);
    const QPainterPath label = rankLabel(r, QPointF(9.0, 4.2), 16.5, 13.0);
    for (int turn = 0; turn < 2; ++turn) {
        p.save();
        if (turn == 1) {
            p.translate(kCardW, kCardH);
            p.rotate(180);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(c.ink);
        p.drawPath(label);
        drawSymbol(p, s, QPointF(9.0, 28.6), 10.0);
        p.restore();
    }
}

void drawPips(QPainter &p, Suit s, Rank r)
{
    constexpr qreal kLeft = 26, kRight = 64, kMid = 45;
    constexpr qreal kPip = 18.5;
    std::vector<QPointF> at;
    auto column = [&](std::initializer_list<qreal> ys) {
        for (qreal y : ys) {
            at.emplace_back(kLeft, y);
            at.emplace_back(kRight, y);
        }
    };
    switch (r) {
    case Rank::R7:
        column({25, 75, 125});
        at.emplace_back(kMid, 50);
        break;
    case Rank::R8: column({24, 58, 92, 126}); break;
    case Rank::R9:
        column({24, 58, 92, 126});
        at.emplace_back(kMid, 75);
        break;
    case Rank::R10:
        column({24, 58, 92, 126});
        at.emplace_back(kMid, 41);
        at.emplace_back(kMid, 109);
        break;
    default: break;
    }
    // the slim acorn gets a little more height to look as heavy as the others
    const qreal size = s == Suit::Zaludy ? kPip * 1.08 : kPip;
    for (const QPointF &pt : at)
        drawSymbol(p, s, pt, size, pt.y() > kCardH / 2.0 ? 180 : 0);
}

void drawAce(QPainter &p, Suit s)
{
    const SuitColours c = coloursOf(s);
    const QPointF mid(45, 75);
    // oval cartouche with a double rim
    fillOutlined(p, ellipsePath(mid.x(), mid.y(), 31, 50), c.tint, c.dark, 1.3);
    strokeLine(p, ellipsePath(mid.x(), mid.y(), 28.2, 47.2), c.main, 0.55);

    // small flourishes at the four ends of the oval
    auto flourish = [&](qreal angle) {
        p.save();
        p.translate(mid);
        p.rotate(angle);
        p.translate(0, -50);
        QPainterPath curls;
        curls.moveTo(0, 0);
        curls.cubicTo(-2.5, -3.5, -7.5, -2.5, -7, 1.2);
        curls.cubicTo(-6.8, 3, -4.5, 3, -4.4, 1.3);
        curls.moveTo(0, 0);
        curls.cubicTo(2.5, -3.5, 7.5, -2.5, 7, 1.2);
        curls.cubicTo(6.8, 3, 4.5, 3, 4.4, 1.3);
        strokeLine(p, curls, c.dark, 0.9);
        QPainterPath drop = polyPath({{0, -5.2}, {1.9, -2.2}, {0, -0.6}, {-1.9, -2.2}}, true);
        fillOutlined(p, drop, c.main, c.dark, 0.5);
        p.restore();
    };
    flourish(0);
    flourish(180);
    for (qreal side : {-1.0, 1.0}) {
        p.setPen(QPen(c.dark, 0.5));
        p.setBrush(c.main);
        p.drawEllipse(QPointF(mid.x() + side * 31, mid.y()), 1.8, 1.8);
    }
    drawSymbol(p, s, mid, 46);
}

// ---------------------------------------------------------------------------
// Figure cards: double-ended, each half shows the figure from the waist up.
// The half is drawn in the top part of the frame and repeated turned round.
// ---------------------------------------------------------------------------

const QRectF kFrame(15.5, 5.5, 59, 139);
constexpr qreal kDivider = 75;

enum class Figure { Spodek, Filek, Kral };

void drawFace(QPainter &p, QPointF c, bool smile)
{
    // ears
    fillOutlined(p, ellipsePath(c.x() - 6.9, c.y() + 0.8, 1.6, 2.3), kSkin, kLine, 0.5);
    fillOutlined(p, ellipsePath(c.x() + 6.9, c.y() + 0.8, 1.6, 2.3), kSkin, kLine, 0.5);
    fillOutlined(p, ellipsePath(c.x(), c.y(), 6.8, 8.0), kSkin, kLine, 0.6);
    // cheeks
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF0, 0x90, 0x80, 90));
    p.drawEllipse(QPointF(c.x() - 4.0, c.y() + 2.8), 1.7, 1.2);
    p.drawEllipse(QPointF(c.x() + 4.0, c.y() + 2.8), 1.7, 1.2);
    // eyes and brows
    p.setBrush(QColor(0x24, 0x1C, 0x18));
    p.drawEllipse(QPointF(c.x() - 2.6, c.y() - 0.4), 0.85, 0.95);
    p.drawEllipse(QPointF(c.x() + 2.6, c.y() - 0.4), 0.85, 0.95);
    QPainterPath brows;
    brows.moveTo(c.x() - 4.0, c.y() - 2.4);
    brows.quadTo(c.x() - 2.7, c.y() - 3.4, c.x() - 1.3, c.y() - 2.7);
    brows.moveTo(c.x() + 4.0, c.y() - 2.4);
    brows.quadTo(c.x() + 2.7, c.y() - 3.4, c.x() + 1.3, c.y() - 2.7);
    strokeLine(p, brows, QColor(0x4A, 0x32, 0x22), 0.55);
    // nose
    QPainterPath nose;
    nose.moveTo(c.x() + 0.1, c.y() - 0.2);
    nose.quadTo(c.x() - 0.9, c.y() + 2.2, c.x() - 0.3, c.y() + 2.6);
    nose.lineTo(c.x() + 0.7, c.y() + 2.5);
    strokeLine(p, nose, kSkinShade, 0.55);
    // mouth
    QPainterPath mouth;
    mouth.moveTo(c.x() - 1.8, c.y() + 4.5);
    mouth.quadTo(c.x(), c.y() + (smile ? 5.9 : 5.1), c.x() + 1.8, c.y() + 4.5);
    strokeLine(p, mouth, QColor(0xA0, 0x3A, 0x30), 0.6);
}

// Heads are drawn in their own coordinates (neck at y = 42) and scaled up a
// little around the neck so the faces read well at small sizes.
constexpr qreal kHeadScale = 1.18;
constexpr qreal kNeckY = 46.2;

template <typename F> void inHeadSpace(QPainter &p, F &&draw)
{
    p.save();
    p.translate(45, kNeckY);
    p.scale(kHeadScale, kHeadScale);
    p.translate(-45, -42);
    draw();
    p.restore();
}

// Body from the neckline down to the waist at the divider: `shoulder` and
// `waist` are half widths.
QPainterPath torso(qreal shoulder, qreal waist)
{
    QPainterPath t;
    t.moveTo(45 - waist, kDivider + 1);
    t.cubicTo(45 - waist - 1, 67, 45 - shoulder, 62, 45 - shoulder, 56);
    t.cubicTo(45 - shoulder, 50.5, 45 - shoulder + 4, 47.6, 39, kNeckY);
    t.lineTo(51, kNeckY);
    t.cubicTo(45 + shoulder - 4, 47.6, 45 + shoulder, 50.5, 45 + shoulder, 56);
    t.cubicTo(45 + shoulder, 62, 45 + waist + 1, 67, 45 + waist, kDivider + 1);
    t.closeSubpath();
    return t;
}

// A sleeve as a thick outlined stroke.
void drawSleeve(QPainter &p, const QPainterPath &path, const QColor &fill, qreal width)
{
    strokeLine(p, path, kLine, width + 1.2);
    strokeLine(p, path, fill, width);
}

void drawHand(QPainter &p, QPointF c)
{
    fillOutlined(p, ellipsePath(c.x(), c.y(), 2.9, 2.6), kSkin, kLine, 0.55);
}

void drawNeck(QPainter &p)
{
    QPainterPath neck = polyPath({{41.5, 35}, {48.5, 35}, {48.8, 44}, {41.2, 44}}, true);
    fillOutlined(p, neck, kSkin.darker(106), kLine, 0.5);
}

// Puffed, slashed shoulder of a doublet.
void drawPuff(QPainter &p, QPointF c, const SuitColours &sc)
{
    fillOutlined(p, ellipsePath(c.x(), c.y(), 5.4, 4.8), sc.main, kLine, 0.6);
    QPainterPath slash;
    slash.moveTo(c.x() - 2, c.y() - 3.6);
    slash.quadTo(c.x() - 2.6, c.y(), c.x() - 1.8, c.y() + 3.6);
    slash.moveTo(c.x() + 1.6, c.y() - 3.8);
    slash.quadTo(c.x() + 2.1, c.y(), c.x() + 1.5, c.y() + 3.8);
    strokeLine(p, slash, sc.light, 0.9);
}

// Gentle folds so large areas of cloth do not look flat.
void drawFolds(QPainter &p, const QPainterPath &cloth, const SuitColours &c,
               std::initializer_list<qreal> xs)
{
    p.save();
    p.setClipPath(cloth);
    QPainterPath folds;
    for (qreal x : xs) {
        folds.moveTo(x, kDivider + 1);
        folds.quadTo(x + (x < 45 ? 1.5 : -1.5), 64, x + (x < 45 ? 3.5 : -3.5), 55);
    }
    QColor shade = c.dark;
    shade.setAlpha(110);
    strokeLine(p, folds, shade, 0.8);
    p.restore();
}

void drawSpodekHalf(QPainter &p, Suit s)
{
    const SuitColours c = coloursOf(s);
    const QColor hair(0x7A, 0x4E, 0x28);

    // left arm hanging down at the side
    QPainterPath left;
    left.moveTo(29.5, 53);
    left.cubicTo(25.5, 58, 24.5, 65, 25.5, 70.5);
    drawSleeve(p, left, c.main, 6.6);
    drawHand(p, QPointF(25.8, 72.3));

    inHeadSpace(p, [&] { drawNeck(p); });
    const QPainterPath body = torso(16, 11.5);
    fillOutlined(p, body, c.main, kLine, 0.7);
    drawFolds(p, body, c, {37.0, 53.0});
    // belt with a buckle
    p.save();
    p.setClipPath(body);
    fillOutlined(p, polyPath({{20, 68.5}, {70, 68.5}, {70, 72}, {20, 72}}, true), c.dark, kLine,
                 0.5);
    p.restore();
    fillOutlined(p, polyPath({{42.6, 67.9}, {47.4, 67.9}, {47.4, 72.6}, {42.6, 72.6}}, true),
                 kGold, kGoldDark, 0.6);
    for (qreal y : {52.5, 57.5, 62.5})
        fillOutlined(p, ellipsePath(45, y, 1.2, 1.2), kGold, kGoldDark, 0.4);

    // right arm bent across, holding the symbol low in front of the belt
    QPainterPath right;
    right.moveTo(60.5, 53);
    right.cubicTo(66, 57, 67, 64, 63, 67.5);
    right.lineTo(59.5, 68.8);
    drawSleeve(p, right, c.main, 6.2);
    drawHand(p, QPointF(57.8, 68.6));
    drawSymbol(p, s, QPointF(57.5, 60), 12.5, 0, true);

    inHeadSpace(p, [&] {
        // plain turned-down collar
        fillOutlined(p, polyPath({{38, 42.3}, {45, 42.6}, {42.2, 46.8}}, true), kWhite, kLine,
                     0.5);
        fillOutlined(p, polyPath({{52, 42.3}, {45, 42.6}, {47.8, 46.8}}, true), kWhite, kLine,
                     0.5);
        const QPointF head(45, 30);
        fillOutlined(p, ellipsePath(head.x(), head.y() - 1.5, 7.8, 7.2), hair, kLine, 0.6);
        drawFace(p, head, true);
        QPainterPath fringe;
        fringe.moveTo(38.3, 27.5);
        fringe.cubicTo(40, 24.5, 50, 24.5, 51.7, 27.5);
        fringe.lineTo(51.5, 25);
        fringe.lineTo(38.5, 25);
        fringe.closeSubpath();
        fillOutlined(p, fringe, hair, hair, 0.3);
        // the plain soft cap, slouching to one side
        QPainterPath cap;
        cap.moveTo(36.2, 25.8);
        cap.cubicTo(35.5, 17.5, 43, 15, 50, 16.3);
        cap.cubicTo(56.5, 17.5, 58.5, 21.5, 54.8, 25.2);
        cap.closeSubpath();
        fillOutlined(p, cap, c.dark, kLine, 0.6);
        QPainterPath band;
        band.moveTo(36, 26.4);
        band.quadTo(45, 23.2, 54.6, 25.8);
        strokeLine(p, band, c.main, 2.2, Qt::FlatCap);
        strokeLine(p, band, kLine, 0.4, Qt::FlatCap);
    });
}

void drawFilekHalf(QPainter &p, Suit s)
{
    const SuitColours c = coloursOf(s);
    const QColor hair(0x4A, 0x30, 0x1C);
    const QColor hat(0x33, 0x2C, 0x3C);

    // left arm hanging down
    QPainterPath left;
    left.moveTo(28.5, 54);
    left.cubicTo(25, 59, 24, 65, 24.8, 69.5);
    drawSleeve(p, left, c.main, 6.8);
    drawHand(p, QPointF(25, 71));

    inHeadSpace(p, [&] { drawNeck(p); });
    const QPainterPath body = torso(16.5, 11.5);
    fillOutlined(p, body, c.main, kLine, 0.7);
    // gold trim down the front and across the chest
    p.save();
    p.setClipPath(body);
    QPainterPath trim;
    trim.moveTo(45, 44);
    trim.lineTo(45, kDivider + 1);
    trim.moveTo(25, 60);
    trim.quadTo(45, 65, 65, 60);
    // gold would vanish on the golden doublet of the bells suit
    const bool golden = s == Suit::Kule;
    strokeLine(p, trim, golden ? QColor(0x6E, 0x14, 0x10) : kGoldDark, 3.0, Qt::FlatCap);
    strokeLine(p, trim, golden ? QColor(0xC8, 0x30, 0x26) : kGold, 2.0, Qt::FlatCap);
    p.restore();
    drawPuff(p, QPointF(29.5, 53), c);

    // right arm raised, the symbol held high
    QPainterPath right;
    right.moveTo(60.5, 53);
    right.cubicTo(65, 48, 67.5, 40, 66.8, 32);
    drawSleeve(p, right, c.main, 6.2);
    drawPuff(p, QPointF(60.5, 53), c);
    drawHand(p, QPointF(66.6, 29.8));
    drawSymbol(p, s, QPointF(66.8, 18.2), 13.5, 0, true);

    inHeadSpace(p, [&] {
        // white ruff collar
        fillOutlined(p, ellipsePath(45, 42.5, 8.6, 3.2), kWhite, kLine, 0.55);
        QPainterPath pleats;
        for (qreal x : {39.0, 42.0, 45.0, 48.0, 51.0}) {
            pleats.moveTo(x, 40.4);
            pleats.lineTo(x + (x - 45) * 0.15, 45.0);
        }
        strokeLine(p, pleats, QColor(0x9A, 0x94, 0x8C), 0.4);

        // longer hair, face, moustache and a pointed little beard
        const QPointF head(45, 31);
        fillOutlined(p, ellipsePath(head.x(), head.y() + 0.5, 8.2, 8.0), hair, kLine, 0.6);
        drawFace(p, head, false);
        fillOutlined(p, polyPath({{43, 37.2}, {47, 37.2}, {45, 41.5}}, true), hair, hair, 0.5);
        QPainterPath moustache;
        moustache.moveTo(45, 34.6);
        moustache.cubicTo(43, 33.6, 41, 34.8, 39.8, 33.6);
        moustache.cubicTo(41, 36.6, 43.5, 36.2, 45, 35.4);
        moustache.cubicTo(46.5, 36.2, 49, 36.6, 50.2, 33.6);
        moustache.cubicTo(49, 34.8, 47, 33.6, 45, 34.6);
        fillOutlined(p, moustache, hair, hair, 0.4);

        // feather sweeping back from the hat
        QPainterPath feather;
        feather.moveTo(39, 20.5);
        feather.cubicTo(33, 14, 27, 10.5, 21, 10.5);
        feather.cubicTo(25.5, 13.5, 29, 18, 35.5, 23);
        feather.closeSubpath();
        fillOutlined(p, feather, kWhite, QColor(0x5A, 0x56, 0x50), 0.6);
        QPainterPath barbs;
        barbs.moveTo(37.5, 21.8);
        barbs.cubicTo(32, 16, 27, 12.5, 22.5, 11.2);
        for (qreal t : {0.0, 3.5, 7.0}) {
            barbs.moveTo(34 - t, 19.3 - t * 0.7);
            barbs.lineTo(32.5 - t, 16.3 - t * 0.6);
        }
        strokeLine(p, barbs, QColor(0x9A, 0x94, 0x8C), 0.45);
        // broad-brimmed hat with a band in the suit colour
        QPainterPath crown;
        crown.moveTo(36.5, 24);
        crown.cubicTo(36, 16, 40.5, 13, 46, 13);
        crown.cubicTo(51.5, 13, 55, 16, 54.5, 24);
        crown.closeSubpath();
        fillOutlined(p, crown, hat, kLine, 0.6);
        fillOutlined(p, polyPath({{36.4, 19.8}, {54.6, 19.8}, {54.6, 22.6}, {36.4, 22.6}}, true),
                     c.main, kLine, 0.45);
        QPainterPath brim;
        brim.moveTo(30.5, 24.5);
        brim.cubicTo(36, 21.3, 54, 21.3, 59.5, 24.5);
        brim.cubicTo(54, 26.8, 36, 26.8, 30.5, 24.5);
        brim.closeSubpath();
        fillOutlined(p, brim, hat, kLine, 0.6);
    });
}

void drawKralHalf(QPainter &p, Suit s)
{
    const SuitColours c = coloursOf(s);
    const QColor beard(0xEC, 0xE8, 0xE0);
    const QColor beardLine(0x8A, 0x84, 0x78);

    inHeadSpace(p, [&] { drawNeck(p); });
    // royal mantle falling wide from the shoulders
    QPainterPath robe;
    robe.moveTo(24, kDivider + 1);
    robe.cubicTo(22, 70, 20.5, 65, 21, 60);
    robe.cubicTo(22.5, 53, 29, 48.5, 39, kNeckY);
    robe.lineTo(51, kNeckY);
    robe.cubicTo(61, 48.5, 67.5, 53, 69, 60);
    robe.cubicTo(69.5, 65, 68, 70, 66, kDivider + 1);
    robe.closeSubpath();
    fillOutlined(p, robe, c.main, kLine, 0.7);
    drawFolds(p, robe, c, {29.5, 33.5, 56.5, 60.5});
    // inner garment between the gold-edged fronts of the mantle
    QPainterPath inner = polyPath({{39.5, 50}, {50.5, 50}, {53, kDivider + 1}, {37, kDivider + 1}},
                                  true);
    fillOutlined(p, inner, c.light, kLine, 0.5);
    QPainterPath edge;
    edge.moveTo(39.5, 50);
    edge.lineTo(37, kDivider + 1);
    edge.moveTo(50.5, 50);
    edge.lineTo(53, kDivider + 1);
    strokeLine(p, edge, kGoldDark, 2.4, Qt::FlatCap);
    strokeLine(p, edge, kGold, 1.4, Qt::FlatCap);

    // ermine cape over the shoulders
    QPainterPath ermine;
    ermine.moveTo(20.5, 60);
    ermine.cubicTo(22, 51, 31, 45.5, 45, 45.5);
    ermine.cubicTo(59, 45.5, 68, 51, 69.5, 60);
    ermine.cubicTo(64, 56.5, 56, 54.5, 45, 55);
    ermine.cubicTo(34, 54.5, 26, 56.5, 20.5, 60);
    ermine.closeSubpath();
    fillOutlined(p, ermine, kWhite, kLine, 0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x22, 0x22, 0x22));
    for (const QPointF &pt : {QPointF(25.5, 54.5), QPointF(32, 50.5), QPointF(58, 50.5),
                              QPointF(64.5, 54.5), QPointF(38.5, 52.5), QPointF(51.5, 52.5)}) {
        p.drawPath(polyPath({pt + QPointF(0, -1.4), pt + QPointF(0.8, 0.9),
                             pt + QPointF(-0.8, 0.9)},
                            true));
    }

    // medallion with the suit on the chest
    fillOutlined(p, ellipsePath(45, 65.5, 6.4, 6.4), kFace, kGoldDark, 0.5);
    strokeLine(p, ellipsePath(45, 65.5, 5.7, 5.7), kGold, 1.1);
    drawSymbol(p, s, QPointF(45, 65.5), 8.4);

    // sceptre in the right hand
    QPainterPath rod;
    rod.moveTo(26.5, kDivider + 1);
    rod.lineTo(26.5, 20);
    strokeLine(p, rod, kGoldDark, 2.6, Qt::FlatCap);
    strokeLine(p, rod, kGold, 1.5, Qt::FlatCap);
    fillOutlined(p, ellipsePath(26.5, 17.5, 2.8, 2.8), kGold, kGoldDark, 0.6);
    QPainterPath cross;
    cross.moveTo(26.5, 14.8);
    cross.lineTo(26.5, 10.2);
    cross.moveTo(24.7, 12.2);
    cross.lineTo(28.3, 12.2);
    strokeLine(p, cross, kGoldDark, 1.2, Qt::FlatCap);
    drawHand(p, QPointF(26.8, 64.5));

    inHeadSpace(p, [&] {
        const QPointF head(45, 30.5);
        // white hair at the sides
        fillOutlined(p, ellipsePath(38.2, 29, 3.2, 6), beard, beardLine, 0.5);
        fillOutlined(p, ellipsePath(51.8, 29, 3.2, 6), beard, beardLine, 0.5);
        drawFace(p, head, false);

        // full beard with moustache
        const qreal x = head.x(), y = head.y();
        QPainterPath b;
        b.moveTo(x - 6.9, y + 0.5);
        b.cubicTo(x - 8, y + 9, x - 4, y + 15.5, x, y + 16.5);
        b.cubicTo(x + 4, y + 15.5, x + 8, y + 9, x + 6.9, y + 0.5);
        b.cubicTo(x + 5.5, y + 5, x + 3, y + 6.8, x, y + 6.8);
        b.cubicTo(x - 3, y + 6.8, x - 5.5, y + 5, x - 6.9, y + 0.5);
        b.closeSubpath();
        fillOutlined(p, b, beard, beardLine, 0.55);
        QPainterPath curls;
        curls.moveTo(x - 3.5, y + 8.5);
        curls.quadTo(x - 4, y + 12, x - 1.8, y + 14.5);
        curls.moveTo(x + 3.5, y + 8.5);
        curls.quadTo(x + 4, y + 12, x + 1.8, y + 14.5);
        curls.moveTo(x, y + 9);
        curls.lineTo(x, y + 15);
        strokeLine(p, curls, beardLine, 0.45);
        QPainterPath moustache;
        moustache.moveTo(x, y + 3.6);
        moustache.cubicTo(x - 2.5, y + 2.6, x - 4.5, y + 4, x - 5, y + 6.2);
        moustache.cubicTo(x - 3, y + 5.6, x - 1.5, y + 5.4, x, y + 4.8);
        moustache.cubicTo(x + 1.5, y + 5.4, x + 3, y + 5.6, x + 5, y + 6.2);
        moustache.cubicTo(x + 4.5, y + 4, x + 2.5, y + 2.6, x, y + 3.6);
        fillOutlined(p, moustache, beard, beardLine, 0.45);

        // golden crown with jewels
        QPainterPath crown = polyPath({{37.3, 24.2}, {36.8, 17.5}, {36.6, 11.8}, {40.8, 16.6},
                                       {45, 10.2}, {49.2, 16.6}, {53.4, 11.8}, {53.2, 17.5},
                                       {52.7, 24.2}},
                                      true);
        QLinearGradient g(QPointF(37, 11), QPointF(53, 24));
        g.setColorAt(0, QColor(0xFF, 0xE6, 0x7A));
        g.setColorAt(1, QColor(0xE0, 0xA0, 0x18));
        fillOutlined(p, crown, g, kGoldDark, 0.6);
        for (const QPointF &tip : {QPointF(36.6, 11.6), QPointF(45, 10.0), QPointF(53.4, 11.6)})
            fillOutlined(p, ellipsePath(tip.x(), tip.y(), 1.25, 1.25), kGold, kGoldDark, 0.45);
        QPainterPath line;
        line.moveTo(37.1, 20.5);
        line.lineTo(52.9, 20.5);
        strokeLine(p, line, kGoldDark, 0.5);
        fillOutlined(p, ellipsePath(45, 22.3, 1.6, 1.3), QColor(0xD0, 0x20, 0x30), kGoldDark,
                     0.35);
        fillOutlined(p, ellipsePath(40.6, 22.3, 1.1, 1.0), QColor(0x2A, 0x5A, 0xD0), kGoldDark,
                     0.35);
        fillOutlined(p, ellipsePath(49.4, 22.3, 1.1, 1.0), QColor(0x2A, 0x5A, 0xD0), kGoldDark,
                     0.35);
    });
}

void drawFigureCard(QPainter &p, Suit s, Figure f)
{
    const SuitColours c = coloursOf(s);
    QPainterPath frame;
    frame.addRoundedRect(kFrame, 2.5, 2.5);
    fillOutlined(p, frame, c.tint, kBorder, 0);

    for (int turn = 0; turn < 2; ++turn) {
        p.save();
        if (turn == 1) {
            p.translate(kCardW, kCardH);
            p.rotate(180);
        }
        p.setClipRect(QRectF(kFrame.left(), kFrame.top(), kFrame.width(),
                             kDivider - kFrame.top()));
        p.setClipPath(frame, Qt::IntersectClip);
        switch (f) {
        case Figure::Spodek: drawSpodekHalf(p, s); break;
        case Figure::Filek: drawFilekHalf(p, s); break;
        case Figure::Kral: drawKralHalf(p, s); break;
        }
        p.restore();
    }
    // divider between the halves and the frame line
    QPainterPath div;
    div.moveTo(kFrame.left(), kDivider);
    div.lineTo(kFrame.right(), kDivider);
    strokeLine(p, div, kBorder, 1.0, Qt::FlatCap);
    strokeLine(p, frame, kBorder, 0.8);
}

// ---------------------------------------------------------------------------
// Card back
// ---------------------------------------------------------------------------

void drawBack(QPainter &p)
{
    const QColor blue(0x1F, 0x4E, 0x9E);
    const QColor lattice(0x6F, 0x95, 0xDC);
    const QColor pale(0xD6, 0xE4, 0xFF);

    drawBlankFace(p);
    QPainterPath field;
    field.addRoundedRect(QRectF(5, 5, 80, 140), 3.5, 3.5);
    fillOutlined(p, field, blue, blue, 0);

    p.save();
    p.setClipPath(field);
    QPainterPath lines;
    constexpr qreal kStep = 10;
    for (int i = -20; i <= 20; ++i) {
        const qreal x = 45 + i * kStep;
        lines.moveTo(x - 80, 75 - 80);
        lines.lineTo(x + 80, 75 + 80);
        lines.moveTo(x + 80, 75 - 80);
        lines.lineTo(x - 80, 75 + 80);
    }
    strokeLine(p, lines, lattice, 1.0, Qt::FlatCap);
    // dots in the middle of every diamond
    p.setPen(Qt::NoPen);
    p.setBrush(pale);
    for (int i = -12; i <= 12; ++i) {
        for (int j = -12; j <= 12; ++j) {
            const qreal x = 45 + (i + j) * kStep / 2;
            const qreal y = 75 + (j - i) * kStep / 2 + kStep / 2;
            p.drawEllipse(QPointF(x, y), 1.1, 1.1);
        }
    }
    p.restore();

    QPainterPath rim;
    rim.addRoundedRect(QRectF(8, 8, 74, 134), 2.5, 2.5);
    strokeLine(p, rim, pale, 0.8);

    // central medallion
    const QPainterPath oval = ellipsePath(45, 75, 15, 22);
    fillOutlined(p, oval, blue, pale, 1.2);
    strokeLine(p, ellipsePath(45, 75, 12.5, 19.5), lattice, 0.6);
    QPainterPath star = polyPath({{45, 62}, {49, 75}, {45, 88}, {41, 75}}, true);
    fillOutlined(p, star, pale, pale, 0);
    QPainterPath star2 = polyPath({{36, 75}, {45, 72}, {54, 75}, {45, 78}}, true);
    fillOutlined(p, star2, pale, pale, 0);
    fillOutlined(p, ellipsePath(45, 75, 2.6, 2.6), blue, pale, 0.8);
}

// ---------------------------------------------------------------------------
// Rendering a picture at a given pixel size
// ---------------------------------------------------------------------------

void drawPicture(QPainter &p, const Picture &pic)
{
    switch (pic.kind) {
    case Kind::Empty:
        p.fillRect(QRectF(0, 0, kCardW, kCardH), kEmptyGrey);
        return;
    case Kind::Back:
        drawBack(p);
        return;
    case Kind::Card: break;
    }
    drawBlankFace(p);
    switch (pic.rank) {
    case Rank::Spodek: drawFigureCard(p, pic.suit, Figure::Spodek); break;
    case Rank::Filek: drawFigureCard(p, pic.suit, Figure::Filek); break;
    case Rank::Kral: drawFigureCard(p, pic.suit, Figure::Kral); break;
    case Rank::Eso: drawAce(p, pic.suit); break;
    default: drawPips(p, pic.suit, pic.rank); break;
    }
    drawIndices(p, pic.suit, pic.rank);
}

// Renders with `supersample` times the resolution and scales down with
// Qt's area-averaging smooth scaler. Result: ARGB32 premultiplied.
QImage renderScaled(const std::function<void(QPainter &)> &draw, int w, int h, qreal unitsW,
                    qreal unitsH, int supersample)
{
    QImage big(w * supersample, h * supersample, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(big.width() / unitsW, big.height() / unitsH);
        draw(p);
    }
    if (supersample == 1)
        return big;
    return big.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage renderCard(const Picture &pic, int w, int h, int supersample)
{
    if (pic.kind == Kind::Empty) {
        // exact uniform colour, no filtering
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(kEmptyGrey);
        return img;
    }
    return renderScaled([&](QPainter &p) { drawPicture(p, pic); }, w, h, kCardW, kCardH,
                        supersample);
}

// Flattens onto an opaque background colour.
QImage flatten(const QImage &img, const QColor &bg)
{
    QImage out(img.size(), QImage::Format_RGB32);
    out.fill(bg);
    QPainter p(&out);
    p.drawImage(0, 0, img);
    return out;
}

// ---------------------------------------------------------------------------
// Palette: a few fixed colours plus a median cut over the pixels of all
// pictures, refined by k-means. Shared by every BMP.
// ---------------------------------------------------------------------------

struct Rgb {
    int r, g, b;
};

inline int distance2(const Rgb &a, const Rgb &b)
{
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

struct HistEntry {
    Rgb c;
    int count;
};

int nearestIndex(const std::vector<Rgb> &pal, const Rgb &c)
{
    int best = 0, bestD = INT32_MAX;
    for (int i = 0; i < int(pal.size()); ++i) {
        const int d = distance2(pal[i], c);
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}

std::vector<Rgb> buildPalette(const std::vector<QImage> &images, const std::vector<Rgb> &fixed)
{
    QHash<QRgb, int> counts;
    for (const QImage &img : images)
        for (int y = 0; y < img.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < img.width(); ++x)
                ++counts[line[x] | 0xFF000000u];
        }
    std::vector<HistEntry> hist;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const Rgb c{qRed(it.key()), qGreen(it.key()), qBlue(it.key())};
        bool isFixed = false;
        for (const Rgb &f : fixed)
            isFixed |= (f.r == c.r && f.g == c.g && f.b == c.b);
        if (!isFixed)
            hist.push_back({c, it.value()});
    }
    // QHash order is not stable; sort for determinism
    std::sort(hist.begin(), hist.end(), [](const HistEntry &a, const HistEntry &b) {
        return std::tie(a.c.r, a.c.g, a.c.b) < std::tie(b.c.r, b.c.g, b.c.b);
    });

    // median cut: split the box with the largest weighted spread
    struct Box {
        int begin, end;
    };
    auto channel = [](const Rgb &c, int ch) { return ch == 0 ? c.r : ch == 1 ? c.g : c.b; };
    auto spread = [&](const Box &b, int &bestCh) {
        double best = -1;
        for (int ch = 0; ch < 3; ++ch) {
            double sum = 0, sum2 = 0, n = 0;
            for (int i = b.begin; i < b.end; ++i) {
                const double v = channel(hist[i].c, ch);
                sum += v * hist[i].count;
                sum2 += v * v * hist[i].count;
                n += hist[i].count;
            }
            const double sse = sum2 - sum * sum / std::max(n, 1.0);
            const double w = ch == 1 ? 4 : ch == 0 ? 3 : 2;
            if (sse * w > best) {
                best = sse * w;
                bestCh = ch;
            }
        }
        return best;
    };
    const int wanted = 256 - int(fixed.size());
    std::vector<Box> boxes{{0, int(hist.size())}};
    while (int(boxes.size()) < wanted) {
        int pick = -1, pickCh = 0;
        double pickSpread = 0;
        for (int i = 0; i < int(boxes.size()); ++i) {
            if (boxes[i].end - boxes[i].begin < 2)
                continue;
            int ch = 0;
            const double s = spread(boxes[i], ch);
            if (s > pickSpread) {
                pickSpread = s;
                pick = i;
                pickCh = ch;
            }
        }
        if (pick < 0)
            break;
        Box b = boxes[pick];
        std::stable_sort(hist.begin() + b.begin, hist.begin() + b.end,
                         [&](const HistEntry &x, const HistEntry &y) {
                             return channel(x.c, pickCh) < channel(y.c, pickCh);
                         });
        long total = 0;
        for (int i = b.begin; i < b.end; ++i)
            total += hist[i].count;
        long acc = 0;
        int cut = b.begin + 1;
        for (int i = b.begin; i < b.end - 1; ++i) {
            acc += hist[i].count;
            cut = i + 1;
            if (acc * 2 >= total)
                break;
        }
        boxes[pick] = {b.begin, cut};
        boxes.push_back({cut, b.end});
    }

    std::vector<Rgb> pal = fixed;
    for (const Box &b : boxes) {
        double r = 0, g = 0, bl = 0, n = 0;
        for (int i = b.begin; i < b.end; ++i) {
            r += hist[i].c.r * double(hist[i].count);
            g += hist[i].c.g * double(hist[i].count);
            bl += hist[i].c.b * double(hist[i].count);
            n += hist[i].count;
        }
        pal.push_back({int(std::lround(r / n)), int(std::lround(g / n)), int(std::lround(bl / n))});
    }

    // k-means refinement; the fixed colours stay put
    std::vector<int> assign(hist.size());
    for (int iter = 0; iter < 12; ++iter) {
        for (size_t i = 0; i < hist.size(); ++i)
            assign[i] = nearestIndex(pal, hist[i].c);
        std::vector<double> sr(pal.size()), sg(pal.size()), sb(pal.size()), sn(pal.size());
        for (size_t i = 0; i < hist.size(); ++i) {
            const int k = assign[i];
            sr[k] += hist[i].c.r * double(hist[i].count);
            sg[k] += hist[i].c.g * double(hist[i].count);
            sb[k] += hist[i].c.b * double(hist[i].count);
            sn[k] += hist[i].count;
        }
        for (size_t k = fixed.size(); k < pal.size(); ++k)
            if (sn[k] > 0)
                pal[k] = {int(std::lround(sr[k] / sn[k])), int(std::lround(sg[k] / sn[k])),
                          int(std::lround(sb[k] / sn[k]))};
    }
    while (pal.size() < 256)
        pal.push_back({0, 0, 0});
    return pal;
}

// ---------------------------------------------------------------------------
// Output files
// ---------------------------------------------------------------------------

void put16(QByteArray &b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray &b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

constexpr int kBmpRowBytes = (kCardW + 3) / 4 * 4;  // 92
constexpr int kBmpPixelOffset = 14 + 40 + 256 * 4;  // 1078
constexpr int kBmpImageBytes = kBmpRowBytes * kCardH;                 // 13800
constexpr int kBmpFileBytes = kBmpPixelOffset + kBmpImageBytes;       // 14878

// Uncompressed 8-bit bottom-up BMP with a 256-entry colour table.
QByteArray encodeBmp(const QImage &img, const std::vector<Rgb> &pal, QHash<QRgb, int> &cache,
                     double &meanErr)
{
    QByteArray b;
    b.reserve(kBmpFileBytes);
    // BITMAPFILEHEADER
    b.append("BM", 2);
    put32(b, kBmpFileBytes);
    put32(b, 0);
    put32(b, kBmpPixelOffset);
    // BITMAPINFOHEADER
    put32(b, 40);
    put32(b, kCardW);
    put32(b, kCardH);
    put16(b, 1);
    put16(b, 8);
    put32(b, 0);  // BI_RGB
    put32(b, kBmpImageBytes);
    put32(b, 2835);
    put32(b, 2835);
    put32(b, 256);
    put32(b, 256);
    for (const Rgb &c : pal) {
        b.append(char(c.b));
        b.append(char(c.g));
        b.append(char(c.r));
        b.append(char(0));
    }
    double err = 0;
    for (int y = kCardH - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < kCardW; ++x) {
            const QRgb px = line[x] | 0xFF000000u;
            auto it = cache.find(px);
            if (it == cache.end())
                it = cache.insert(px, nearestIndex(pal, {qRed(px), qGreen(px), qBlue(px)}));
            b.append(char(it.value()));
            err += std::sqrt(double(distance2(pal[it.value()], {qRed(px), qGreen(px), qBlue(px)})));
        }
        for (int pad = kCardW; pad < kBmpRowBytes; ++pad)
            b.append(char(0));
    }
    meanErr = err / (kCardW * kCardH);
    return b;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return f.write(data) == data.size();
}

bool savePng(const QImage &img, const QString &path)
{
    QImage out = img.hasAlphaChannel() ? img.convertToFormat(QImage::Format_ARGB32)
                                       : img.convertToFormat(QImage::Format_RGB32);
    out.setDotsPerMeterX(2835 * out.width() / kCardW);
    out.setDotsPerMeterY(2835 * out.width() / kCardW);
    QImageWriter w(path, "png");
    w.setQuality(0);  // maximum zlib compression
    if (!w.write(out)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                     qPrintable(w.errorString()));
        return false;
    }
    return true;
}

// Reads a written BMP back and checks the fixed layout.
bool checkBmp(const QString &path, const QByteArray &expected, bool uniformEmpty)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray d = f.readAll();
    auto u32 = [&](int off) {
        return uint32_t(uchar(d[off])) | uint32_t(uchar(d[off + 1])) << 8 |
               uint32_t(uchar(d[off + 2])) << 16 | uint32_t(uchar(d[off + 3])) << 24;
    };
    bool ok = d == expected && d.size() == kBmpFileBytes && d.startsWith("BM") &&
              u32(2) == uint32_t(kBmpFileBytes) && u32(10) == uint32_t(kBmpPixelOffset) &&
              u32(18) == uint32_t(kCardW) && u32(22) == uint32_t(kCardH) &&
              u32(34) == uint32_t(kBmpImageBytes);
    if (ok && uniformEmpty) {
        for (int y = 0; y < kCardH && ok; ++y)
            for (int x = 0; x < kCardW && ok; ++x) {
                const int idx = uchar(d[kBmpPixelOffset + y * kBmpRowBytes + x]);
                const int o = 54 + idx * 4;
                ok = uchar(d[o]) == 0xA4 && uchar(d[o + 1]) == 0xA0 && uchar(d[o + 2]) == 0xA0;
            }
    }
    if (!ok)
        std::fprintf(stderr, "self-check failed for %s\n", qPrintable(path));
    return ok;
}

// ---------------------------------------------------------------------------
// Application icon: a leaf ace and a heart ace fanned out.
// ---------------------------------------------------------------------------

struct IconCard {
    Suit suit;
    qreal dx, angle;
};
constexpr std::array<IconCard, 2> kIconCards = {IconCard{Suit::Zelena, -10, -15},
                                                IconCard{Suit::Cervena, 10, 15}};
constexpr qreal kIconCardW = 40, kIconCardH = 64, kIconPivotY = 82, kIconRadius = 5;
constexpr qreal kIconSymbol = 34;

void drawIcon(QPainter &p)
{
    for (const IconCard &ic : kIconCards) {
        p.save();
        p.translate(50 + ic.dx, kIconPivotY);
        p.rotate(ic.angle);
        const QRectF r(-kIconCardW / 2, -kIconCardH, kIconCardW, kIconCardH);
        QPainterPath shadow;
        shadow.addRoundedRect(r.translated(1.5, 1.5), kIconRadius, kIconRadius);
        fillOutlined(p, shadow, QColor(0, 0, 0, 70), Qt::black, 0);
        QPainterPath card;
        card.addRoundedRect(r, kIconRadius, kIconRadius);
        fillOutlined(p, card, kFace, kBorder, 2.4);
        drawSymbol(p, ic.suit, QPointF(0, -kIconCardH / 2), kIconSymbol);
        p.restore();
    }
}

QString svgNumber(qreal v) { return QString::number(v, 'f', 3); }

QString svgPathData(const QPainterPath &path)
{
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            d += QStringLiteral("M%1 %2").arg(svgNumber(e.x), svgNumber(e.y));
        } else if (e.isLineTo()) {
            d += QStringLiteral("L%1 %2").arg(svgNumber(e.x), svgNumber(e.y));
        } else if (e.isCurveTo()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element to = path.elementAt(i + 2);
            d += QStringLiteral("C%1 %2 %3 %4 %5 %6")
                     .arg(svgNumber(e.x), svgNumber(e.y), svgNumber(c2.x), svgNumber(c2.y),
                          svgNumber(to.x), svgNumber(to.y));
            i += 2;
        }
    }
    return d + QLatin1Char('Z');
}

// Same composition as drawIcon(), with flat colours.
QByteArray iconSvg()
{
    auto hex = [](const QColor &c) { return c.name(QColor::HexRgb).toUpper(); };
    QString s;
    QTextStream out(&s);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"256\" "
           "height=\"256\" viewBox=\"0 0 100 100\">\n"
        << "  <title>Tamsa</title>\n";
    for (const IconCard &ic : kIconCards) {
        const SuitColours c = coloursOf(ic.suit);
        out << "  <g transform=\"translate(" << svgNumber(50 + ic.dx) << ' '
            << svgNumber(kIconPivotY) << ") rotate(" << svgNumber(ic.angle) << ")\">\n";
        out << "    <rect x=\"" << svgNumber(-kIconCardW / 2 + 1.5) << "\" y=\""
            << svgNumber(-kIconCardH + 1.5) << "\" width=\"" << svgNumber(kIconCardW)
            << "\" height=\"" << svgNumber(kIconCardH) << "\" rx=\"" << svgNumber(kIconRadius)
            << "\" fill=\"#000000\" fill-opacity=\"0.27\"/>\n";
        out << "    <rect x=\"" << svgNumber(-kIconCardW / 2) << "\" y=\"" << svgNumber(-kIconCardH)
            << "\" width=\"" << svgNumber(kIconCardW) << "\" height=\"" << svgNumber(kIconCardH)
            << "\" rx=\"" << svgNumber(kIconRadius) << "\" fill=\"" << hex(kFace)
            << "\" stroke=\"" << hex(kBorder) << "\" stroke-width=\"2.4\"/>\n";
        out << "    <g transform=\"translate(0 " << svgNumber(-kIconCardH / 2)
            << ") scale(" << svgNumber(kIconSymbol) << ")\" stroke=\"" << hex(c.dark)
            << "\" stroke-width=\"0.04\" stroke-linejoin=\"round\" stroke-linecap=\"round\">\n";
        if (ic.suit == Suit::Zelena) {
            out << "      <path d=\"" << svgPathData(leafStem()).chopped(1)
                << "\" fill=\"none\" stroke-width=\"0.075\"/>\n";
            const QString leaf = svgPathData(leafShape());
            out << "      <clipPath id=\"leaf\"><path d=\"" << leaf << "\"/></clipPath>\n";
            out << "      <path d=\"" << leaf << "\" fill=\"" << hex(c.main) << "\"/>\n";
            // lighter left half and the veins, kept inside the leaf
            out << "      <g clip-path=\"url(#leaf)\">\n"
                << "        <rect x=\"-1\" y=\"-1\" width=\"1\" height=\"2\" stroke=\"none\" fill=\""
                << hex(c.main.lighter(125)) << "\"/>\n"
                << "        <path d=\"M0 0.15L0 -0.4M0 -0.24L0.2 -0.39M0 -0.24L-0.2 -0.39"
                   "M0 -0.07L0.27 -0.22M0 -0.07L-0.27 -0.22M0 0.08L0.27 -0.07M0 0.08L-0.27 -0.07\""
                   " fill=\"none\" stroke-width=\"0.03\"/>\n"
                << "      </g>\n";
            out << "      <path d=\"" << leaf << "\" fill=\"none\"/>\n";
        } else {
            out << "      <path d=\"" << svgPathData(heartShape()) << "\" fill=\"" << hex(c.main)
                << "\"/>\n";
            out << "      <ellipse cx=\"0\" cy=\"0\" rx=\"0.09\" ry=\"0.05\" fill=\"#FFFFFF\" "
                   "fill-opacity=\"0.43\" stroke=\"none\" "
                   "transform=\"translate(-0.24 -0.3) rotate(-35)\"/>\n";
        }
        out << "    </g>\n  </g>\n";
    }
    out << "</svg>\n";
    out.flush();
    return s.toUtf8();
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    QDir dir(outDir);
    for (const char *sub : {"cards", "cards2x", "cards3x", "icons"}) {
        if (!dir.mkpath(QString::fromLatin1(sub))) {
            std::fprintf(stderr, "cannot create %s/%s\n", qPrintable(outDir), sub);
            return 1;
        }
    }

    std::vector<Picture> pictures;
    for (Suit s : kSuits)
        for (Rank r : kRanks)
            pictures.push_back({QString::fromLatin1(suitName(s)) + QString::fromLatin1(rankName(r)),
                                Kind::Card, s, r});
    pictures.push_back({QStringLiteral("PRAZDNE"), Kind::Empty});
    const Picture back{QStringLiteral("RUB"), Kind::Back};

    // 1) 8-bit BMPs with a shared palette
    std::vector<Picture> bmpPictures = pictures;
    bmpPictures.push_back(back);
    std::vector<QImage> small;
    for (const Picture &pic : bmpPictures)
        small.push_back(flatten(renderCard(pic, kCardW, kCardH, 4), kBmpCorner));

    const std::vector<Rgb> fixed = {{kEmptyGrey.red(), kEmptyGrey.green(), kEmptyGrey.blue()},
                                    {kFace.red(), kFace.green(), kFace.blue()},
                                    {kBorder.red(), kBorder.green(), kBorder.blue()}};
    const std::vector<Rgb> palette = buildPalette(small, fixed);

    bool ok = true;
    QHash<QRgb, int> cache;
    double worst = 0;
    QString worstName;
    for (size_t i = 0; i < bmpPictures.size(); ++i) {
        const Picture &pic = bmpPictures[i];
        const QString path = pic.kind == Kind::Back ? dir.filePath(QStringLiteral("RUB.bmp"))
                                                    : dir.filePath(QStringLiteral("cards/") +
                                                                   pic.name + QStringLiteral(".bmp"));
        double err = 0;
        const QByteArray bmp = encodeBmp(small[i], palette, cache, err);
        if (err > worst) {
            worst = err;
            worstName = pic.name;
        }
        ok &= writeFile(path, bmp);
        ok &= checkBmp(path, bmp, pic.kind == Kind::Empty);
    }
    std::printf("palette: worst mean quantisation error %.2f (%s)\n", worst, qPrintable(worstName));

    // 2) sharper PNGs
    std::vector<Picture> pngPictures = pictures;
    pngPictures.push_back(back);
    for (const Picture &pic : pngPictures) {
        ok &= savePng(renderCard(pic, kCardW * 2, kCardH * 2, 2),
                      dir.filePath(QStringLiteral("cards2x/") + pic.name + QStringLiteral(".png")));
        ok &= savePng(renderCard(pic, kCardW * 3, kCardH * 3, 2),
                      dir.filePath(QStringLiteral("cards3x/") + pic.name + QStringLiteral(".png")));
    }

    // 3) application icon
    for (int size : {48, 128, 256}) {
        const QImage icon = renderScaled(drawIcon, size, size, 100, 100, 4);
        ok &= savePng(icon, dir.filePath(QStringLiteral("icons/tamsa-%1.png").arg(size)));
    }
    ok &= writeFile(dir.filePath(QStringLiteral("icons/tamsa.svg")), iconSvg());

    // 4) resource collection
    QString qrc;
    QTextStream q(&qrc);
    q << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const Picture &pic : pictures)
        q << "    <file>cards/" << pic.name << ".bmp</file>\n";
    q << "    <file>RUB.bmp</file>\n";
    for (const char *sub : {"cards2x", "cards3x"})
        for (const Picture &pic : pngPictures)
            q << "    <file>" << sub << '/' << pic.name << ".png</file>\n";
    q << "    <file>icons/tamsa-256.png</file>\n";
    q << "    <file>icons/tamsa-48.png</file>\n";
    q << "</qresource>\n</RCC>\n";
    q.flush();
    ok &= writeFile(dir.filePath(QStringLiteral("tamsa.qrc")), qrc.toUtf8());

    if (!ok) {
        std::fprintf(stderr, "generation failed\n");
        return 1;
    }
    std::printf("wrote %zu pictures to %s\n", bmpPictures.size(), qPrintable(outDir));
    return 0;
}
