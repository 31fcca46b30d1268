// Drawing helpers and the four suit symbols: heart, leaf, acorn and bell.
#include "cardgen.h"

#include <QLinearGradient>
#include <QPainterPathStroker>
#include <QRadialGradient>

namespace cardgen {

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
                Qt::PenCapStyle cap)
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

void drawSymbol(QPainter &p, Suit s, QPointF centre, qreal height, qreal angle, bool halo)
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

}  // namespace cardgen
