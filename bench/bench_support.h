#pragma once
// Pieces both bench programs share: a wall clock, the process's own memory figures, and a
// hook on the first paint of a window.
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <ctime>
#include <functional>

inline long long RealtimeNs()
{
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

// A line of /proc/self/status in KiB, e.g. "VmHWM" or "VmRSS".
inline long StatusKiB(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(prefix)) return line.mid(prefix.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Notes the first paint of any widget of one window, then runs `then` once that paint is done.
class FirstPaint : public QObject
{
public:
    FirstPaint(QWidget *window, std::function<void()> then) : window_(window), then_(std::move(then))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (!seen_ && e->type() == QEvent::Paint && o->isWidgetType() && static_cast<QWidget *>(o)->window() == window_) {
            seen_ = true;
            QTimer::singleShot(0, this, then_);
        }
        return false;
    }

private:
    QWidget *window_;
    std::function<void()> then_;
    bool seen_ = false;
};
