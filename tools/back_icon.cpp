// The card back and the application icon (as pictures and as SVG).
#include "cardgen.h"

#include <QTextStream>

namespace cardgen {

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

}  // namespace cardgen
