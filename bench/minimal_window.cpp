// The smallest Qt window program worth comparing with: one window with one label, the
// yardstick for the board's start-up time and memory in bench/run.sh.
//
//   bench_minimal startup T0   ends after the window's first paint; prints the ms since T0
//   bench_minimal memory       prints the peak resident size in KiB after the first paint
#include "bench_support.h"

#include <QLabel>
#include <QVBoxLayout>

#include <cstdio>
#include <cstdlib>

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
            std::printf("%ld\n", StatusKiB("VmHWM"));
        else
            std::printf("%.1f\n", (RealtimeNs() - t0) / 1e6);
        std::fflush(stdout);
        std::_Exit(0);
    });
    return app.exec();
}
