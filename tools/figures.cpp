// Figure cards: spodek, filek and král, double-ended.
#include "cardgen.h"

#include <QLinearGradient>
#include <QPainterPathStroker>
#include <QRadialGradient>

namespace cardgen {

// ---------------------------------------------------------------------------
// Figure cards: double-ended, each half shows the figure from the waist up.
// The half is drawn in the top part of the frame and repeated turned round.
// ---------------------------------------------------------------------------

const QRectF kFrame(15.5, 5.5, 59, 139);
constexpr qreal kDivider = 75;

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

}  // namespace cardgen
