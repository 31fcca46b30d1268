// A seeded random user plays whole matches and training contracts on the real board: it
// clicks and double-clicks any card, allowed or not, presses "Další hráč" at random, uses
// every command the menus allow (also in the middle of a contract, while the program waits),
// changes the settings at any moment and resizes the board down to its smallest size.
// Around every contract it checks what has to hold whatever the user does.
//
//   TAMSA_MONKEY_SEED=n      replays a run (every run prints its seed; "time" picks one)
//   TAMSA_MONKEY_MATCHES=n   whole matches to play, ten training commands before each;
//                            without a seed, a longer run like this picks its seed by the clock
//   TAMSA_MONKEY_STALL_S=n   seconds without progress before the run is declared hung (10)
#include "harness.h"
#include "napoveda_f.h"
#include "o_programu_f.h"

#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSlider>
#include <QTableWidget>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>

namespace {

const QString Cekejte = QStringLiteral("Čekejte");
const QString Vyneste = QStringLiteral("Vyneste kartu");
const QString Pripraven = QStringLiteral("Připraven");
const QString Nehraje = QStringLiteral("Nehraje se");
const QString StavPrefix = QStringLiteral("Stav po hře ");

QList<QAction *> PlayCommands()
{
    return {Form1->Start1, Form1->Cerveny1, Form1->Filky1, Form1->PrPo1, Form1->Vsechny1,
            Form1->CervenyKral1, Form1->Kvarty1, Form1->Desitky1, Form1->Maturita1};
}

QList<QAction *> OtherCommands()
{
    return {Form1->Nastaveni1, Form1->Konec1, Form1->Stav1, Form1->Zapis1, Form1->OhreTamsa1, Form1->Oprogramu1};
}

QAction *TrainingCommand(int contract)
{
    QAction *const list[8] = {Form1->Cerveny1, Form1->Filky1, Form1->PrPo1, Form1->Vsechny1,
                              Form1->CervenyKral1, Form1->Kvarty1, Form1->Desitky1, Form1->Maturita1};
    return list[contract];
}

// The contract a chooser item stands for, by the text the user reads.
int ContractOfItem(const QString &item)
{
    static const QStringList items = {"Červený", "Filky", "Pr-Po", "Všechny", "Červený král", "Kvarty", "Desítky"};
    return int(items.indexOf(item));
}

bool IsTrickContract(const QString &name)
{
    for (int c = Cervene; c <= CervenyKral; ++c)
        if (name == ContractName(c)) return true;
    return false;
}

QtMessageHandler previousHandler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // QTest complains about every click that nobody accepts; the monkey clicks disabled cards
    // and a disabled "Další hráč" on purpose, so that complaint is noise here.
    if (type == QtWarningMsg && message.contains(QLatin1String("not accepted by receiving widget")))
        return;
    // The offscreen platform cannot raise a window; the sheet and the about windows ask it to.
    if (type == QtWarningMsg && message == QLatin1String("This plugin does not support raise()"))
        return;
    previousHandler(type, context, message);
}

unsigned EnvNumber(const char *name, unsigned fallback)
{
    const QByteArray v = qgetenv(name);
    bool ok = false;
    const unsigned n = v.toUInt(&ok);
    return ok ? n : fallback;
}

// Ends the process when nothing has moved for too long: a wait loop that never returns, or
// a busy loop that never gets back to the window system, would otherwise hang the suite.
class Watchdog
{
public:
    Watchdog(int seconds, unsigned seed) : limitMs_(seconds * 1000LL), seed_(seed)
    {
        Pet("start");
        thread_ = std::thread([this] { Run(); });
    }
    ~Watchdog()
    {
        stop_ = true;
        thread_.join();
    }
    void Pet(const char *what)
    {
        last_ = Now();
        std::lock_guard<std::mutex> lock(mutex_);
        what_ = what;
    }

private:
    static long long Now()
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    void Run()
    {
        while (!stop_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            if (Now() - last_ > limitMs_) {
                std::lock_guard<std::mutex> lock(mutex_);
                std::fprintf(stderr, "FAIL!  : monkey: no progress for %lld s after \"%s\"; replay with TAMSA_MONKEY_SEED=%u\n",
                             limitMs_ / 1000, what_.c_str(), seed_);
                std::fflush(stderr);
                std::_Exit(3);
            }
        }
    }
    const long long limitMs_;
    const unsigned seed_;
    std::atomic<long long> last_{0};
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::string what_;
    std::thread thread_;
};

enum class Command { None, Training, TrainingMaturita, Match };

// What the monkey knows about one deal, from the start of the contract to its end.
struct Deal
{
    QString startedAs;  // panel 1 when the contract started ("Maturita" for an attempt)
    QString playedAs;   // panel 1 while it was played
    QString chosen;     // what the chooser window said would be played
    int order = 0;      // deal order of the settings at the deal
    int chooser = 0;
    int attempt = 0;    // Maturita attempt 1..3
    int choosersShown = 0;
    int scores[4] = {};      // at the start
    int endScores[4] = {};   // at the end, before Maturita's own rule touched them
    int lastScores[4] = {};  // at the last wait
    int lastCounts[4] = {};  // cards held at the last wait
    int owner[32];           // seat seen holding the card, -1 until seen in a hand
    bool gone[32] = {};      // seen played
    bool observed = false;
    Deal() { std::fill(std::begin(owner), std::end(owner), -1); }
};

class Monkey : public QObject
{
public:
    Monkey(unsigned seed, Watchdog &dog) : rng(seed), dog_(dog)
    {
        rules.timer.stop();  // only its checks are borrowed
        connect(Form1->Start1, &QAction::enabledChanged, this, [this](bool on) { if (!on) OnStart(); });
        connect(Form1->Maturita1, &QAction::enabledChanged, this, [this](bool on) { if (on) OnEnd(); });
        connect(Form1->Timer1, &QTimer::timeout, this, [this] { OnPause(); });
        timer.setInterval(0);
        connect(&timer, &QTimer::timeout, this, [this] { Tick(); });
        timer.start();
    }

    std::mt19937 rng;
    QTimer timer;
    ScriptedHuman rules;
    QStringList faults;

    struct Stats
    {
        int deals = 0, moves = 0, refused = 0, clicks = 0, nextPresses = 0, nextRefused = 0;
        int nestedSettings = 0, nestedStav = 0, settingsChanges = 0, resizes = 0, disabledTriggers = 0;
        int windowToggles = 0, choosers = 0, standings = 0, pausesNested = 0;
    } stats;

    int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    void Fault(const QString &what)
    {
        if (faults.size() >= 30) return;
        static const char *const names[] = {"idle", "training", "training Maturita", "match"};
        faults << QStringLiteral("[%1, deal %2, %3] %4")
                      .arg(QLatin1String(names[int(cmd_)]))
                      .arg(stats.deals)
                      .arg(cur_.playedAs.isEmpty() ? cur_.startedAs : cur_.playedAs, what);
    }

    // ------------------------------------------------------------ commands from the test

    void BeginCommand(Command c, int contract = -1)
    {
        cmd_ = c;
        training_ = contract;
        dealsInCommand_ = 0;
        rounds_ = 0;
        for (int s = 0; s < 4; ++s) scoresBefore_[s] = Players[s]->Score;
        captions_.clear();
    }

    void EndCommand()
    {
        if (inContract_) Fault(QStringLiteral("the command returned in the middle of a contract"));
        if (dealsInCommand_ == 0) Fault(QStringLiteral("the command played no contract"));
        else CheckScoresSinceLastDeal();
        if (!NextExpected().isEmpty())
            Fault(QStringLiteral("the command ended where %1 should have followed").arg(NextExpected()));
        CheckIdleBoard();
        switch (cmd_) {
        case Command::Training:
            if (captions_ != QStringList{StavPrefix + ContractName(training_)})
                Fault(QStringLiteral("standings after the training: %1").arg(captions_.join(QLatin1String(" | "))));
            break;
        case Command::TrainingMaturita:
            if (captions_.size() != dealsInCommand_ || captions_.count(StavPrefix + ContractName(Maturita)) != captions_.size())
                Fault(QStringLiteral("%1 attempts, standings: %2").arg(dealsInCommand_).arg(captions_.join(QLatin1String(" | "))));
            break;
        case Command::Match: {
            if (!captions_.isEmpty()) Fault(QStringLiteral("the match showed standings: %1").arg(captions_.join(QLatin1String(" | "))));
            if (rounds_ != 4) Fault(QStringLiteral("the match played %1 rounds").arg(rounds_));
            if (!Zapis_form->isVisible()) Fault(QStringLiteral("the score sheet is not shown after the match"));
            if (!Players[0]->StartsRound || Players[1]->StartsRound || Players[2]->StartsRound || Players[3]->StartsRound)
                Fault(QStringLiteral("after four rounds the start is not back with the human"));
            const TZapis_form &sheet = *Zapis_form;
            for (int p = 0; p < 4; ++p) {
                if (sheet.LastTotals[p] != Players[p]->Score)
                    Fault(QStringLiteral("seat %1: sheet total %2, score %3").arg(p).arg(sheet.LastTotals[p]).arg(Players[p]->Score));
                for (int q = 0; q < 4; ++q) {
                    const int tp = sheet.LastTotals[p], tq = sheet.LastTotals[q];
                    const int pp = sheet.RecordedTotals[p][40], pq = sheet.RecordedTotals[q][40];
                    if (pp < 1 || pp > 4 || (tp < tq && pp >= pq) || (tp == tq && pp != pq))
                        Fault(QStringLiteral("places %1 and %2 for totals %3 and %4").arg(pp).arg(pq).arg(tp).arg(tq));
                }
            }
            break;
        }
        case Command::None:
            break;
        }
        cmd_ = Command::None;
    }

    // Things a user does between commands.
    void IdleActions()
    {
        for (int n = Roll(4); n > 0; --n) {
            switch (Roll(6)) {
            case 0:
                ++stavPending_;
                Form1->Stav1->trigger();  // modal; the monkey reads and closes it
                if (stavPending_ != 0) Fault(QStringLiteral("\"&Stav\" showed no standings window"));
                stavPending_ = 0;
                break;
            case 1:
                Form1->Nastaveni1->trigger();
                CheckSettingsApplied();
                break;
            case 2:
            case 3:
                ToggleWindow();
                break;
            default:
                Resize();
                break;
            }
            dog_.Pet("idle action");
        }
        if (QApplication::activeModalWidget()) Fault(QStringLiteral("a modal window stayed open"));
    }

    void CloseWindows()
    {
        napoveda_form->close();
        O_programu_form->close();
        Zapis_form->close();
        QTest::qWait(1);
        for (QWidget *w : {static_cast<QWidget *>(napoveda_form), static_cast<QWidget *>(O_programu_form),
                           static_cast<QWidget *>(Zapis_form)})
            if (w->isVisible()) Fault(QStringLiteral("%1 did not close").arg(w->windowTitle()));
    }

private:
    Watchdog &dog_;
    Command cmd_ = Command::None;
    int training_ = -1;
    int dealsInCommand_ = 0;
    int rounds_ = 0;
    int scoresBefore_[4] = {};
    QStringList captions_;  // standings windows the command showed
    int stavPending_ = 0;   // "&Stav" windows asked for and not yet seen
    bool inContract_ = false;
    bool inPauseHook_ = false;
    bool nestedPending_ = false;
    Deal cur_, prev_;
    long long signature_ = -1;

    static void Scores(int out[4])
    {
        for (int s = 0; s < 4; ++s) out[s] = Players[s]->Score;
    }
    static QString Join(const int v[4]) { return QStringLiteral("%1/%2/%3/%4").arg(v[0]).arg(v[1]).arg(v[2]).arg(v[3]); }

    bool PrevFailed() const { return prev_.endScores[prev_.chooser] != prev_.scores[prev_.chooser]; }

    // The contract that must start next within the running command; empty when none may.
    QString NextExpected() const
    {
        const QString maturita = ContractName(Maturita);
        switch (cmd_) {
        case Command::Training:
            return dealsInCommand_ == 0 ? ContractName(training_) : QString();
        case Command::TrainingMaturita:
            if (dealsInCommand_ == 0) return maturita;
            return PrevFailed() && prev_.attempt < 3 ? maturita : QString();
        case Command::Match: {
            if (dealsInCommand_ == 0) return ContractName(Cervene);
            if (prev_.startedAs == maturita) {
                if (PrevFailed() && prev_.attempt < 3) return maturita;
                return rounds_ < 4 ? ContractName(Cervene) : QString();
            }
            for (int c = Cervene; c < Desitky; ++c)
                if (prev_.startedAs == ContractName(c)) return ContractName(c + 1);
            return maturita;
        }
        case Command::None:
            break;
        }
        return QString();
    }

    // The scores may change between two contracts only by the rules of Maturita and the match.
    void CheckScoresSinceLastDeal()
    {
        int now[4], expected[4];
        Scores(now);
        std::copy(std::begin(prev_.endScores), std::end(prev_.endScores), expected);
        QString why = QStringLiteral("unchanged since the last contract");
        if (prev_.startedAs == ContractName(Maturita) && PrevFailed()) {
            for (int s = 0; s < 4; ++s)
                expected[s] = cmd_ == Command::TrainingMaturita ? (s == prev_.chooser ? 8 : 0)
                                                                 : prev_.scores[s] + (s == prev_.chooser ? 8 : 0);
            why = QStringLiteral("set by the failed Maturita");
        }
        if (!std::equal(now, now + 4, expected))
            Fault(QStringLiteral("scores %1, expected %2 (%3)").arg(Join(now), Join(expected), why));
    }

    // ------------------------------------------------------------ hooks into the program

    // The first play command goes grey: a contract has started, its deal comes next.
    void OnStart()
    {
        dog_.Pet("contract start");
        if (inContract_) Fault(QStringLiteral("a contract started while another was running"));
        const QString name = PanelText(1);
        if (cmd_ == Command::None) Fault(QStringLiteral("%1 started with no command").arg(name));
        int now[4];
        Scores(now);
        if (dealsInCommand_ == 0) {
            int expected[4];
            for (int s = 0; s < 4; ++s) expected[s] = cmd_ == Command::Match ? 0 : scoresBefore_[s];
            if (!std::equal(now, now + 4, expected))
                Fault(QStringLiteral("first contract starts at %1, expected %2").arg(Join(now), Join(expected)));
        } else {
            CheckScoresSinceLastDeal();
            if (cmd_ == Command::Match && !std::equal(now, now + 4, Zapis_form->LastTotals))
                Fault(QStringLiteral("scores %1 differ from the sheet's totals %2").arg(Join(now), Join(Zapis_form->LastTotals)));
        }
        const QString expected = NextExpected();
        if (name != expected) Fault(QStringLiteral("%1 started where %2 was due").arg(name, expected.isEmpty() ? QStringLiteral("nothing") : expected));

        int starters = 0;
        for (THrac *p : Players) {
            starters += p->StartsRound;
            if (p->OnMove != p->StartsRound) Fault(QStringLiteral("seat %1 on move at the start is not the starter").arg(p->Seat));
        }
        if (starters != 1) Fault(QStringLiteral("%1 players start the round").arg(starters));

        const bool again = name == ContractName(Maturita) && prev_.startedAs == name && dealsInCommand_ > 0;
        const int attempt = again ? prev_.attempt + 1 : 1;
        cur_ = Deal();
        cur_.startedAs = name;
        cur_.order = nastaveni_form->RadioGroup1->ItemIndex();
        cur_.chooser = MaturitaChooser();
        cur_.attempt = attempt;
        std::copy(now, now + 4, cur_.scores);
        inContract_ = true;
        ++stats.deals;
        ++dealsInCommand_;
    }

    // The last play command comes back: the contract is over.
    void OnEnd()
    {
        dog_.Pet("contract end");
        if (!inContract_) {
            Fault(QStringLiteral("the play commands came back with no contract running"));
            return;
        }
        inContract_ = false;
        if (!cur_.observed) Fault(QStringLiteral("a contract went by without a single wait"));
        if (PanelText(0) != Pripraven || PanelText(1) != Nehraje)
            Fault(QStringLiteral("panels at the end: \"%1\" / \"%2\"").arg(PanelText(0), PanelText(1)));
        for (THrac *p : Players)
            if (p->OnMove != p->StartsRound) Fault(QStringLiteral("seat %1: OnMove differs from StartsRound at the end").arg(p->Seat));
        for (TImage *im : HandImages)
            if (im->isEnabled()) Fault(QStringLiteral("%1 enabled after the contract").arg(im->objectName()));
        if (Form1->Next_but->isVisible()) Fault(QStringLiteral("\"Další hráč\" visible after the contract"));
        for (int s = 0; s < 4; ++s) {
            if (TrickCards[s] != NoCard || !TrickImages[s]->isVisibleTo(Form1) || TrickImages[s]->PictureName() != CardResourceName(NoCard))
                Fault(QStringLiteral("table slot %1 not empty and shown after the contract").arg(s));
        }
        for (TImage *im : LayoutImages)
            if (im->isVisibleTo(Form1)) {
                Fault(QStringLiteral("the layout grid stayed visible"));
                break;
            }

        int now[4];
        Scores(now);
        std::copy(now, now + 4, cur_.endScores);
        int sum = 0;
        for (int s = 0; s < 4; ++s) {
            sum += now[s] - cur_.scores[s];
            if (now[s] < cur_.scores[s]) Fault(QStringLiteral("seat %1 lost points: %2 -> %3").arg(s).arg(cur_.scores[s]).arg(now[s]));
        }
        const QString &played = cur_.playedAs;
        if (IsTrickContract(played)) {
            if (sum != 8) Fault(QStringLiteral("handed out %1 points: %2 -> %3").arg(sum).arg(Join(cur_.scores), Join(now)));
            // Cards not played stay where they were dealt.
            for (int c = 0; c < 32; ++c) {
                int held = 0;
                for (THrac *p : Players)
                    for (int i = 0; i < 8; ++i) held += p->Hand[i] == c;
                if (held + PlayedCards[c] != 1) Fault(QStringLiteral("card %1 held %2 times at the end").arg(c).arg(held));
            }
        } else if (played == ContractName(Kvarty) || played == ContractName(Desitky)) {
            const bool kvarty = played == ContractName(Kvarty);
            for (int s = 0; s < 4; ++s) {
                const int paid = now[s] - cur_.scores[s];
                if (kvarty ? paid != cur_.lastCounts[s] : paid < cur_.lastCounts[s])
                    Fault(QStringLiteral("seat %1 paid %2 for %3 cards left").arg(s).arg(paid).arg(cur_.lastCounts[s]));
                THrac &p = *Players[s];
                if (p.CardCount != 0) Fault(QStringLiteral("seat %1 still counts %2 cards").arg(s).arg(p.CardCount));
                if (p.CountLabel && p.CountLabel->text() != QLatin1String("0"))
                    Fault(QStringLiteral("seat %1 label reads %2").arg(s).arg(p.CountLabel->text()));
                if (!kvarty && p.CountLabel && p.CountLabel->palette().color(QPalette::WindowText) != QColor(0, 0, 0))
                    Fault(QStringLiteral("seat %1 label not black after Desítky").arg(s));
            }
            for (int i = 0; i < 8; ++i)
                if (Players[0]->Hand[i] != NoCard || HandImages[i]->PictureName() != CardResourceName(NoCard))
                    Fault(QStringLiteral("the human's slot %1 not emptied").arg(i));
        } else {
            Fault(QStringLiteral("played as \"%1\"").arg(played));
        }
        if (cur_.startedAs == ContractName(Maturita)) {
            if (Players[cur_.chooser]->IsComputer) {
                if (played != ContractName(CervenyKral)) Fault(QStringLiteral("a computer chooser played %1").arg(played));
                if (cur_.choosersShown != 0) Fault(QStringLiteral("the chooser window was shown to a computer"));
            } else {
                if (cur_.choosersShown != 1) Fault(QStringLiteral("chooser shown %1 times").arg(cur_.choosersShown));
                if (played != cur_.chosen) Fault(QStringLiteral("%1 chosen, %2 played").arg(cur_.chosen, played));
            }
        } else if (cur_.choosersShown) {
            Fault(QStringLiteral("the chooser window appeared outside Maturita"));
        }
        prev_ = cur_;
        if (cmd_ == Command::Match && prev_.startedAs == ContractName(Maturita) && (!PrevFailed() || prev_.attempt == 3))
            ++rounds_;
    }

    // Every pause of the engine: the state is checked exactly there, and sometimes the user
    // does something in the middle of it.
    void OnPause()
    {
        if (!inContract_) {
            Fault(QStringLiteral("a pause outside a contract"));
            return;
        }
        Observe("pause");
        if (IsTrickContract(PanelText(1))) rules.CheckTrick();
        if (Roll(100) < 5) {
            ++stats.pausesNested;
            inPauseHook_ = true;
            Nested(Roll(6), /*queued=*/false);
            inPauseHook_ = false;
        }
    }

    // ------------------------------------------------------------ what the monkey sees

    void Observe(const char *where)
    {
        if (!inContract_) {
            Fault(QStringLiteral("the program waits (%1) outside a contract").arg(QLatin1String(where)));
            return;
        }
        const QString mode = PanelText(1);
        bool known = false;
        for (int c = Cervene; c <= Desitky; ++c) known = known || mode == ContractName(c);
        if (!known) Fault(QStringLiteral("panel 1 reads \"%1\" while the program waits").arg(mode));
        if (cur_.playedAs.isEmpty()) {
            cur_.playedAs = mode;
            if (cur_.startedAs != ContractName(Maturita) && mode != cur_.startedAs)
                Fault(QStringLiteral("started as %1, played as %2").arg(cur_.startedAs, mode));
        } else if (cur_.playedAs != mode) {
            Fault(QStringLiteral("the contract changed to %1 on the way").arg(mode));
        }
        for (QAction *a : PlayCommands())
            if (a->isEnabled()) Fault(QStringLiteral("%1 enabled during a contract").arg(a->objectName()));
        for (QAction *a : OtherCommands())
            if (!a->isEnabled()) Fault(QStringLiteral("%1 disabled during a contract").arg(a->objectName()));

        int held[32] = {}, seat[32];
        int counts[4];
        for (int s = 0; s < 4; ++s) {
            THrac &p = *Players[s];
            int n = 0, last = -1;
            for (int i = 0; i < 8; ++i) {
                const TCard c = p.Hand[i];
                if (c >= NoCard) continue;
                ++n;
                ++held[c];
                seat[c] = s;
                if (last >= 0 && (cur_.order == 0 ? c >= last : c <= last))
                    Fault(QStringLiteral("seat %1 hand out of order at slot %2").arg(s).arg(i));
                last = c;
            }
            counts[s] = n;
            if (n != p.CardCount) Fault(QStringLiteral("seat %1 counts %2, holds %3").arg(s).arg(p.CardCount).arg(n));
            if (p.CountLabel && p.CountLabel->text() != QString::number(p.CardCount))
                Fault(QStringLiteral("seat %1 label %2, count %3").arg(s).arg(p.CountLabel->text()).arg(p.CardCount));
        }
        for (int c = 0; c < 32; ++c) {
            if (held[c] + PlayedCards[c] != 1) {
                Fault(QStringLiteral("card %1 held %2 times, played %3").arg(c).arg(held[c]).arg(PlayedCards[c]));
                continue;
            }
            if (held[c]) {
                if (cur_.gone[c]) Fault(QStringLiteral("card %1 came back into seat %2's hand").arg(c).arg(seat[c]));
                if (cur_.owner[c] < 0) cur_.owner[c] = seat[c];
                else if (cur_.owner[c] != seat[c])
                    Fault(QStringLiteral("card %1 moved from seat %2 to seat %3").arg(c).arg(cur_.owner[c]).arg(seat[c]));
            } else {
                cur_.gone[c] = true;
            }
        }
        for (int i = 0; i < 8; ++i)
            if (HandImages[i]->PictureName() != CardResourceName(Players[0]->Hand[i]))
                Fault(QStringLiteral("hand slot %1 shows %2 for %3").arg(i).arg(HandImages[i]->PictureName(), CardResourceName(Players[0]->Hand[i])));
        if (mode == ContractName(Desitky)) {
            for (int c = 0; c < 32; ++c) {
                const QString want = CardResourceName(PlayedCards[c] ? TCard(c) : NoCard);
                if (LayoutImages[c]->PictureName() != want || !LayoutImages[c]->isVisibleTo(Form1))
                    Fault(QStringLiteral("layout cell %1 shows %2").arg(c).arg(LayoutImages[c]->PictureName()));
            }
            for (int s = 0; s < 4; ++s)
                if (TrickCards[s] != NoCard || TrickImages[s]->isVisibleTo(Form1)) Fault(QStringLiteral("table slot %1 used in Desítky").arg(s));
        } else {
            for (int s = 0; s < 4; ++s) {
                if (TrickImages[s]->PictureName() != CardResourceName(TrickCards[s]))
                    Fault(QStringLiteral("table slot %1 shows %2").arg(s).arg(TrickImages[s]->PictureName()));
                if (TrickCards[s] != NoCard && !PlayedCards[TrickCards[s]])
                    Fault(QStringLiteral("card %1 on the table is not marked played").arg(TrickCards[s]));
            }
        }
        int scores[4];
        Scores(scores);
        for (int s = 0; s < 4; ++s)
            if (cur_.observed && scores[s] < cur_.lastScores[s]) Fault(QStringLiteral("seat %1 score fell to %2").arg(s).arg(scores[s]));
        CheckLayout(mode);

        long long sig = stats.deals;
        int played = 0, onMove = 0;
        for (bool b : PlayedCards) played += b;
        for (int s = 0; s < 4; ++s) onMove |= Players[s]->OnMove << s;
        sig = ((sig * 64 + played) * 16 + onMove) * 1024 + (scores[0] + scores[1] + scores[2] + scores[3]);
        if (sig != signature_) {
            signature_ = sig;
            dog_.Pet(where);
        }
        std::copy(scores, scores + 4, cur_.lastScores);
        std::copy(counts, counts + 4, cur_.lastCounts);
        cur_.observed = true;
    }

    // Whatever size the user gave it, the board is laid out for its client area.
    void CheckLayout(const QString &mode)
    {
        if (Form1->width() < Form1->minimumWidth() || Form1->height() < Form1->minimumHeight())
            Fault(QStringLiteral("board %1 x %2 under its minimum").arg(Form1->width()).arg(Form1->height()));
        const int w = Form1->Klient->width(), h = Form1->Klient->height();
        const float sx = float(w) / 800.0f, sy = float(h) / 600.0f;
        auto X = [sx](int v) { return int(double(v) * double(sx)); };
        auto Y = [sy](int v) { return int(double(v) * double(sy)); };
        for (int i = 0; i < 8; ++i) {
            const QRect g = HandImages[i]->geometry();
            if (g.x() != X(90 * i + 45) || g.width() != X(80) || g.height() != Y(125)) {
                Fault(QStringLiteral("hand slot %1 at %2,%3 %4x%5 on a %6x%7 board").arg(i).arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()).arg(w).arg(h));
                return;
            }
        }
        const bool row = mode == ContractName(Kvarty);
        const int cross[4][2] = {{360, 216}, {270, 152}, {360, 85}, {450, 152}};
        for (int s = 0; s < 4; ++s) {
            const QRect want(X(row ? 225 + 90 * s : cross[s][0]), Y(row ? 152 : cross[s][1]), X(80), Y(130));
            if (TrickImages[s]->geometry() != want) {
                Fault(QStringLiteral("table slot %1 not laid out for %2x%3 (%4)").arg(s).arg(w).arg(h).arg(mode));
                return;
            }
        }
        if (Form1->StatusBar1->geometry() != QRect(0, h - 33, w, 33)) Fault(QStringLiteral("status bar off the bottom"));
    }

    void CheckIdleBoard()
    {
        if (!BoardIdle()) Fault(QStringLiteral("board not idle: \"%1\" / \"%2\"").arg(PanelText(0), PanelText(1)));
        for (QAction *a : PlayCommands())
            if (!a->isEnabled()) Fault(QStringLiteral("%1 still disabled").arg(a->objectName()));
        if (QApplication::activeModalWidget()) Fault(QStringLiteral("a modal window is still open"));
        if (Form1->Next_but->isVisible()) Fault(QStringLiteral("\"Další hráč\" visible while idle"));
        for (TImage *im : HandImages)
            if (im->isEnabled()) Fault(QStringLiteral("%1 enabled while idle").arg(im->objectName()));
    }

    void CheckSettingsApplied()
    {
        QLineEdit *names[4] = {nastaveni_form->Jmeno0, nastaveni_form->Jmeno1, nastaveni_form->Jmeno2, nastaveni_form->Jmeno3};
        QComboBox *levels[4] = {nastaveni_form->ComboBox0, nastaveni_form->ComboBox1, nastaveni_form->ComboBox2,
                                nastaveni_form->ComboBox3};
        if (nastaveni_form->isVisible()) Fault(QStringLiteral("the settings window is still shown"));
        for (int s = 0; s < 4; ++s) {
            if (Players[s]->Name != names[s]->text()) Fault(QStringLiteral("seat %1 is named \"%2\", the field says \"%3\"").arg(s).arg(Players[s]->Name, names[s]->text()));
            if (Players[s]->GetLevel() != levels[s]->currentIndex()) Fault(QStringLiteral("seat %1 strength %2, the list says %3").arg(s).arg(Players[s]->GetLevel()).arg(levels[s]->currentIndex()));
        }
        const int pause = nastaveni_form->TrackBar1->value();
        if (pause < 1 || pause > 10) Fault(QStringLiteral("pause position %1").arg(pause));
        const int order = nastaveni_form->RadioGroup1->ItemIndex();
        if (order != 0 && order != 1) Fault(QStringLiteral("deal order %1").arg(order));
    }

    // ------------------------------------------------------------ the user's hands

    void Tick()
    {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            HandleModal(modal);
            return;
        }
        if (inPauseHook_ || nestedPending_ || !inContract_ || !TimerElapsed || HumanMoved) return;
        bool asked = Form1->Next_but->isVisible() && Form1->Next_but->isEnabled();
        for (TImage *im : HandImages) asked = asked || im->isEnabled();
        if (asked) HumanTurn();
    }

    void HumanTurn()
    {
        Observe("human");
        THrac &me = *Players[0];
        if (PanelText(0) != Vyneste) Fault(QStringLiteral("the human is asked under \"%1\"").arg(PanelText(0)));
        QList<int> enabled, disabled;
        for (int i = 0; i < 8; ++i) {
            (HandImages[i]->isEnabled() ? enabled : disabled) << i;
            if (HandImages[i]->isEnabled() != (me.Weights[i] > 0))
                Fault(QStringLiteral("slot %1 enabled %2 with weight %3").arg(i).arg(HandImages[i]->isEnabled()).arg(me.Weights[i]));
            if (HandImages[i]->isEnabled() && me.Hand[i] >= NoCard) Fault(QStringLiteral("empty slot %1 enabled").arg(i));
        }
        const bool desitky = PanelText(1) == ContractName(Desitky);
        const bool nextShown = Form1->Next_but->isVisible();
        if (nextShown != desitky) Fault(QStringLiteral("\"Další hráč\" shown %1 in %2").arg(nextShown).arg(PanelText(1)));
        if (nextShown && Form1->Next_but->isEnabled() != me.PlayedThisTurn)
            Fault(QStringLiteral("\"Další hráč\" enabled %1 after %2 cards this turn").arg(Form1->Next_but->isEnabled()).arg(me.PlayedThisTurn));

        const int r = Roll(100);
        if (r < 40 || (enabled.isEmpty() && r < 55)) {
            if (enabled.isEmpty()) PressNext();
            else Play(enabled[Roll(enabled.size())]);
        } else if (r < 55) {
            if (!disabled.isEmpty()) Refuse(disabled[Roll(disabled.size())]);
        } else if (r < 70) {
            Click(Roll(8));
        } else if (r < 77) {
            if (nextShown) PressNext();
        } else if (r < 82) {
            TriggerDisabled();
        } else if (r < 86) {
            Resize();
        } else if (r < 90) {
            ToggleWindow();
        } else if (r < 96) {
            Nested(Roll(2), /*queued=*/true);
        }
    }

    void Play(int slot)
    {
        THrac &me = *Players[0];
        const TCard c = me.Hand[slot];
        const QString mode = PanelText(1);
        if (Roll(2)) QTest::mouseClick(HandImages[slot], Qt::LeftButton);
        QTest::mouseDClick(HandImages[slot], Qt::LeftButton);
        ++stats.moves;
        if (!HumanMoved) return Fault(QStringLiteral("a double click on enabled slot %1 did nothing").arg(slot));
        if (me.Hand[slot] != NoCard || !PlayedCards[c] || HandImages[slot]->PictureName() != CardResourceName(NoCard))
            Fault(QStringLiteral("card %1 from slot %2 not taken out of the hand").arg(c).arg(slot));
        if (SelectedImage) Fault(QStringLiteral("a card stays raised after a move"));
        for (TImage *im : HandImages)
            if (im->isEnabled()) Fault(QStringLiteral("%1 enabled after the move").arg(im->objectName()));
        const QString picture = CardResourceName(c);
        if (mode == ContractName(Desitky)) {
            if (LayoutImages[c]->PictureName() != picture || !me.PlayedThisTurn) Fault(QStringLiteral("card %1 not on the layout").arg(c));
        } else if (TrickCards[0] != c || TrickImages[0]->PictureName() != picture) {
            Fault(QStringLiteral("card %1 not in table slot 0").arg(c));
        }
    }

    // A disabled card must not react to a double click.
    void Refuse(int slot)
    {
        TCard hand[8];
        std::copy(std::begin(Players[0]->Hand), std::end(Players[0]->Hand), hand);
        bool played[32];
        std::copy(std::begin(PlayedCards), std::end(PlayedCards), played);
        QTest::mouseDClick(HandImages[slot], Qt::LeftButton);
        ++stats.refused;
        if (HumanMoved || !std::equal(hand, hand + 8, Players[0]->Hand) || !std::equal(played, played + 32, PlayedCards))
            Fault(QStringLiteral("disabled slot %1 was played").arg(slot));
    }

    void Click(int slot)
    {
        TImage *before = SelectedImage;
        const int y = HandImages[slot]->y();
        QTest::mouseClick(HandImages[slot], Qt::LeftButton);
        ++stats.clicks;
        if (HumanMoved) Fault(QStringLiteral("a single click made a move"));
        if (HandImages[slot]->isEnabled()) {
            if (SelectedImage != HandImages[slot]) Fault(QStringLiteral("a click did not select slot %1").arg(slot));
            if (before != HandImages[slot] && HandImages[slot]->y() != y - 10) Fault(QStringLiteral("slot %1 did not rise by 10").arg(slot));
        } else if (SelectedImage != before || HandImages[slot]->y() != y) {
            Fault(QStringLiteral("disabled slot %1 reacted to a click").arg(slot));
        }
    }

    void PressNext()
    {
        QPushButton *next = Form1->Next_but;
        if (!next->isVisible()) return;
        const bool on = next->isEnabled();
        QTest::mouseClick(next, Qt::LeftButton);
        if (!on) {
            ++stats.nextRefused;
            if (HumanMoved) Fault(QStringLiteral("a disabled \"Další hráč\" passed the turn"));
            return;
        }
        ++stats.nextPresses;
        if (!HumanMoved || Players[0]->OnMove || !Players[1]->OnMove || Players[0]->PlayedThisTurn || next->isEnabled())
            Fault(QStringLiteral("\"Další hráč\" did not pass the turn to seat 1"));
    }

    // The nine play commands are grey during a contract; triggering one must do nothing.
    void TriggerDisabled()
    {
        const QList<QAction *> play = PlayCommands();
        QAction *a = play[Roll(play.size())];
        ++stats.disabledTriggers;
        if (a->isEnabled()) return Fault(QStringLiteral("%1 enabled during a contract").arg(a->objectName()));
        const int deals = stats.deals;
        const QString panel = PanelText(1);
        a->trigger();
        if (stats.deals != deals || PanelText(1) != panel || !inContract_)
            Fault(QStringLiteral("the disabled %1 started something").arg(a->objectName()));
    }

    void Resize()
    {
        ++stats.resizes;
        const QSize minimum = Form1->minimumSize();
        int w = minimum.width() - 60 + Roll(700), h = minimum.height() - 60 + Roll(500);
        if (Roll(4) == 0) w = minimum.width(), h = minimum.height();
        if (Roll(2)) Form1->resize(w, h);
        else Form1->SetClientSize(w, h);
        if (Form1->width() < minimum.width() || Form1->height() < minimum.height())
            Fault(QStringLiteral("the board shrank to %1 x %2").arg(Form1->width()).arg(Form1->height()));
    }

    void ToggleWindow()
    {
        ++stats.windowToggles;
        switch (Roll(3)) {
        case 0:
            if (!napoveda_form->isVisible()) Form1->OhreTamsa1->trigger();
            else if (Roll(2)) QTest::mouseClick(napoveda_form->Button1, Qt::LeftButton);
            else napoveda_form->close();
            break;
        case 1:
            if (!O_programu_form->isVisible()) Form1->Oprogramu1->trigger();
            else O_programu_form->close();
            break;
        default:
            if (!Zapis_form->isVisible()) {
                Form1->Zapis1->trigger();
                if (!Zapis_form->isVisible()) Fault(QStringLiteral("\"&Zapis\" did not show the sheet"));
            } else {
                Zapis_form->close();
            }
            break;
        }
    }

    // A command reached while the program waits: the settings, the standings, a window, a
    // resize or a grey play command. A modal window must not be opened from inside this
    // timer's own tick (the tick could not run again to close it), so from the tick it is
    // posted and runs in the program's wait.
    void Nested(int what, bool queued)
    {
        if (what > 1) {
            if (what == 2) TriggerDisabled();
            else if (what == 3) Resize();
            else ToggleWindow();
            return;
        }
        auto open = [this, what] {
            if (QApplication::activeModalWidget()) {  // the menu cannot be reached then
                nestedPending_ = false;
                return;
            }
            if (what == 0) {
                ++stats.nestedSettings;
                Form1->Nastaveni1->trigger();
                CheckSettingsApplied();
            } else {
                ++stats.nestedStav;
                ++stavPending_;
                Form1->Stav1->trigger();
                if (stavPending_ != 0) Fault(QStringLiteral("\"&Stav\" showed no standings window"));
                stavPending_ = 0;
            }
            if (!inContract_) Fault(QStringLiteral("the contract ended while a window of the menu was open"));
            nestedPending_ = false;
            dog_.Pet("window from the menu closed");
        };
        if (!queued) return open();
        nestedPending_ = true;
        QMetaObject::invokeMethod(this, open, Qt::QueuedConnection);
    }

    // ------------------------------------------------------------ modal windows

    void HandleModal(QWidget *modal)
    {
        if (modal == nastaveni_form) return SettingsStep();
        if (modal == Maturita_form) return Chooser();
        if (modal->windowTitle().startsWith(StavPrefix)) return Standings(modal);
        Fault(QStringLiteral("unexpected modal window \"%1\"").arg(modal->windowTitle()));
        modal->close();
    }

    // One change per tick, then the window is closed.
    void SettingsStep()
    {
        Tnastaveni_form &f = *nastaveni_form;
        QLineEdit *names[4] = {f.Jmeno0, f.Jmeno1, f.Jmeno2, f.Jmeno3};
        QComboBox *levels[4] = {f.ComboBox0, f.ComboBox1, f.ComboBox2, f.ComboBox3};
        static const QStringList someNames = {"Žofie", "", "Počítač1", "Hráč", "Ďobroslav Čtvrtý z Kouřimi", "A", "Eva"};
        ++stats.settingsChanges;
        switch (Roll(6)) {
        case 0: {
            const int s = Roll(4);
            const QString name = someNames[Roll(someNames.size())];
            if (Roll(2)) {
                names[s]->setText(name);
            } else {  // typed letter by letter after clearing the field
                names[s]->selectAll();
                QTest::keyClick(names[s], Qt::Key_Delete);
                for (QChar ch : name) QTest::sendKeyEvent(QTest::Click, names[s], Qt::Key_unknown, QString(ch), Qt::NoModifier);
            }
            if (names[s]->text() != name || Players[s]->Name != name)
                Fault(QStringLiteral("seat %1 named \"%2\" after typing \"%3\"").arg(s).arg(Players[s]->Name, name));
            break;
        }
        case 1: {
            const int s = Roll(4);
            if (Roll(2)) levels[s]->setCurrentIndex(Roll(2));
            else QTest::keyClick(levels[s], Roll(2) ? Qt::Key_Down : Qt::Key_Up);
            if (Players[s]->GetLevel() != levels[s]->currentIndex())
                Fault(QStringLiteral("seat %1 strength %2 after choosing %3").arg(s).arg(Players[s]->GetLevel()).arg(levels[s]->currentIndex()));
            break;
        }
        case 2: {
            static const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown};
            if (Roll(2)) f.TrackBar1->setValue(1 + Roll(10));
            else QTest::keyClick(f.TrackBar1, keys[Roll(6)]);
            break;
        }
        case 3: {
            const int order = Roll(2);
            if (Roll(2)) {
                f.RadioGroup1->SetItemIndex(order);
            } else {
                QRadioButton *b = f.RadioGroup1->Buttons().value(order);
                QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
            }
            if (f.RadioGroup1->ItemIndex() != order) Fault(QStringLiteral("deal order %1 after choosing %2").arg(f.RadioGroup1->ItemIndex()).arg(order));
            break;
        }
        default:
            if (Roll(2)) QTest::mouseClick(f.Button1, Qt::LeftButton);
            else f.close();
            dog_.Pet("settings closed");
            break;
        }
    }

    void Chooser()
    {
        ++stats.choosers;
        ++cur_.choosersShown;
        if (!inContract_ || cur_.startedAs != ContractName(Maturita)) Fault(QStringLiteral("the chooser outside a Maturita"));
        if (Players[cur_.chooser]->IsComputer) Fault(QStringLiteral("the chooser shown for a computer"));
        if (Players[0]->CardCount != 8) Fault(QStringLiteral("the chooser shown before the deal"));
        TRadioGroup *list = Maturita_form->Vyber_hru;
        const QStringList items = list->Items();
        QStringList expected = {"Červený", "Filky", "Pr-Po", "Všechny", "Červený král", "Kvarty", "Desítky"};
        if (cur_.attempt < 3) expected.removeAt(2);
        if (items != expected) Fault(QStringLiteral("attempt %1 offers %2").arg(cur_.attempt).arg(items.join(QLatin1Char(','))));
        if (Roll(3)) {
            const int pos = Roll(list->Count());
            QRadioButton *b = list->Buttons().value(pos);
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
            if (list->ItemIndex() != pos) Fault(QStringLiteral("chooser click on %1 selected %2").arg(pos).arg(list->ItemIndex()));
        }
        const int index = list->ItemIndex();
        if (index < 0 || index >= items.size()) {
            Fault(QStringLiteral("chooser position %1 of %2").arg(index).arg(items.size()));
        } else {
            cur_.chosen = ContractName(ContractOfItem(items[index]));
        }
        if (Roll(2)) QTest::mouseClick(Maturita_form->Volba, Qt::LeftButton);
        else Maturita_form->close();
        dog_.Pet("chooser closed");
    }

    void Standings(QWidget *window)
    {
        ++stats.standings;
        const QString suffix = window->windowTitle().mid(StavPrefix.size());
        int found = 0;
        for (QLabel *l : window->findChildren<QLabel *>()) {
            const int s = (l->x() - 30) / 50;
            if (s < 0 || s > 3 || l->x() != 30 + 50 * s || (l->y() != 10 && l->y() != 30)) {
                Fault(QStringLiteral("a standings label at %1,%2").arg(l->x()).arg(l->y()));
                continue;
            }
            ++found;
            const QString want = l->y() == 10 ? Players[s]->Name : QString::number(Players[s]->Score);
            if (l->text() != want) Fault(QStringLiteral("standings show \"%1\" for \"%2\"").arg(l->text(), want));
        }
        if (found != 8) Fault(QStringLiteral("standings with %1 labels").arg(found));
        if (suffix.isEmpty()) {
            if (stavPending_ <= 0) Fault(QStringLiteral("a plain standings window nobody asked for"));
            --stavPending_;
        } else {
            if (inContract_) Fault(QStringLiteral("standings \"%1\" during a contract").arg(suffix));
            captions_ << window->windowTitle();
        }
        window->close();
        dog_.Pet("standings closed");
    }
};

}  // namespace

class TestMonkey : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        previousHandler = qInstallMessageHandler(QuietHandler);
        StartProgram();
    }

    void randomUser()
    {
        const QByteArray seedText = qgetenv("TAMSA_MONKEY_SEED");
        const bool longRun = qEnvironmentVariableIsSet("TAMSA_MONKEY_MATCHES");
        unsigned seed = EnvNumber("TAMSA_MONKEY_SEED", 20240607u);
        if (seedText == "time" || (seedText.isEmpty() && longRun))
            seed = unsigned(QDateTime::currentMSecsSinceEpoch() % 1000000007);
        const int matches = int(EnvNumber("TAMSA_MONKEY_MATCHES", 6));
        const int trainingPerMatch = 10;
        qInfo("monkey: TAMSA_MONKEY_SEED=%u TAMSA_MONKEY_MATCHES=%d", seed, matches);
        SeedRandom(seed);  // the program's deals replay too

        Watchdog dog(int(EnvNumber("TAMSA_MONKEY_STALL_S", 10)), seed);
        Monkey monkey(seed, dog);
        QElapsedTimer clock;
        clock.start();
        for (int m = 0; m < matches && monkey.faults.isEmpty(); ++m) {
            for (int t = 0; t < trainingPerMatch; ++t) {
                monkey.IdleActions();
                const int contract = monkey.Roll(8);
                monkey.BeginCommand(contract == Maturita ? Command::TrainingMaturita : Command::Training, contract);
                TrainingCommand(contract)->trigger();
                monkey.EndCommand();
            }
            monkey.IdleActions();
            monkey.BeginCommand(Command::Match);
            Form1->Start1->trigger();
            monkey.EndCommand();
            monkey.CloseWindows();
        }
        monkey.timer.stop();
        const auto &st = monkey.stats;
        qInfo("monkey: %d deals in %lld ms; %d moves, %d refused double clicks, %d clicks, %d + %d refused \"Další hráč\", "
              "%d choosers, %d standings, %d + %d nested settings/Stav (%d changes), %d resizes, %d grey commands, "
              "%d window toggles, %d actions in pauses",
              st.deals, clock.elapsed(), st.moves, st.refused, st.clicks, st.nextPresses, st.nextRefused, st.choosers,
              st.standings, st.nestedSettings, st.nestedStav, st.settingsChanges, st.resizes, st.disabledTriggers,
              st.windowToggles, st.pausesNested);
        QStringList faults = monkey.faults;
        for (const QString &f : monkey.rules.faults) faults << QStringLiteral("trick: ") + f;
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("replay with TAMSA_MONKEY_SEED=%1\n").arg(seed) + faults.join(QLatin1Char('\n'))));
        // The run reached what it is meant to shake.
        QVERIFY(st.moves > 100 && st.refused > 0 && st.nextPresses > 0 && st.choosers > 0);
        QVERIFY(st.nestedSettings > 0 && st.nestedStav > 0 && st.disabledTriggers > 0 && st.resizes > 0);
    }
};

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
