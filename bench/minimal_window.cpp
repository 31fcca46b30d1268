// The smallest Qt window program worth comparing with: one window with one label, the
// yardstick for the board's start-up time and memory in bench/run.sh.
//
//   bench_minimal startup T0   ends after the window's first paint; prints the ms since T0
//   bench_minimal memory       prints the peak resident size in KiB after the first paint
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <cstdlib>
#include <ctime>

namespace {

long long RealtimeNs()
{
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

long PeakKiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

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

}  // namespace

int main(int argc, char *argv[])
{
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray("startup");
    const long long t0 = argc > 2 ? QByteArray(argv[2]).toLongLong() : RealtimeNs();
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Okno"));
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Dobrý den")));
    window.resize(725, 585);
    window.show();
    FirstPaint paint(&window, [&] {
        if (mode == "memory")
            std::printf("%ld\n", PeakKiB());
        else
            std::printf("%.1f\n", (RealtimeNs() - t0) / 1e6);
        std::fflush(stdout);
        std::_Exit(0);
    });
    return app.exec();
}
