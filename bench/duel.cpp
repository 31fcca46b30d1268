// The duel: how much stronger "vysoká" plays than "střední", measured as card programs measure
// strength. Every deal of every contract is played twice from the same seed on the real board,
// once with one seat at "střední" and once at "vysoká", the three others at the opponents'
// strength, for every seat in turn: the same cards in the same hands, so luck cancels and only
// the strength differs. Never run by the test suite.
//
//   tamsa_duel [DEALS [OPPONENTS [FIRST]]]  DEALS per contract (100); OPPONENTS 1 "střední"
//                                    (default), 0 "nízká"; the deals from number FIRST (0) on
//   TAMSA_DUEL_CONTRACTS=0,5,7       only these contracts (7: the first attempt of a Maturita)
//   TAMSA_DUEL_PAIRS=FILE            every pair also written to FILE (contract, deal, seat, the
//                                    points at střední and at vysoká), so that runs of other
//                                    deals can be added up
#include "hra.h"
#include "plocha.h"
#include "zapis_f.h"

#include <QApplication>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

struct Pairs {
    std::vector<double> before, after;  // per played pair: the seat at "střední", then at "vysoká"
    void Add(double a, double b)
    {
        before.push_back(a);
        after.push_back(b);
    }
};

double Mean(const std::vector<double> &v)
{
    double s = 0;
    for (double x : v) s += x;
    return v.empty() ? 0 : s / double(v.size());
}

// The mean change from "střední" to "vysoká" with its 95 % interval (the normal approximation
// of the paired differences, which hundreds of pairs allow).
void Change(const Pairs &p, double &mean, double &low, double &high)
{
    std::vector<double> d;
    for (size_t i = 0; i < p.before.size(); ++i) d.push_back(p.after[i] - p.before[i]);
    mean = Mean(d);
    double var = 0;
    for (double x : d) var += (x - mean) * (x - mean);
    const double se = d.size() > 1 ? std::sqrt(var / double(d.size() - 1) / double(d.size())) : 0;
    low = mean - 1.96 * se;
    high = mean + 1.96 * se;
}

void PlayContract(int c)
{
    StartContract(c);
    if (c <= CervenyKral) PlayTrickContract(c);
    else if (c == Kvarty) Form1->PlayKvarty();
    else Form1->PlayDesitky();
}

double Percentile(std::vector<double> v, double q)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(q * double(v.size() - 1) + 0.5))];
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CreateWindows();
    PauseOverrideMs = 0;
    const int deals = argc > 1 ? std::max(1, atoi(argv[1])) : 100;
    const std::uint8_t opponents = argc > 2 ? std::uint8_t(atoi(argv[2])) : Stredni;
    const int first = argc > 3 ? atoi(argv[3]) : 0;
    FILE *pairsFile = qEnvironmentVariableIsSet("TAMSA_DUEL_PAIRS") ? std::fopen(qgetenv("TAMSA_DUEL_PAIRS").constData(), "a") : nullptr;
    QList<int> contracts;
    for (const QByteArray &c : qgetenv("TAMSA_DUEL_CONTRACTS").split(','))
        if (!c.isEmpty()) contracts << c.toInt();
    if (contracts.isEmpty()) contracts = {0, 1, 2, 3, 4, 5, 6, 7};
    for (THrac *p : Players) p->IsComputer = true;

    std::vector<double> times, chooserTimes;
    bool choosing = false;
    ThinkTimeSeam = [&](double ms) {
        (choosing ? chooserTimes : times).push_back(ms);
        choosing = false;
    };
    std::printf("%d deals per contract, each seat at střední and at vysoká, the others at %s\n\n", deals,
                opponents == Nizka ? "nízká" : "střední");
    std::printf("| contract | střední | vysoká | change | 95 %% interval |\n|---|---:|---:|---:|---|\n");
    Pairs all;
    RunCommand([&] {
        for (int c : contracts) {
            Pairs pairs;
            for (int deal = first; deal < first + deals; ++deal)
                for (int seat = 0; seat < 4; ++seat) {
                    if (c == Maturita && seat > 0) break;  // the starter chooses
                    double score[2];
                    for (int strong = 0; strong < 2; ++strong) {
                        for (THrac *p : Players) {
                            p->SetLevel(p->Seat == seat ? (strong ? Vysoka : Stredni) : opponents);
                            p->Score = 0;
                            p->OnMove = p->StartsRound = p->Seat == 0;
                        }
                        SeedRandom(unsigned(1000003 * c + deal));
                        if (c == Maturita) {
                            choosing = strong;
                            PlayMaturita(seat, 1);
                            score[strong] = Players[seat]->Score == 0;  // came through clean
                        } else {
                            PlayContract(c);
                            score[strong] = Players[seat]->Score;
                        }
                    }
                    pairs.Add(score[0], score[1]);
                    if (pairsFile) std::fprintf(pairsFile, "%d\t%d\t%d\t%g\t%g\n", c, deal, seat, score[0], score[1]);
                    if (c != Maturita) all.Add(score[0], score[1]);
                }
            double mean, low, high;
            Change(pairs, mean, low, high);
            const double base = Mean(pairs.before);
            if (c == Maturita)
                std::printf("| Maturita, clean | %.1f %% | %.1f %% | %+.1f points | %+.1f to %+.1f |\n", 100 * base,
                            100 * Mean(pairs.after), 100 * mean, 100 * low, 100 * high);
            else
                std::printf("| %s | %.3f | %.3f | %+.1f %% | %+.1f %% to %+.1f %% |\n", qPrintable(ContractName(c)), base,
                            Mean(pairs.after), 100 * mean / base, 100 * low / base, 100 * high / base);
            std::fflush(stdout);
        }
    });
    if (!all.before.empty()) {
        double mean, low, high;
        Change(all, mean, low, high);
        const double base = Mean(all.before);
        std::printf("| all seven | %.3f | %.3f | %+.1f %% | %+.1f %% to %+.1f %% |\n", base, Mean(all.after),
                    100 * mean / base, 100 * low / base, 100 * high / base);
    }
    std::printf("\ndecisions: %zu, median %.1f ms, 99th percentile %.1f ms, largest %.1f ms\n", times.size(),
                Percentile(times, 0.5), Percentile(times, 0.99), Percentile(times, 1.0));
    if (!chooserTimes.empty())
        std::printf("Maturita choices: %zu, median %.1f ms, largest %.1f ms\n", chooserTimes.size(),
                    Percentile(chooserTimes, 0.5), Percentile(chooserTimes, 1.0));
    if (pairsFile) std::fclose(pairsFile);
    return 0;
}
