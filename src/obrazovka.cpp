#include "obrazovka.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cmath>

// ---------------------------------------------------------------- windows on screens

QMargins PanelSeam;
std::function<QMargins(const QWidget *)> FrameSeam;

QRect FreeArea(const QScreen *screen) { return screen->availableGeometry().marginsRemoved(PanelSeam); }

namespace {
QMargins KnownFrame;

bool Maximised(const QWidget *window)
{
    return window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
}

// The frame the desktop has put round the window, if any. While a window manager builds the
// frame it can report margins that are negative (a frame of one pixel round the whole
// window): those are no frame yet.
QMargins FrameOf(const QWidget *window)
{
    const QWindow *handle = window->testAttribute(Qt::WA_WState_Created) ? window->windowHandle() : nullptr;
    const QMargins m = FrameSeam ? FrameSeam(window) : handle ? handle->frameMargins() : QMargins();
    return m.left() >= 0 && m.top() >= 0 && m.right() >= 0 && m.bottom() >= 0 ? m : QMargins();
}

// Keeps the window inside the free area of the screen with its top left corner at `at` where
// it fits; otherwise it shrinks as far as its minimum size lets it and moves just enough.
// Returns where the window was put.
QPoint KeepOnScreen(QWidget *window, QScreen *screen, QPoint at)
{
    if (!screen || Maximised(window)) return at;
    // The window's own frame where it has one (the widget's idea of it can lag behind after a
    // move to another screen), else the frame last seen.
    const QMargins own = FrameOf(window);
    const QMargins frame = own.isNull() ? KnownFrame : own;
    const QRect avail = FreeArea(screen);
    const QSize room = avail.size().shrunkBy(frame);
    if (window->width() > room.width() || window->height() > room.height())
        window->resize(window->size().boundedTo(room).expandedTo(window->minimumSize()));
    const QSize outer = window->size().grownBy(frame);
    const QPoint to(qBound(avail.left(), at.x(), qMax(avail.left(), avail.right() + 1 - outer.width())),
                    qBound(avail.top(), at.y(), qMax(avail.top(), avail.bottom() + 1 - outer.height())));
    QWindow *handle = window->testAttribute(Qt::WA_WState_Created) ? window->windowHandle() : nullptr;
    if (window->screen() != screen && !(handle && handle->isVisible())) window->setScreen(screen);
    if (!handle) {
        if (window->pos() != to) window->move(to);  // placed with its frame when it is created
        return to;
    }
    // The widget moves its client area by as much as it is asked to move its frame.
    const QPoint client = to + QPoint(frame.left(), frame.top());
    if (client != window->geometry().topLeft()) window->move(window->pos() + client - window->geometry().topLeft());
    return to;
}

class TUmisteni : public QObject
{
public:
    TUmisteni(QWidget *window, QPoint design, QSize outer, TOuter kind, std::function<void(QSize)> fit)
        : QObject(window), window_(window), design_(design), outer_(outer), kind_(kind), fit_(std::move(fit))
    {
        window->installEventFilter(this);
        Apply(KnownFrame);
        window->move(design);
    }

    bool eventFilter(QObject *, QEvent *e) override
    {
        switch (e->type()) {
        case QEvent::Show:
            if (!shown_) Open();
            shown_ = true;
            Framed(e->type());
            break;
        case QEvent::Move:
        case QEvent::WindowActivate:
            if (shown_) Framed(e->type());
            break;
        case QEvent::Hide:
            shown_ = settled_ = false;  // shown again, it is placed again
            break;
        default:
            break;
        }
        return false;
    }

private:
    // Its design place on the screen it belongs to, or where the user left it.
    void Open()
    {
        QScreen *screen = userPlaced_ ? window_->screen() : ScreenFor(window_);
        if (!screen) return;
        const QPoint at = userPlaced_ ? window_->pos() : screen->geometry().topLeft() + design_;
        if (fit_) fit_(FreeArea(screen).size().shrunkBy(KnownFrame));
        placed_ = KeepOnScreen(window_, screen, at);
    }

    void Framed(QEvent::Type type)
    {
        // A maximised or full-screen window is the user's to size, and its frame (often
        // thinner) is not the frame of an ordinary window, also while it is restored.
        const QMargins frame = FrameOf(window_);
        if (Maximised(window_)) {
            maximisedFrame_ = frame;
            return;
        }
        if (!frame.isNull() && frame != maximisedFrame_) {
            KnownFrame = frame;
            maximisedFrame_ = QMargins();
        }
        // A window just made can be placed before its widget has heard of its frame, and land a
        // frame's width off its place: it is placed again as soon as the widget knows.
        const bool frameKnown = !frame.isNull() && window_->geometry().topLeft() - window_->pos() == QPoint(frame.left(), frame.top());
        if (KnownFrame != applied_ || (frameKnown && !knewFrame_ && window_->pos() != placed_)) {
            // A new frame: the size is applied anew and the window kept on its screen, at the
            // place meant for it while the window manager still frames it (it passes through
            // places of its own then), else where it is now.
            Apply(KnownFrame);
            placed_ = KeepOnScreen(window_, window_->screen(), settled_ ? window_->pos() : placed_);
        } else if (settled_ && type == QEvent::Move && MovedBeyondFrame(window_->pos() - placed_)) {
            placed_ = window_->pos();  // moved by the user
            userPlaced_ = true;
        }
        // Framed, the window is where the window manager leaves it: later moves are the user's.
        if (!frame.isNull()) settled_ = true;
        knewFrame_ = knewFrame_ || frameKnown;
    }

    // A window placed on another screen can land off its place by up to a frame's thickness
    // (Qt positions it with the frame of the screen it comes from): that is no move of the user's.
    static bool MovedBeyondFrame(QPoint by)
    {
        return qAbs(by.x()) > KnownFrame.left() + KnownFrame.right() || qAbs(by.y()) > KnownFrame.top() + KnownFrame.bottom();
    }

    void Apply(const QMargins &frame)
    {
        applied_ = frame;
        const QSize client = outer_.shrunkBy(frame);
        if (kind_ == TOuter::Minimum) {
            if (window_->minimumSize() != client) window_->setMinimumSize(client);
        } else if (kind_ == TOuter::Size && window_->size() != client) {
            window_->resize(client);
        }
    }

    QWidget *window_;
    QPoint design_;
    QSize outer_;
    TOuter kind_;
    std::function<void(QSize)> fit_;
    QMargins applied_;
    QMargins maximisedFrame_;
    QPoint placed_;
    bool shown_ = false;
    bool settled_ = false;
    bool userPlaced_ = false;
    bool knewFrame_ = false;
};
}  // namespace

void SetPlace(QWidget *window, QPoint design, QSize outer, TOuter kind, std::function<void(QSize)> fit)
{
    new TUmisteni(window, design, outer, kind, std::move(fit));
}

QScreen *ScreenFor(const QWidget *window)
{
    const QWidget *owner = window->parentWidget() ? window->parentWidget()->window() : window;
    return owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
}

QMargins FrameMargins() { return KnownFrame; }

// ---------------------------------------------------------------- colours

namespace {
double Luminance(const QColor &c)
{
    auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

constexpr double Enough = 4.5;
}  // namespace

double ContrastRatio(const QColor &a, const QColor &b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

bool ClearlyApart(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) >= 120;
}

QColor ReadableColour(const QColor &design, const QColor &background, std::initializer_list<QColor> offered,
                      const QColor &apart)
{
    auto fits = [&](const QColor &c) {
        return ContrastRatio(c, background) >= Enough && (!apart.isValid() || ClearlyApart(c, apart));
    };
    if (fits(design)) return design;
    for (const QColor &c : offered)
        if (c.isValid() && fits(c)) return QColor(c.rgb());
    // Towards white on a dark background, towards black on a light one.
    const QColor end = Luminance(background) < 0.18 ? QColor(Qt::white) : QColor(Qt::black);
    for (int step = 1; step <= 20; ++step) {
        const double t = step / 20.0;
        const QColor c = QColor::fromRgbF(float(design.redF() + (end.redF() - design.redF()) * t),
                                          float(design.greenF() + (end.greenF() - design.greenF()) * t),
                                          float(design.blueF() + (end.blueF() - design.blueF()) * t));
        if (fits(c)) return c;
    }
    return apart.isValid() ? QColor() : end;
}

TCountColours CountColours(const QColor &board, const QColor &windowText, const QColor &link)
{
    // Black counts, the one on turn blue; on a dark board the nearest colours of the theme
    // that read well.
    const QColor text = ReadableColour(Qt::black, board, {windowText});
    const QColor marker = ReadableColour(QColor(0, 0, 255), board, {link}, text);
    if (marker.isValid()) return {text, marker, QColor()};
    // A mid-grey board reads well only with colours near white or near black, too few for two
    // colours apart: the counts get a white plate of their own, with the design's colours.
    return {Qt::black, QColor(0, 0, 255), Qt::white};
}
