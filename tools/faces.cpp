// The card face: its outline, the corner indices drawn from our own glyph outlines
// (no fonts), the pip layouts of the number cards and the aces.
#include "cardgen.h"

#include <QPainterPathStroker>
#include <QTransform>

#include <cmath>

namespace cardgen {

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

}  // namespace cardgen
