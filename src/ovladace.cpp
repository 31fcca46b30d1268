#include "ovladace.h"

#include "karty.h"

#include <QApplication>
#include <QButtonGroup>
#include <QHash>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QRadioButton>
#include <QVBoxLayout>

#include <QtMath>


// ---------------------------------------------------------------- fonts

namespace {
QFont MakeFont(const QStringList &families, int pixelSize, bool bold)
{
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

#ifdef Q_OS_WIN
// Windows has the fonts the game was drawn with; the later names are what Windows puts in their
// place where one is missing, and last what Wine finds on a Linux desktop.
const QStringList SansFamilies = {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
                                  QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
const QStringList HeavyFamilies = {QStringLiteral("Arial Black"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")};
const QStringList SerifFamilies = {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")};
#else
const QStringList SansFamilies = {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
// The heaviest face of these families stands in for Arial Black.
const QStringList HeavyFamilies = {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")};
const QStringList SerifFamilies = {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")};
#endif
}  // namespace

QFont SansFont(int pixelSize, bool bold) { return MakeFont(SansFamilies, pixelSize, bold); }
QFont HeavyFont(int pixelSize) { return MakeFont(HeavyFamilies, pixelSize, true); }
QFont SerifFont(int pixelSize, bool bold) { return MakeFont(SerifFamilies, pixelSize, bold); }

// ---------------------------------------------------------------- TImage

namespace {
QString PicturePath(const QString &name, int scale)
{
    if (scale == 1)
        return name == QLatin1String("RUB") ? QStringLiteral(":/RUB.bmp")
                                             : QStringLiteral(":/cards/%1.bmp").arg(name);
    return QStringLiteral(":/cards%1x/%2.png").arg(scale).arg(name);
}

// Decoded pictures are kept in Qt's own bounded pixmap cache.
QPixmap DecodedPicture(const QString &path)
{
    QPixmap pix;
    if (!QPixmapCache::find(path, &pix) && pix.load(path))
        QPixmapCache::insert(path, pix);
    return pix;
}
// What lies outside a card's rounded outline, in the board's colour: the corners and a thin
// rim along the edges. Filling that outline is most of the cost of painting a card, so it is
// drawn once for each size, as four bands along the edges (the inside of a card needs none).
struct CardRim {
    QPixmap band[4];
    QPointF at[4];
};

const CardRim &RimFor(QSize size, qreal dpr, const QColor &board)
{
    static QHash<QString, CardRim> cache;
    const QString key = QStringLiteral("%1x%2@%3:%4").arg(size.width()).arg(size.height()).arg(dpr).arg(board.rgba());
    if (const auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    if (cache.size() >= 16)  // a few sizes are in use at a time; resizing makes new ones
        cache.clear();
    const int w = size.width(), h = size.height();
    const qreal sx = w / 90.0, sy = h / 150.0;
    QPainterPath corners;
    corners.addRect(QRectF(0, 0, w, h));
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0.5 * sx, 0.5 * sy, w - sx, h - sy), 5.5 * sx, 5.5 * sy);
    corners = corners.subtracted(outline);
    // The bands are cut in device pixels, so that at a fractional scale they meet without a
    // step; the corner arcs reach 6 design units in from each edge.
    const int W = qCeil(w * dpr), H = qCeil(h * dpr);
    const int tw = qMin(W / 2, qCeil(6 * sx * dpr) + 1), th = qMin(H / 2, qCeil(6 * sy * dpr) + 1);
    const QRect bands[4] = {QRect(0, 0, W, th), QRect(0, H - th, W, th), QRect(0, th, tw, H - 2 * th),
                            QRect(W - tw, th, tw, H - 2 * th)};
    CardRim rim;
    for (int i = 0; i < 4; ++i) {
        QImage img(bands[i].size(), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(-bands[i].topLeft());
        p.scale(dpr, dpr);
        p.fillPath(corners, board);
        p.end();
        img.setDevicePixelRatio(dpr);
        rim.band[i] = QPixmap::fromImage(img);
        rim.at[i] = QPointF(bands[i].topLeft()) / dpr;
    }
    return *cache.insert(key, rim);
}
}  // namespace

// Whether the player has used the keyboard on the cards since the last mouse press.
static bool KeyboardUsed = false;

TImage::TImage(QWidget *parent) : QWidget(parent) {}

void TImage::LoadPicture(const QString &resourceName)
{
    if (name_ == resourceName)
        return;
    name_ = resourceName;
    setAccessibleName(PictureDescription(resourceName));
    update();
}

// How far a card of this size is stretched beyond the 90 x 150 picture, in device pixels.
static qreal Stretch(QSize size, qreal dpr) { return qMax(size.width() / 90.0, size.height() / 150.0) * dpr; }

// A picture of this scale (1, 2 or 3) is called for as soon as the next smaller one would have
// to be enlarged: shrinking a sharper picture keeps it sharp.
static bool CallsFor(qreal stretch, int scale) { return stretch > scale - 1 + 0.01; }

// Paints the picture stretched to the given size.
static void PaintPicture(QPainter &painter, const QString &name, QSize size, qreal dpr)
{
    const qreal stretch = Stretch(size, dpr);
    QPixmap pix;
    for (int scale : {3, 2}) {
        if (CallsFor(stretch, scale)) {
            pix = DecodedPicture(PicturePath(name, scale));
            if (!pix.isNull()) break;
        }
    }
    if (pix.isNull())
        pix = DecodedPicture(PicturePath(name, 1));
    if (pix.isNull()) {
        painter.fillRect(QRect(QPoint(), size), QColor(0xA0, 0xA0, 0xA4));
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRect(QPoint(), size), pix);
}

void TImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const qreal dpr = devicePixelRatioF();
    // A card that calls for a larger picture costs much to stretch at every paint, so it keeps
    // its stretched picture; a small one is stretched afresh, cheaply, and keeps nothing.
    if (CallsFor(Stretch(size(), dpr), 2)) {
        const QString key = QStringLiteral("%1 %2x%3@%4").arg(name_).arg(width()).arg(height()).arg(dpr);
        if (key != faceKey_) {
            QImage img(size() * dpr, QImage::Format_ARGB32_Premultiplied);
            img.setDevicePixelRatio(dpr);
            img.fill(Qt::transparent);
            QPainter p(&img);
            PaintPicture(p, name_, size(), dpr);
            p.end();
            face_ = QPixmap::fromImage(img);
            faceKey_ = key;
        }
        painter.drawPixmap(0, 0, face_);
    } else {
        face_ = QPixmap();
        faceKey_.clear();
        PaintPicture(painter, name_, size(), dpr);
    }
    if (name_ == QLatin1String("PRAZDNE"))
        return;
    // Cards have rounded corners: outside the card's outline the board's own colour is
    // painted over the picture, so the corners look the same at every scale.
    QColor board = parentWidget()->palette().color(parentWidget()->backgroundRole());
    const CardRim &rim = RimFor(size(), dpr, board);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (int i = 0; i < 4; ++i)
        painter.drawPixmap(rim.at[i], rim.band[i]);
    const qreal sx = width() / 90.0, sy = height() / 150.0;
    if (dimmed_) {
        board.setAlpha(170);
        painter.fillRect(rect(), board);
    }
    if (hasFocus() && KeyboardUsed) {
        const qreal pen = qMax(2.0, 3 * sx);
        painter.setPen(QPen(palette().color(QPalette::Highlight), pen));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(pen, pen, -pen, -pen), 4 * sx, 4 * sy);
    }
}

bool TImage::event(QEvent *e)
{
    // Tab is taken here, before the widget would move the focus along its own chain.
    if (e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (!(k->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))) {
            switch (k->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Space:
                // Laying takes a fresh press: a held key must not lay the cards that follow.
                if (k->isAutoRepeat()) return true;
                KeyboardUsed = true;
                emit DblClick(this);
                return true;
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Home:
            case Qt::Key_End:
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
                KeyboardUsed = true;
                update();
                emit Key(this, k->key());
                return true;
            default:
                break;
            }
        }
    }
    return QWidget::event(e);
}

void TImage::SetDimmed(bool dimmed)
{
    if (dimmed_ == dimmed)
        return;
    dimmed_ = dimmed;
    update();
}

void TImage::focusInEvent(QFocusEvent *e)
{
    if (e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason)
        KeyboardUsed = true;
    update();
}

void TImage::focusOutEvent(QFocusEvent *e)
{
    // The prompt is heard again when the player comes back from another window or a menu.
    if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason &&
        e->reason() != Qt::MenuBarFocusReason)
        SetNews(QString());
    update();
}

void TImage::SetNews(const QString &news)
{
    const QString name = news + PictureDescription(name_);
    if (accessibleName() != name) setAccessibleName(name);
}

void TImage::MouseUsed()
{
    KeyboardUsed = false;  // the focus mark is for keyboard players
    if (auto *focused = qobject_cast<TImage *>(QApplication::focusWidget())) focused->update();
}

void TImage::mousePressEvent(QMouseEvent *e)
{
    MouseUsed();
    if (e->button() == Qt::LeftButton)
        pressed_ = true;
}

void TImage::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    if (rect().contains(e->position().toPoint()))
        emit Click(this);
}

void TImage::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    pressed_ = false;  // the release that ends a double click is not another click
    emit DblClick(this);
}

// ---------------------------------------------------------------- TStatusBar

TStatusBar::TStatusBar(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    for (int i = 0; i < 2; ++i) {
        Panel[i] = new QLabel(this);
        Panel[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        Panel[i]->setIndent(2);
    }
    Panel[0]->setObjectName(QStringLiteral("Vyzva"));  // a screen reader reads the table's description here
    Panel[0]->setText(QStringLiteral("Připraven"));
    Panel[1]->setText(QStringLiteral("Nehraje se"));
}

void TStatusBar::SetText(int panel, const QString &text) { Panel[panel]->setText(text); }
QString TStatusBar::Text(int panel) const { return Panel[panel]->text(); }

void TStatusBar::resizeEvent(QResizeEvent *)
{
    // Panel 0 is 160 pixels wide, the last panel reaches to the right edge.
    Panel[0]->setGeometry(0, 2, 160, height() - 2);
    Panel[1]->setGeometry(162, 2, qMax(0, width() - 162), height() - 2);
}

// ---------------------------------------------------------------- TRadioGroup

TRadioGroup::TRadioGroup(QWidget *parent, const QString &caption) : QWidget(parent)
{
    box_ = new QGroupBox(caption, this);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(box_);
    layout_ = new QVBoxLayout(box_);
    layout_->setContentsMargins(8, 4, 8, 4);
    layout_->setSpacing(0);
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    connect(group_, &QButtonGroup::idClicked, this, [this](int id) { index_ = id; });
}

void TRadioGroup::SetItems(const QStringList &items)
{
    items_ = items;
    Rebuild();
}

void TRadioGroup::DeleteItem(int index)
{
    items_.removeAt(index);
    Rebuild();
}

void TRadioGroup::InsertItem(int index, const QString &item)
{
    items_.insert(index, item);
    Rebuild();
}

int TRadioGroup::ItemIndex() const { return index_; }

void TRadioGroup::SetGroupName(const QString &name)
{
    box_->setAccessibleName(name);
    setAccessibleName(name);
}

void TRadioGroup::SetItemIndex(int index)
{
    index_ = index;
    if (auto *b = group_->button(index))
        b->setChecked(true);
}

QList<QRadioButton *> TRadioGroup::Buttons() const
{
    QList<QRadioButton *> list;
    for (auto *b : group_->buttons())
        list << static_cast<QRadioButton *>(b);
    std::sort(list.begin(), list.end(),
              [this](QRadioButton *a, QRadioButton *b) { return group_->id(a) < group_->id(b); });
    return list;
}

void TRadioGroup::Rebuild()
{
    for (auto *b : group_->buttons()) {
        group_->removeButton(b);
        delete b;
    }
    for (int i = 0; i < items_.size(); ++i) {
        auto *b = new QRadioButton(items_[i], box_);
        group_->addButton(b, i);
        layout_->addWidget(b);
    }
    // A shorter list keeps the old position where it can, else selects its last item.
    if (index_ >= items_.size())
        index_ = items_.size() - 1;
    if (auto *b = group_->button(index_))
        b->setChecked(true);
}

// ---------------------------------------------------------------- TKlient

void TKlient::resizeEvent(QResizeEvent *) { emit Resized(); }
