// The program with the same windows and engine, driven without a person, for the
// measurements of bench/run.sh. It is never run by the test suite.
//
//   tamsa_bench startup T0     ends after the board's first paint; prints the ms since T0
//                              (CLOCK_REALTIME in ns, taken by the launcher just before it)
//   tamsa_bench phases T0      the same, split: to main, QApplication, the windows, the paint
//   tamsa_bench match          one whole match, instant pauses; prints the peak resident size
//   tamsa_bench engine N       N whole matches, instant pauses; prints matches per second
//   tamsa_bench engine-hidden N  the same with the board hidden, so nothing is painted
//   tamsa_bench wait-human     starts "Červené" and leaves the human's card to nobody
//   tamsa_bench wait-pause MS  starts "Červené" played by four computers, each pause MS long
//   tamsa_bench growth N       every window shown N times and N contracts; resident sizes
//   tamsa_bench memory         ends after the board's first paint; prints the peak resident size
//   tamsa_bench repaint W H N  the board with a dealt hand and a full trick at a client area of
//                              W x H, repainted N times; prints the median and the middle half in ms
#include "hra.h"
#include "maturita_f.h"
#include "napoveda_f.h"
#include "nastaveni_f.h"
#include "o_programu_f.h"
#include "plocha.h"
#include "zapis_f.h"

#include "bench_support.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <cstdlib>
#include <ctime>
#include <algorithm>
#include <random>
#include <vector>

namespace {

// Plays whenever the program waits for a person: closes every modal window (choosing a
// random Maturita contract first) and double-clicks a random card the program allows.
class BenchHuman : public QObject
{
public:
    explicit BenchHuman(unsigned seed) : rng_(seed)
    {
        timer_.setInterval(0);
        connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
        timer_.start();
    }
    void Stop() { timer_.stop(); }

private:
    std::mt19937 rng_;
    QTimer timer_;

    int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    void Tick()
    {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            if (modal == Maturita_form) {
                const auto buttons = Maturita_form->Vyber_hru->Buttons();
                buttons[Roll(int(buttons.size()))]->click();
            }
            modal->close();
            return;
        }
        if (PanelText(1) == QLatin1String("Nehraje se") || !TimerElapsed || HumanMoved) return;
        QList<TImage *> enabled;
        for (TImage *im : HandImages)
            if (im->isEnabled()) enabled << im;
        if (enabled.isEmpty()) {
            if (Form1->Next_but->isVisible() && Form1->Next_but->isEnabled()) Form1->Next_but->click();
            return;
        }
        TImage *im = enabled[Roll(int(enabled.size()))];
        const QPointF at(im->width() / 2.0, im->height() / 2.0);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, at, im->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(im, &dbl);
    }
};

void Wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void PlayMatch() { Form1->Start1->trigger(); }

int Growth(int n)
{
    BenchHuman human(7);
    auto rss = [] { return StatusKiB("VmRSS"); };
    struct Step
    {
        const char *what;
        std::function<void()> once;
    };
    const Step steps[] = {
        {"settings window", [] { Form1->Nastaveni1->trigger(); }},
        {"standings (\"&Stav\")", [] { Form1->Stav1->trigger(); }},
        {"Maturita chooser", [] { ExecModal(Maturita_form); }},
        {"score sheet", [] { Form1->Zapis1->trigger(); Wait(0); Zapis_form->close(); }},
        {"about the game", [] { Form1->OhreTamsa1->trigger(); Wait(0); napoveda_form->close(); }},
        {"about the program", [] { Form1->Oprogramu1->trigger(); Wait(0); O_programu_form->close(); }},
        {"training contracts", [] {
             static int k = 0;
             QAction *const list[8] = {Form1->Cerveny1, Form1->Filky1, Form1->PrPo1, Form1->Vsechny1,
                                       Form1->CervenyKral1, Form1->Kvarty1, Form1->Desitky1, Form1->Maturita1};
             list[k++ % 8]->trigger();
         }},
    };
    std::printf("| what | KiB after %d | after %d more | after %d more | growth of the last %d |\n", n / 4, n, n, n);
    std::printf("|---|---|---|---|---|\n");
    bool flat = true;
    for (const Step &s : steps) {
        for (int i = 0; i < n / 4; ++i) s.once();  // warm-up: caches, fonts, first allocations
        Wait(10);
        const long a = rss();
        for (int i = 0; i < n; ++i) s.once();
        Wait(10);
        const long b = rss();
        for (int i = 0; i < n; ++i) s.once();
        Wait(10);
        const long c = rss();
        // Allocator noise is a page here and there; a leak of one object per showing grows every block.
        const bool grows = c - b > 256 && b - a > 256;
        flat = flat && !grows;
        std::printf("| %s | %ld | %ld | %ld | %+ld KiB%s |\n", s.what, a, b, c, c - b, grows ? " (GROWS)" : "");
        std::fflush(stdout);
    }
    human.Stop();
    return flat ? 0 : 1;
}

// Full repaints of the board at a given client size, as a resize or an expose paints it.
int Repaint(int w, int h, int n)
{
    Form1->SetClientSize(w, h);
    Wait(50);
    SeedRandom(5);
    DealCards();
    for (int s = 0; s < 4; ++s) TrickImages[s]->LoadPicture(CardResourceName(TCard(8 * s + 3)));
    Form1->FormResize();
    // Painted into a picture of the window's size, whatever the platform shows of it.
    QImage target(Form1->size(), QImage::Format_ARGB32_Premultiplied);
    Form1->render(&target);  // the pictures decoded once, as a running game has them
    std::vector<double> ms;
    for (int i = 0; i < n; ++i) {
        const long long t0 = RealtimeNs();
        Form1->render(&target);
        ms.push_back((RealtimeNs() - t0) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%.2f %.2f %.2f\n", ms[n / 2], ms[n / 4], ms[3 * n / 4]);
    return 0;
}

}  // namespace

int main(int argc, char *argv[])
{
    const long long tMain = RealtimeNs();
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    const QByteArray arg = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    QApplication app(argc, argv);
    const long long tApp = RealtimeNs();
    CreateWindows();
    const long long tWindows = RealtimeNs();

    if (mode == "memory") {
        FirstPaint paint(Form1, [] {
            std::printf("%ld\n", StatusKiB("VmHWM"));
            std::fflush(stdout);
            std::_Exit(0);
        });
        return app.exec();
    }
    if (mode == "repaint") return Repaint(arg.toInt(), argc > 3 ? atoi(argv[3]) : 2160, argc > 4 ? atoi(argv[4]) : 101);
    if (mode == "startup" || mode == "phases") {
        const long long t0 = arg.toLongLong();
        const bool phases = mode == "phases";
        FirstPaint paint(Form1, [=] {
            const long long t = RealtimeNs();
            if (phases)
                std::printf("to main %.1f ms, QApplication %.1f ms, windows %.1f ms, to the painted board %.1f ms\n",
                            (tMain - t0) / 1e6, (tApp - tMain) / 1e6, (tWindows - tApp) / 1e6, (t - tWindows) / 1e6);
            else
                std::printf("%.1f\n", (t - t0) / 1e6);
            std::fflush(stdout);
            std::_Exit(0);
        });
        return app.exec();
    }
    if (mode == "engine-hidden") Form1->hide();
    if (mode == "match" || mode == "engine" || mode == "engine-hidden") {
        PauseOverrideMs = 0;
        SeedRandom(12345);
        BenchHuman human(12345);
        Wait(0);
        const int n = mode == "match" ? 1 : qMax(1, arg.toInt());
        const long long t0 = RealtimeNs();
        for (int i = 0; i < n; ++i) PlayMatch();
        const double s = (RealtimeNs() - t0) / 1e9;
        human.Stop();
        Zapis_form->close();
        Wait(0);
        if (mode == "match")
            std::printf("%ld\n", StatusKiB("VmHWM"));
        else
            std::printf("%.1f\n", n / s);
        return 0;
    }
    if (mode == "wait-human") {
        QTimer::singleShot(0, [] {
            std::printf("waiting\n");
            std::fflush(stdout);
            Form1->Cerveny1->trigger();
        });
        return app.exec();
    }
    if (mode == "wait-pause") {
        PauseOverrideMs = qMax(1, arg.toInt());
        Players[0]->IsComputer = true;  // nobody to wait for but the pause
        QTimer::singleShot(0, [] {
            std::printf("pausing\n");
            std::fflush(stdout);
            Form1->Cerveny1->trigger();
        });
        return app.exec();
    }
    if (mode == "growth") {
        PauseOverrideMs = 0;
        SeedRandom(99);
        Wait(0);
        return Growth(qMax(4, arg.toInt()));
    }
    std::fprintf(stderr, "usage: %s startup T0_NS | match | engine N | wait-human | wait-pause MS | growth N\n", argv[0]);
    return 2;
}
