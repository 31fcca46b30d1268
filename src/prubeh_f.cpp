#include "prubeh_f.h"

#include "hlasatel.h"
#include "ovladace.h"
#include "plocha.h"
#include "stych_f.h"
#include "zapis_f.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

TPrubeh_form *Prubeh_form = nullptr;

TPrubeh MatchCourse(const int recorded[4][41])
{
    TPrubeh c;
    for (int e = 0; e < 40; ++e) {
        // A total the sheet leaves blank did not change.
        std::array<int, 4> t = c.totals.last();
        bool any = false;
        for (int p = 0; p < 4; ++p)
            if (recorded[p][e] != 0) {
                t[p] = recorded[p][e];
                any = true;
            }
        if (!any) continue;
        c.entries << e;
        c.totals << t;
    }
    return c;
}

QString CourseWords(const TPrubeh &c, const QString names[4])
{
    if (c.entries.isEmpty()) return QStringLiteral("Průběh zápasu: zatím nic zapsáno.");
    const std::array<int, 4> &now = c.totals.last();
    const int best = *std::min_element(now.begin(), now.end());
    QStringList leaders, totals;
    for (int p = 0; p < 4; ++p) {
        if (now[p] == best) leaders << names[p];
        totals << names[p] + QLatin1Char(' ') + QString::number(now[p]);
    }
    int jump = -1, who = 0, at = 0;
    for (int i = 1; i < c.totals.size(); ++i)
        for (int p = 0; p < 4; ++p)
            if (c.totals[i][p] - c.totals[i - 1][p] > jump) {
                jump = c.totals[i][p] - c.totals[i - 1][p];
                who = p;
                at = c.entries[i - 1];
            }
    const QString lead = leaders.size() == 1
                             ? QStringLiteral("vede ") + leaders[0]
                             : QStringLiteral("vedou ") + leaders.mid(0, leaders.size() - 1).join(QStringLiteral(", ")) +
                                   QStringLiteral(" a ") + leaders.last();
    return QStringLiteral("Průběh zápasu: %1, %2. %3. Největší skok: %4 o %5, %6.")
        .arg(lead, PointsWords(best), totals.join(QStringLiteral(", ")), names[who], PointsWords(jump),
             InRound(at / 10, TZapis_form::SlotName(at % 10)));
}

// ---------------------------------------------------------------- the chart

namespace {
// Colours told apart by those who see red and green alike (Okabe and Ito), and in grey by their
// lightness; the dashes and markers tell the lines apart in any case.
const QColor Design[4] = {QColor(0x00, 0x72, 0xB2), QColor(0xD5, 0x5E, 0x00), QColor(0x00, 0x9E, 0x73),
                          QColor(0xCC, 0x79, 0xA7)};

void Marker(QPainter &p, int player, QPointF at, qreal r)
{
    switch (player) {
    case 0:
        p.drawEllipse(at, r, r);
        break;
    case 1:
        p.drawRect(QRectF(at.x() - r * 0.9, at.y() - r * 0.9, 1.8 * r, 1.8 * r));
        break;
    case 2: {
        const QPointF t[3] = {at + QPointF(0, -1.2 * r), at + QPointF(1.1 * r, 0.8 * r), at + QPointF(-1.1 * r, 0.8 * r)};
        p.drawPolygon(t, 3);
        break;
    }
    default: {
        const QPointF d[4] = {at + QPointF(0, -1.3 * r), at + QPointF(1.3 * r, 0), at + QPointF(0, 1.3 * r), at + QPointF(-1.3 * r, 0)};
        p.drawPolygon(d, 4);
        break;
    }
    }
}

// The step of the value axis: 1, 2 or 5 times a power of ten, for at most six lines.
int NiceStep(int top)
{
    for (int magnitude = 1;; magnitude *= 10)
        for (int f : {1, 2, 5})
            if (top <= 6 * f * magnitude) return f * magnitude;
}
}  // namespace

Qt::PenStyle TGraf::Dash(int player)
{
    static const Qt::PenStyle dashes[4] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};
    return dashes[player & 3];
}

TGraf::TGraf(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Graf"));
    setFocusPolicy(Qt::StrongFocus);  // focused as the window opens, so a screen reader reads the summary
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setMinimumSize(320, 220);
}

TGraf::TLegenda TGraf::Legend() const
{
    const QFontMetrics fm(font());
    const int line = fm.height(), gap = line / 2;
    int whole = 0;
    for (int i = 0; i < 4; ++i) whole += 3 * line + gap + fm.horizontalAdvance(Players[i]->Name) + 2 * line;
    const bool twoRows = whole > width() - 2 * gap;
    TLegenda l;
    int x = gap, y = gap;
    for (int i = 0; i < 4; ++i) {
        if (twoRows && i == 2) x = gap, y += line + gap;
        l.sample[i] = QRect(x, y, 3 * line, line);
        x += 3 * line + gap;
        l.name[i] = QRect(x, y, fm.horizontalAdvance(Players[i]->Name), line);
        x += l.name[i].width() + 2 * line;
    }
    l.bottom = y + line + gap;
    return l;
}

void TGraf::paintEvent(QPaintEvent *)
{
    const TPrubeh c = MatchCourse(Zapis_form->RecordedTotals);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor back = palette().color(QPalette::Base), ink = palette().color(QPalette::Text);
    const QFontMetrics fm(font());
    const int line = fm.height(), gap = line / 2;
    QColor colours[4];
    // Lines need 3 : 1 against a light background; on a dark one the design's blue barely passes,
    // so there they are lightened to read as well as text does.
    const double need = back.lightness() < 128 ? 4.5 : 3;
    for (int i = 0; i < 4; ++i) colours[i] = ContrastRatio(Design[i], back) >= need ? Design[i] : ReadableColour(Design[i], back, {});
    const qreal thick = qMax(2.0, line / 7.0), r = qMax(3.5, line / 3.5);
    auto pen = [&](int i) {
        QPen pn(colours[i], thick, Dash(i), Qt::FlatCap, Qt::RoundJoin);
        return pn;
    };

    const TLegenda legend = Legend();
    for (int i = 0; i < 4; ++i) {
        const QRect &at = legend.sample[i];
        p.setPen(pen(i));
        p.drawLine(QPointF(at.left(), at.center().y()), QPointF(at.right(), at.center().y()));
        p.setPen(QPen(colours[i], thick * 0.6));
        p.setBrush(colours[i]);
        Marker(p, i, QRectF(at).center(), r);
        p.setPen(ink);
        p.drawText(legend.name[i], Qt::AlignLeft | Qt::AlignVCenter, Players[i]->Name);
    }
    const int top = legend.bottom + gap;

    const int most = std::max(10, [&] {
        int m = 0;
        for (const auto &t : c.totals) m = std::max({m, t[0], t[1], t[2], t[3]});
        return m;
    }());
    const int step = NiceStep(most), ceiling = (most + step - 1) / step * step;
    const int left = gap + fm.horizontalAdvance(QString::number(ceiling)) + gap;
    const QRect plot(left, top, width() - left - 2 * gap, height() - top - 2 * line - gap);
    if (plot.width() < 10 || plot.height() < 10) return;
    auto yOf = [&](int v) { return plot.bottom() - qreal(v) / ceiling * plot.height(); };
    const int n = int(c.totals.size());
    auto xOf = [&](int i) { return plot.left() + (n > 1 ? qreal(i) / (n - 1) * plot.width() : 0.0); };

    // The value lines and their numbers.
    QColor faint = ink;
    faint.setAlpha(60);
    for (int v = 0; v <= ceiling; v += step) {
        p.setPen(QPen(faint, 1));
        p.drawLine(QPointF(plot.left(), yOf(v)), QPointF(plot.right(), yOf(v)));
        p.setPen(ink);
        p.drawText(QRectF(0, yOf(v) - line / 2.0, left - gap, line), Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
    }
    // The rounds: a line where each begins and its name under its contracts.
    for (int round = 0; round < 4; ++round) {
        int first = -1, last = -1;
        for (int i = 0; i < c.entries.size(); ++i)
            if (c.entries[i] / 10 == round) {
                if (first < 0) first = i + 1;
                last = i + 1;
            }
        if (first < 0) continue;
        const qreal from = xOf(first - 1), to = xOf(last);
        p.setPen(QPen(ink, 1, Qt::DotLine));
        if (round > 0) p.drawLine(QPointF(from, plot.top()), QPointF(from, plot.bottom()));
        p.setPen(ink);
        p.drawText(QRectF(from, plot.bottom() + gap + line, to - from, line), Qt::AlignCenter | Qt::TextDontClip,
                   QStringLiteral("%1. kolo").arg(round + 1));
    }
    p.setPen(QPen(ink, 1));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    for (int i = 0; i < n; ++i) p.drawLine(QPointF(xOf(i), plot.bottom()), QPointF(xOf(i), plot.bottom() + gap));

    if (c.entries.isEmpty()) {
        p.setPen(ink);
        p.drawText(plot, Qt::AlignCenter, QStringLiteral("Zatím nic zapsáno."));
        return;
    }
    // The lines, each with a marker at every entry.
    for (int pl = 0; pl < 4; ++pl) {
        QPainterPath path;
        for (int i = 0; i < n; ++i) {
            const QPointF at(xOf(i), yOf(c.totals[i][pl]));
            if (i == 0)
                path.moveTo(at);
            else
                path.lineTo(at);
        }
        p.setPen(pen(pl));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.setPen(QPen(colours[pl], thick * 0.6));
        p.setBrush(colours[pl]);
        for (int i = 0; i < n; ++i) Marker(p, pl, QPointF(xOf(i), yOf(c.totals[i][pl])), r);
    }
}

// ---------------------------------------------------------------- the window

TPrubeh_form::TPrubeh_form()
{
    setWindowTitle(QStringLiteral("Průběh zápasu"));
    setObjectName(QStringLiteral("Prubeh_form"));
    setWindowFlags(Qt::Window);
    setFont(SansFont(11));
    SetPlace(this, {420, 140}, {660, 440}, TOuter::Size);
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    Graf = new TGraf(this);
    box->addWidget(Graf);
    connect(Zapis_form, &TZapis_form::Changed, this, &TPrubeh_form::Follow);
}

void TPrubeh_form::Follow()
{
    QString names[4];
    for (int p = 0; p < 4; ++p) names[p] = Players[p]->Name;
    Graf->setAccessibleName(CourseWords(MatchCourse(Zapis_form->RecordedTotals), names));
    Graf->update();
}

void TPrubeh_form::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(e);
}

void ShowMatchChart()
{
    if (!Prubeh_form) {
        Prubeh_form = new TPrubeh_form;
        Prubeh_form->setParent(Form1, Prubeh_form->windowFlags());
    }
    Prubeh_form->Follow();
    Prubeh_form->show();
    Prubeh_form->raise();
    Prubeh_form->activateWindow();
    Prubeh_form->Graf->setFocus(Qt::OtherFocusReason);
}
