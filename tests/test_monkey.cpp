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

#include <QDateTime>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSlider>

#include <array>
#include <csignal>
#include <atomic>
#include <chrono>
#include <limits>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

const QString StavPrefix = QStringLiteral("Stav po hře ");
const QString MaturitaName = ContractName(Maturita);

bool IsTrickContract(const QString &name)
{
    for (int c = Cervene; c <= CervenyKral; ++c)
        if (name == ContractName(c)) return true;
    return false;
}

QtMessageHandler previousHandler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // QTest complains about every click nobody accepts (the monkey clicks disabled cards on
    // purpose), and the offscreen platform cannot raise the sheet and the about windows.
    if (type == QtWarningMsg && (message.contains(QLatin1String("not accepted by receiving widget")) ||
                                 message == QLatin1String("This plugin does not support raise()")))
        return;
    previousHandler(type, context, message);
}

volatile std::sig_atomic_t StopSignal = 0;

unsigned EnvNumber(const char *name, unsigned fallback)
{
    bool ok = false;
    const unsigned n = qgetenv(name).toUInt(&ok);
    return ok ? n : fallback;
}

long long NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Ends the process when nothing has moved for too long: a wait loop that never returns, or
// a busy loop that never gets back to the window system, would otherwise hang the suite.
struct Watchdog
{
    Watchdog(int seconds, unsigned seed)
    {
        Pet("start");
        thread = std::thread([this, seconds, seed] {
            for (; !stop; std::this_thread::sleep_for(std::chrono::milliseconds(200)))
                if (NowMs() - last > seconds * 1000LL) {
                    std::fprintf(stderr, "FAIL!  : monkey: no progress for %d s after \"%s\"; replay with TAMSA_MONKEY_SEED=%u\n",
                                 seconds, what.load(), seed);
                    std::fflush(stderr);
                    std::_Exit(3);
                }
        });
    }
    ~Watchdog()
    {
        stop = true;
        thread.join();
    }
    void Pet(const char *literal) { what = literal, last = NowMs(); }
    std::atomic<long long> last{0};
    std::atomic<bool> stop{false};
    std::atomic<const char *> what{""};
    std::thread thread;
};

enum class Command { None, Training, TrainingMaturita, Match };

// What the monkey knows about one deal, from the start of the contract to its end.
struct Deal
{
    QString startedAs;  // panel 1 when the contract started ("Maturita" for an attempt)
    QString playedAs;   // panel 1 while it was played
    QString chosen;     // what the chooser window said would be played
    int order = 0;      // deal order of the settings at the deal
    int chooser = 0, attempt = 0, choosersShown = 0;  // Maturita: who chooses, attempt 1..3
    int chooserLevel = 0;
    QList<int> scores = QList<int>(4, 0), endScores = scores, lastScores = scores, lastCounts = scores;  // start, end, last wait
    QList<int> owner = QList<int>(32, -1);  // seat seen holding the card, -1 until seen in a hand
    QList<bool> gone = QList<bool>(32, false);  // seen played
    bool observed = false;
};

QList<int> Scores()
{
    QList<int> v;
    for (THrac *p : Players) v << p->Score;
    return v;
}

QString Join(const QList<int> &v) { return QStringLiteral("%1/%2/%3/%4").arg(v[0]).arg(v[1]).arg(v[2]).arg(v[3]); }
QLineEdit *NameField(int s) { return std::array{nastaveni_form->Jmeno0, nastaveni_form->Jmeno1, nastaveni_form->Jmeno2, nastaveni_form->Jmeno3}[s]; }
QComboBox *LevelList(int s)
{
    return std::array{nastaveni_form->ComboBox0, nastaveni_form->ComboBox1, nastaveni_form->ComboBox2, nastaveni_form->ComboBox3}[s];
}

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
        int deals = 0, moves = 0, refused = 0, clicks = 0, nextPresses = 0, nextRefused = 0, nestedSettings = 0,
            nestedStav = 0, settingsChanges = 0, resizes = 0, disabledTriggers = 0, windowToggles = 0, choosers = 0,
            standings = 0, pausesNested = 0;
    } stats;

    int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    // Records a fault when bad holds; the text's %1, %2... take the arguments.
    template <typename... A> void F(bool bad, const char *text, const A &...args)
    {
        if (!bad || faults.size() >= 30) return;
        QString what = QString::fromUtf8(text);
        ((what = what.arg(args)), ...);
        static const char *const names[] = {"idle", "training", "training Maturita", "match"};
        faults << QStringLiteral("[%1, deal %2, %3] %4").arg(QLatin1String(names[int(cmd_)])).arg(stats.deals)
                      .arg(cur_.playedAs.isEmpty() ? cur_.startedAs : cur_.playedAs, what);
    }


    void EndCommand()
    {
        F(inContract_, "the command returned in the middle of a contract");
        F(dealsInCommand_ == 0, "the command played no contract");
        if (dealsInCommand_) CheckScoresSinceLastDeal();
        F(!NextExpected().isEmpty(), "the command ended where %1 should have followed", NextExpected());
        CheckIdleBoard();
        const QString shown = captions_.join(QLatin1String(" | "));
        F(cmd_ == Command::Training && captions_ != QStringList{StavPrefix + ContractName(training_)}, "standings after the training: %1", shown);
        F(cmd_ == Command::TrainingMaturita && (captions_.size() != dealsInCommand_ || captions_.count(StavPrefix + MaturitaName) != captions_.size()),
          "%1 attempts, standings: %2", dealsInCommand_, shown);
        if (cmd_ == Command::Match) {
            F(!captions_.isEmpty(), "the match showed standings: %1", shown);
            F(rounds_ != 4, "the match played %1 rounds", rounds_);
            F(!Zapis_form->isVisible(), "the score sheet is not shown after the match");
            F(!Players[0]->StartsRound || Players[1]->StartsRound || Players[2]->StartsRound || Players[3]->StartsRound,
              "after four rounds the start is not back with the human");
            const TZapis_form &sheet = *Zapis_form;
            for (int p = 0; p < 4; ++p) {
                F(sheet.LastTotals[p] != Players[p]->Score, "seat %1: sheet total %2, score %3", p, sheet.LastTotals[p], Players[p]->Score);
                for (int q = 0; q < 4; ++q) {
                    const int tp = sheet.LastTotals[p], tq = sheet.LastTotals[q], pp = sheet.RecordedTotals[p][40], pq = sheet.RecordedTotals[q][40];
                    F(pp < 1 || pp > 4 || (tp < tq && pp >= pq) || (tp == tq && pp != pq), "places %1 and %2 for totals %3 and %4", pp, pq, tp, tq);
                }
            }
        }
        cmd_ = Command::None;
    }

    // Things a user does between commands.
    void IdleActions()
    {
        for (int n = Roll(4); n > 0; --n) {
            const int what = Roll(6);
            if (what == 0) OpenStav();
            else if (what == 1) OpenSettings();
            else if (what < 4) ToggleWindow();
            else Resize();
            dog_.Pet("idle action");
        }
        F(QApplication::activeModalWidget(), "a modal window stayed open");
    }

    // Runs one command of the test and checks what it must leave behind.
    void Run(Command c, int contract = -1)
    {
        IdleActions();
        cmd_ = c;
        training_ = contract;
        dealsInCommand_ = rounds_ = 0;
        scoresBefore_ = Scores();
        captions_.clear();
        PlayCommands()[1 + contract]->trigger();  // the match is command 0
        EndCommand();
    }

    void CloseWindows()
    {
        const QList<QWidget *> windows = {napoveda_form, O_programu_form, Zapis_form};
        for (QWidget *w : windows) w->close();
        QTest::qWait(1);
        for (QWidget *w : windows) F(w->isVisible(), "%1 did not close", w->windowTitle());
    }

    Watchdog &dog_;
    Command cmd_ = Command::None;
    int training_ = -1, dealsInCommand_ = 0, rounds_ = 0;
    QList<int> scoresBefore_;
    QStringList captions_;  // standings windows the command showed
    int stavPending_ = 0;   // "&Stav" windows asked for and not yet seen
    bool inContract_ = false, inPauseHook_ = false, nestedPending_ = false;
    Deal cur_, prev_;
    long long signature_ = -1;

    bool PrevFailed() const { return prev_.endScores[prev_.chooser] != prev_.scores[prev_.chooser]; }

    // The contract that must start next within the running command; empty when none may.
    QString NextExpected() const
    {
        const bool again = dealsInCommand_ > 0 && PrevFailed() && prev_.attempt < 3;
        switch (cmd_) {
        case Command::Training: return dealsInCommand_ == 0 ? ContractName(training_) : QString();
        case Command::TrainingMaturita: return dealsInCommand_ == 0 || again ? MaturitaName : QString();
        case Command::Match:
            if (dealsInCommand_ == 0) return ContractName(Cervene);
            if (prev_.startedAs == MaturitaName) return again ? MaturitaName : rounds_ < 4 ? ContractName(Cervene) : QString();
            for (int c = Cervene; c < Desitky; ++c)
                if (prev_.startedAs == ContractName(c)) return ContractName(c + 1);
            return MaturitaName;
        case Command::None: break;
        }
        return QString();
    }

    // The scores may change between two contracts only by the rules of Maturita and the match.
    void CheckScoresSinceLastDeal()
    {
        QList<int> expected = prev_.endScores;
        const bool failed = prev_.startedAs == MaturitaName && PrevFailed();
        for (int s = 0; failed && s < 4; ++s)
            expected[s] = (cmd_ == Command::TrainingMaturita ? 0 : prev_.scores[s]) + (s == prev_.chooser ? 8 : 0);
        F(Scores() != expected, "scores %1, expected %2 (%3)", Join(Scores()), Join(expected),
          failed ? QLatin1String("set by the failed Maturita") : QLatin1String("unchanged since the last contract"));
    }


    // The first play command goes grey: a contract has started, its deal comes next.
    void OnStart()
    {
        dog_.Pet("contract start");
        F(inContract_, "a contract started while another was running");
        const QString name = PanelText(1), expected = NextExpected();
        F(cmd_ == Command::None, "%1 started with no command", name);
        const QList<int> now = Scores();
        if (dealsInCommand_ == 0) {
            const QList<int> want = cmd_ == Command::Match ? QList<int>(4, 0) : scoresBefore_;
            F(now != want, "first contract starts at %1, expected %2", Join(now), Join(want));
        } else {
            CheckScoresSinceLastDeal();
            F(cmd_ == Command::Match && now != QList<int>(Zapis_form->LastTotals, Zapis_form->LastTotals + 4),
              "scores %1 differ from the sheet's totals %2", Join(now), Join(QList<int>(Zapis_form->LastTotals, Zapis_form->LastTotals + 4)));
        }
        F(name != expected, "%1 started where %2 was due", name, expected.isEmpty() ? QStringLiteral("nothing") : expected);
        int starters = 0;
        for (THrac *p : Players) {
            starters += p->StartsRound;
            F(p->OnMove != p->StartsRound, "seat %1 on move at the start is not the starter", p->Seat);
        }
        F(starters != 1, "%1 players start the round", starters);
        const bool again = name == MaturitaName && prev_.startedAs == name && dealsInCommand_ > 0;
        const int attempt = again ? prev_.attempt + 1 : 1;
        cur_ = Deal();
        cur_.startedAs = name;
        cur_.order = nastaveni_form->RadioGroup1->ItemIndex();
        cur_.chooser = MaturitaChooser();
        cur_.chooserLevel = Players[cur_.chooser]->GetLevel();
        cur_.attempt = attempt;
        cur_.scores = now;
        inContract_ = true;
        ++stats.deals;
        ++dealsInCommand_;
    }

    // The last play command comes back: the contract is over.
    void OnEnd()
    {
        dog_.Pet("contract end");
        if (!inContract_) return F(true, "the play commands came back with no contract running");
        inContract_ = false;
        F(!cur_.observed, "a contract went by without a single wait");
        for (const QString &f : IdleFaults()) F(true, "at the end: %1", f);
        const QList<int> now = cur_.endScores = Scores();
        int sum = 0;
        for (int s = 0; s < 4; ++s) {
            sum += now[s] - cur_.scores[s];
            F(now[s] < cur_.scores[s], "seat %1 lost points: %2 -> %3", s, cur_.scores[s], now[s]);
        }
        const QString &played = cur_.playedAs;
        const bool kvarty = played == ContractName(Kvarty);
        if (IsTrickContract(played)) {
            F(sum != 8, "handed out %1 points: %2 -> %3", sum, Join(cur_.scores), Join(now));
            rules.CheckCardsConserved();  // cards not played stay where they were dealt
        } else if (kvarty || played == ContractName(Desitky)) {
            for (int s = 0; s < 4; ++s) {
                const int paid = now[s] - cur_.scores[s];
                const QLabel *label = Players[s]->CountLabel;
                F(kvarty ? paid != cur_.lastCounts[s] : paid < cur_.lastCounts[s], "seat %1 paid %2 for %3 cards left", s, paid, cur_.lastCounts[s]);
                F(Players[s]->CardCount != 0, "seat %1 still counts %2 cards", s, Players[s]->CardCount);
                F(label && label->text() != QLatin1String("0"), "seat %1 label reads %2", s, label ? label->text() : QString());
                F(!kvarty && label && label->palette().color(QPalette::WindowText) != QColor(0, 0, 0), "seat %1 label not black after Desítky", s);
            }
            for (int i = 0; i < 8; ++i)
                F(Players[0]->Hand[i] != NoCard || HandImages[i]->PictureName() != CardResourceName(NoCard), "the human's slot %1 not emptied", i);
        } else {
            F(true, "played as \"%1\"", played);
        }
        const bool computer = Players[cur_.chooser]->IsComputer, maturita = cur_.startedAs == MaturitaName;
        F(maturita && computer && cur_.chooserLevel != Vysoka && played != ContractName(CervenyKral), "a computer chooser played %1", played);
        F(maturita && computer && cur_.choosersShown != 0, "the chooser window was shown to a computer");
        F(maturita && !computer && cur_.choosersShown != 1, "chooser shown %1 times", cur_.choosersShown);
        F(maturita && !computer && played != cur_.chosen, "%1 chosen, %2 played", cur_.chosen, played);
        F(!maturita && cur_.choosersShown, "the chooser window appeared outside Maturita");
        prev_ = cur_;
        if (cmd_ == Command::Match && maturita && (!PrevFailed() || prev_.attempt == 3)) ++rounds_;
    }

    // Every pause of the engine: the state is checked exactly there, and sometimes the user
    // does something in the middle of it.
    void OnPause()
    {
        if (!inContract_) return F(true, "a pause outside a contract");
        Observe("pause");
        if (IsTrickContract(PanelText(1))) rules.CheckTrick();
        if (Roll(100) < 5) {
            ++stats.pausesNested;
            inPauseHook_ = true;
            Nested(Roll(6), /*queued=*/false);
            inPauseHook_ = false;
        }
    }


    void Observe(const char *where)
    {
        if (!inContract_) return F(true, "the program waits (%1) outside a contract", QLatin1String(where));
        const QString mode = PanelText(1);
        bool known = false;
        for (int c = Cervene; c <= Desitky; ++c) known = known || mode == ContractName(c);
        F(!known, "panel 1 reads \"%1\" while the program waits", mode);
        if (cur_.playedAs.isEmpty()) cur_.playedAs = mode;
        F(cur_.startedAs != MaturitaName && mode != cur_.startedAs, "started as %1, played as %2", cur_.startedAs, mode);
        F(cur_.playedAs != mode, "the contract changed to %1 on the way", mode);
        for (QAction *a : PlayCommands()) F(a->isEnabled(), "%1 enabled during a contract", a->objectName());
        for (QAction *a : {Form1->Nastaveni1, Form1->Konec1, Form1->Stav1, Form1->Zapis1, Form1->OhreTamsa1, Form1->Oprogramu1})
            F(!a->isEnabled(), "%1 disabled during a contract", a->objectName());
        // Conservation and counts are the scripted human's check; here the hands keep their
        // order, and a card stays with its seat until it is played.
        rules.CheckCardsConserved();
        for (int s = 0; s < 4; ++s) {
            const THrac &p = *Players[s];
            cur_.lastCounts[s] = p.CardCount;
            int last = -1;
            for (int i = 0; i < 8; ++i) {
                const int c = p.Hand[i];
                if (c >= NoCard) continue;
                F(last >= 0 && (cur_.order == 0 ? c >= last : c <= last), "seat %1 hand out of order at slot %2", s, i);
                F(cur_.gone[c], "card %1 came back into seat %2's hand", c, s);
                F(cur_.owner[c] >= 0 && cur_.owner[c] != s, "card %1 moved from seat %2 to seat %3", c, cur_.owner[c], s);
                cur_.owner[c] = s;
                last = c;
            }
            F(p.CountLabel && p.CountLabel->text() != QString::number(p.CardCount), "seat %1 label differs from its count %2", s, p.CardCount);
        }
        for (int c = 0; c < 32; ++c) cur_.gone[c] = cur_.gone[c] || PlayedCards[c];
        for (int i = 0; i < 8; ++i)
            F(HandImages[i]->PictureName() != CardResourceName(Players[0]->Hand[i]), "hand slot %1 shows %2", i, HandImages[i]->PictureName());
        const bool desitky = mode == ContractName(Desitky);
        for (int c = 0; desitky && c < 32; ++c)
            F(LayoutImages[c]->PictureName() != CardResourceName(PlayedCards[c] ? TCard(c) : NoCard) || !LayoutImages[c]->isVisibleTo(Form1),
              "layout cell %1 shows %2", c, LayoutImages[c]->PictureName());
        for (int s = 0; s < 4; ++s) {
            F(desitky && (TrickCards[s] != NoCard || TrickImages[s]->isVisibleTo(Form1)), "table slot %1 used in Desítky", s);
            F(!desitky && TrickImages[s]->PictureName() != CardResourceName(TrickCards[s]), "table slot %1 shows %2", s, TrickImages[s]->PictureName());
            F(!desitky && TrickCards[s] != NoCard && !PlayedCards[TrickCards[s]], "card %1 on the table is not marked played", TrickCards[s]);
        }
        const QList<int> scores = Scores();
        for (int s = 0; s < 4; ++s) F(cur_.observed && scores[s] < cur_.lastScores[s], "seat %1 score fell to %2", s, scores[s]);
        CheckLayout(mode);
        int onMove = 0;
        for (int s = 0; s < 4; ++s) onMove |= Players[s]->OnMove << s;
        const long long sig = ((stats.deals * 64LL + PlayedCount()) * 16 + onMove) * 1024 + ScoreSum();
        if (sig != signature_) signature_ = sig, dog_.Pet(where);
        cur_.lastScores = scores;
        cur_.observed = true;
    }

    // Whatever size the user gave it, the board is laid out for its client area.
    void CheckLayout(const QString &mode)
    {
        F(Form1->width() < Form1->minimumWidth() || Form1->height() < Form1->minimumHeight(), "board %1 x %2 under its minimum",
          Form1->width(), Form1->height());
        const int w = Form1->Klient->width(), h = Form1->Klient->height();
        const float sx = float(w) / 800.0f, sy = float(h) / 600.0f;
        auto X = [sx](int v) { return int(double(v) * double(sx)); };
        auto Y = [sy](int v) { return int(double(v) * double(sy)); };
        for (int i = 0; i < 8; ++i) {
            const QRect g = HandImages[i]->geometry();
            if (g.x() != X(90 * i + 45) || g.width() != X(80) || g.height() != Y(125))
                return F(true, "hand slot %1 at %2,%3 %4x%5 on a %6x%7 board", i, g.x(), g.y(), g.width(), g.height(), w, h);
        }
        const bool row = mode == ContractName(Kvarty);
        const int cross[4][2] = {{360, 216}, {270, 152}, {360, 85}, {450, 152}};
        for (int s = 0; s < 4; ++s)
            if (TrickImages[s]->geometry() != QRect(X(row ? 225 + 90 * s : cross[s][0]), Y(row ? 152 : cross[s][1]), X(80), Y(130)))
                return F(true, "table slot %1 not laid out for %2x%3 (%4)", s, w, h, mode);
        F(Form1->StatusBar1->geometry() != QRect(0, h - 33, w, 33), "status bar off the bottom");
    }

    void CheckIdleBoard()
    {
        for (const QString &f : IdleFaults()) F(true, "idle: %1", f);
        F(QApplication::activeModalWidget(), "a modal window is still open");
    }

    void CheckSettingsApplied()
    {
        const Tnastaveni_form &f = *nastaveni_form;
        F(f.isVisible(), "the settings window is still shown");
        for (int s = 0; s < 4; ++s) {
            F(Players[s]->Name != NameField(s)->text(), "seat %1 is named \"%2\", the field says \"%3\"", s, Players[s]->Name, NameField(s)->text());
            F(Players[s]->GetLevel() != LevelList(s)->currentIndex(), "seat %1 strength %2, the list says %3", s, Players[s]->GetLevel(),
              LevelList(s)->currentIndex());
        }
        F(f.TrackBar1->value() < 1 || f.TrackBar1->value() > 10, "pause position %1", f.TrackBar1->value());
        F(f.RadioGroup1->ItemIndex() != 0 && f.RadioGroup1->ItemIndex() != 1, "deal order %1", f.RadioGroup1->ItemIndex());
    }

    // ------------------------------------------------------------ the user's hands

    void Tick()
    {
        if (QWidget *modal = QApplication::activeModalWidget()) return HandleModal(modal);
        if (inPauseHook_ || nestedPending_ || !inContract_ || !TimerElapsed || HumanMoved) return;
        bool asked = Form1->Next_but->isVisible() && Form1->Next_but->isEnabled();
        for (TImage *im : HandImages) asked = asked || im->isEnabled();
        if (!asked) return;
        Observe("human");
        rules.CheckPrompt();
        QList<int> enabled, disabled;
        for (int i = 0; i < 8; ++i) (HandImages[i]->isEnabled() ? enabled : disabled) << i;
        const int r = Roll(100);
        if (r < 40 || (enabled.isEmpty() && r < 55)) {
            if (enabled.isEmpty()) PressNext();
            else Play(enabled[Roll(enabled.size())]);
        } else if (r < 55) {
            if (!disabled.isEmpty()) Refuse(disabled[Roll(disabled.size())]);
        } else if (r < 70) {
            Click(Roll(8));
        } else if (r < 77) {
            PressNext();
        } else if (r < 96) {
            Nested(r < 82 ? 2 : r < 86 ? 3 : r < 90 ? 4 : Roll(2), /*queued=*/true);
        }
    }

    void Play(int slot)
    {
        THrac &me = *Players[0];
        const TCard c = me.Hand[slot];
        const QString picture = CardResourceName(c);
        const bool desitky = PanelText(1) == ContractName(Desitky);
        if (Roll(2)) QTest::mouseClick(HandImages[slot], Qt::LeftButton);
        QTest::mouseDClick(HandImages[slot], Qt::LeftButton);
        ++stats.moves;
        if (!HumanMoved) return F(true, "a double click on enabled slot %1 did nothing", slot);
        F(me.Hand[slot] != NoCard || !PlayedCards[c] || HandImages[slot]->PictureName() != CardResourceName(NoCard),
          "card %1 from slot %2 not taken out of the hand", c, slot);
        F(SelectedImage, "a card stays raised after a move");
        for (TImage *im : HandImages) F(im->isEnabled(), "%1 enabled after the move", im->objectName());
        F(desitky && (LayoutImages[c]->PictureName() != picture || !me.PlayedThisTurn), "card %1 not on the layout", c);
        F(!desitky && (TrickCards[0] != c || TrickImages[0]->PictureName() != picture), "card %1 not in table slot 0", c);
    }

    // A disabled card must not react to a double click.
    void Refuse(int slot)
    {
        const QList<TCard> hand(Players[0]->Hand, Players[0]->Hand + 8);
        const QList<bool> played(PlayedCards, PlayedCards + 32);
        QTest::mouseDClick(HandImages[slot], Qt::LeftButton);
        ++stats.refused;
        F(HumanMoved || hand != QList<TCard>(Players[0]->Hand, Players[0]->Hand + 8) || played != QList<bool>(PlayedCards, PlayedCards + 32),
          "disabled slot %1 was played", slot);
    }

    void Click(int slot)
    {
        TImage *before = SelectedImage, *im = HandImages[slot];
        const int y = im->y();
        QTest::mouseClick(im, Qt::LeftButton);
        ++stats.clicks;
        F(HumanMoved, "a single click made a move");
        F(!im->isEnabled() && (SelectedImage != before || im->y() != y), "disabled slot %1 reacted to a click", slot);
        F(im->isEnabled() && SelectedImage != im, "a click did not select slot %1", slot);
        F(im->isEnabled() && before != im && im->y() != y - 10, "slot %1 did not rise by 10", slot);
    }

    void PressNext()
    {
        QPushButton *next = Form1->Next_but;
        if (!next->isVisible()) return;
        const bool on = next->isEnabled();
        QTest::mouseClick(next, Qt::LeftButton);
        ++(on ? stats.nextPresses : stats.nextRefused);
        F(!on && HumanMoved, "a disabled \"Další hráč\" passed the turn");
        F(on && (!HumanMoved || Players[0]->OnMove || !Players[1]->OnMove || Players[0]->PlayedThisTurn || next->isEnabled()),
          "\"Další hráč\" did not pass the turn to seat 1");
    }

    // The nine play commands are grey during a contract; triggering one must do nothing.
    void TriggerDisabled()
    {
        QAction *a = PlayCommands()[Roll(9)];
        ++stats.disabledTriggers;
        if (a->isEnabled()) return F(true, "%1 enabled during a contract", a->objectName());
        const int deals = stats.deals;
        const QString panel = PanelText(1);
        a->trigger();
        F(stats.deals != deals || PanelText(1) != panel || !inContract_, "the disabled %1 started something", a->objectName());
    }

    void Resize()
    {
        ++stats.resizes;
        const QSize minimum = Form1->minimumSize();
        int w = minimum.width() - 60 + Roll(700), h = minimum.height() - 60 + Roll(500);
        if (Roll(4) == 0) w = minimum.width(), h = minimum.height();
        if (Roll(2)) Form1->resize(w, h);
        else Form1->SetClientSize(w, h);
        F(Form1->width() < minimum.width() || Form1->height() < minimum.height(), "the board shrank to %1 x %2", Form1->width(), Form1->height());
    }

    void ToggleWindow()
    {
        ++stats.windowToggles;
        const int which = Roll(3);
        if (which == 0 && !napoveda_form->isVisible()) Form1->OhreTamsa1->trigger();
        else if (which == 0 && Roll(2)) QTest::mouseClick(napoveda_form->Button1, Qt::LeftButton);
        else if (which == 0) napoveda_form->close();
        else if (which == 1 && !O_programu_form->isVisible()) Form1->Oprogramu1->trigger();
        else if (which == 1) O_programu_form->close();
        else if (Zapis_form->isVisible()) Zapis_form->close();
        else Form1->Zapis1->trigger(), F(!Zapis_form->isVisible(), "\"&Zapis\" did not show the sheet");
    }

    void OpenSettings()
    {
        Form1->Nastaveni1->trigger();  // modal; SettingsStep works it and closes it
        CheckSettingsApplied();
    }

    void OpenStav()
    {
        ++stavPending_;
        Form1->Stav1->trigger();  // modal; Standings reads and closes it
        F(stavPending_ != 0, "\"&Stav\" showed no standings window");
        stavPending_ = 0;
    }

    // A command reached while the program waits: the settings, the standings, a grey play
    // command, a resize or a window. A modal window must not be opened from inside this
    // timer's own tick (the tick could not run again to close it), so from the tick it is
    // posted and runs in the program's wait.
    void Nested(int what, bool queued)
    {
        if (what > 1) return what == 2 ? TriggerDisabled() : what == 3 ? Resize() : ToggleWindow();
        auto open = [this, what] {
            if (!QApplication::activeModalWidget()) {  // else the menu cannot be reached
                if (what == 0) ++stats.nestedSettings, OpenSettings();
                else ++stats.nestedStav, OpenStav();
                F(!inContract_, "the contract ended while a window of the menu was open");
                dog_.Pet("window from the menu closed");
            }
            nestedPending_ = false;
        };
        if (!queued) return open();
        nestedPending_ = true;
        QMetaObject::invokeMethod(this, open, Qt::QueuedConnection);
    }


    void HandleModal(QWidget *modal)
    {
        if (modal == nastaveni_form) return SettingsStep();
        if (modal == Maturita_form) return Chooser();
        if (modal->windowTitle().startsWith(StavPrefix)) return Standings(modal);
        F(true, "unexpected modal window \"%1\"", modal->windowTitle());
        modal->close();
    }

    static void ClickRadio(TRadioGroup *group, int pos)
    {
        QRadioButton *b = group->Buttons().value(pos);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }

    // One change per tick, then the window is closed.
    void SettingsStep()
    {
        Tnastaveni_form &f = *nastaveni_form;
        static const QStringList someNames = {"Žofie", "", "Počítač1", "Hráč", "Ďobroslav Čtvrtý z Kouřimi", "A", "Eva"};
        static const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown};
        ++stats.settingsChanges;
        // The rolls come in a fixed order per change, so that a seed replays the same run.
        const int what = Roll(6), s = what < 2 ? Roll(4) : 0;
        if (what == 0) {
            QLineEdit *field = NameField(s);
            const QString name = someNames[Roll(someNames.size())];
            if (Roll(2)) {
                field->setText(name);
            } else {  // typed letter by letter after clearing the field
                field->selectAll();
                QTest::keyClick(field, Qt::Key_Delete);
                for (QChar ch : name) QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(ch), Qt::NoModifier);
            }
            F(field->text() != name || Players[s]->Name != name, "seat %1 named \"%2\" after typing \"%3\"", s, Players[s]->Name, name);
        } else if (what == 1) {
            if (Roll(2)) LevelList(s)->setCurrentIndex(Roll(3));
            else QTest::keyClick(LevelList(s), Roll(2) ? Qt::Key_Down : Qt::Key_Up);
            F(Players[s]->GetLevel() != LevelList(s)->currentIndex(), "seat %1 strength %2 after choosing %3", s, Players[s]->GetLevel(),
              LevelList(s)->currentIndex());
        } else if (what == 2) {
            if (Roll(2)) f.TrackBar1->setValue(1 + Roll(10));
            else QTest::keyClick(f.TrackBar1, keys[Roll(6)]);
        } else if (what == 3) {
            const int order = Roll(2);
            if (Roll(2)) f.RadioGroup1->SetItemIndex(order);
            else ClickRadio(f.RadioGroup1, order);
            F(f.RadioGroup1->ItemIndex() != order, "deal order %1 after choosing %2", f.RadioGroup1->ItemIndex(), order);
        } else {
            if (Roll(2)) QTest::mouseClick(f.Button1, Qt::LeftButton);
            else f.close();
            dog_.Pet("settings closed");
        }
    }

    void Chooser()
    {
        static const QStringList full = {"Červený", "Filky", "Pr-Po", "Všechny", "Červený král", "Kvarty", "Desítky"};
        ++stats.choosers;
        ++cur_.choosersShown;
        F(!inContract_ || cur_.startedAs != MaturitaName, "the chooser outside a Maturita");
        F(Players[cur_.chooser]->IsComputer, "the chooser shown for a computer");
        F(Players[0]->CardCount != 8, "the chooser shown before the deal");
        TRadioGroup *list = Maturita_form->Vyber_hru;
        const QStringList items = list->Items();
        QStringList expected = full;
        if (cur_.attempt < 3) expected.removeAt(2);
        F(items != expected, "attempt %1 offers %2", cur_.attempt, items.join(QLatin1Char(',')));
        if (Roll(3)) {
            const int pos = Roll(list->Count());
            ClickRadio(list, pos);
            F(list->ItemIndex() != pos, "chooser click on %1 selected %2", pos, list->ItemIndex());
        }
        const int index = list->ItemIndex();
        F(index < 0 || index >= items.size(), "chooser position %1 of %2", index, items.size());
        if (index >= 0 && index < items.size()) cur_.chosen = ContractName(int(full.indexOf(items[index])));  // by the text the user reads
        if (Roll(2)) QTest::mouseClick(Maturita_form->Volba, Qt::LeftButton);
        else Maturita_form->close();
        dog_.Pet("chooser closed");
    }

    void Standings(QWidget *window)
    {
        ++stats.standings;
        const QString suffix = window->windowTitle().mid(StavPrefix.size());
        rules.CheckStandings(window);
        F(suffix.isEmpty() && stavPending_-- <= 0, "a plain standings window nobody asked for");
        F(!suffix.isEmpty() && inContract_, "standings \"%1\" during a contract", suffix);
        if (!suffix.isEmpty()) captions_ << window->windowTitle();
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
        unsigned seed = EnvNumber("TAMSA_MONKEY_SEED", 20240607u);
        if (seedText == "time" || (seedText.isEmpty() && qEnvironmentVariableIsSet("TAMSA_MONKEY_MATCHES")))
            seed = unsigned(QDateTime::currentMSecsSinceEpoch() % 1000000007);
        const int matches = int(EnvNumber("TAMSA_MONKEY_MATCHES", 6));
        qInfo("monkey: TAMSA_MONKEY_SEED=%u TAMSA_MONKEY_MATCHES=%d", seed, matches);
        SeedRandom(seed);  // the program's deals replay too

        Watchdog dog(int(EnvNumber("TAMSA_MONKEY_STALL_S", 10)), seed);
        Monkey monkey(seed, dog);
        QElapsedTimer clock;
        clock.start();
        // A long run can be stopped with a signal: it ends after the command in play and still
        // reports; a second signal ends it at once.
        for (int sig : {SIGINT, SIGTERM})
            std::signal(sig, [](int sig) { StopSignal = sig; std::signal(sig, SIG_DFL); });
        const auto &st = monkey.stats;
        int played = 0;
        auto report = [&](const char *what) {
            std::fprintf(stderr, "monkey: %s %d of %d matches, %d deals, %d moves, %lld faults, %.2f s a match\n", what,
                         played, matches, st.deals, st.moves, qlonglong(monkey.faults.size() + monkey.rules.faults.size()),
                         played ? clock.elapsed() / 1000.0 / played : 0.0);
        };
        for (; played < matches && monkey.faults.isEmpty() && !StopSignal; ) {
            for (int t = 0; t < 10 && !StopSignal; ++t) {  // ten training commands before each match
                const int contract = monkey.Roll(8);
                monkey.Run(contract == Maturita ? Command::TrainingMaturita : Command::Training, contract);
            }
            if (StopSignal) break;
            if (played % 2)  // every other match begins with three thinking computers
                for (int s = 1; s < 4; ++s) LevelList(s)->setCurrentIndex(Vysoka);
            monkey.Run(Command::Match);
            monkey.CloseWindows();
            if (++played % 100 == 0) report("played");
        }
        monkey.timer.stop();
        if (StopSignal) report("stopped by a signal after");
        qInfo("monkey: %d deals in %lld ms; %d moves, %d refused double clicks, %d clicks, %d + %d refused \"Další hráč\", "
              "%d choosers, %d standings, %d + %d nested settings/Stav (%d changes), %d resizes, %d grey commands, "
              "%d window toggles, %d actions in pauses",
              st.deals, clock.elapsed(), st.moves, st.refused, st.clicks, st.nextPresses, st.nextRefused, st.choosers,
              st.standings, st.nestedSettings, st.nestedStav, st.settingsChanges, st.resizes, st.disabledTriggers,
              st.windowToggles, st.pausesNested);
        QStringList faults = monkey.faults;
        for (const QString &f : monkey.rules.faults) faults << QStringLiteral("rules: ") + f;
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("replay with TAMSA_MONKEY_SEED=%1\n").arg(seed) + faults.join(QLatin1Char('\n'))));
        // The run reached what it is meant to shake.
        QVERIFY(st.moves > 100 && st.refused > 0 && st.nextPresses > 0 && st.choosers > 0);
        QVERIFY(st.nestedSettings > 0 && st.nestedStav > 0 && st.disabledTriggers > 0 && st.resizes > 0);
    }
};

int main(int argc, char **argv)
{
    // QtTest would stop a test function after five minutes; a long run goes on for as long as
    // it was asked, and the monkey's own watchdog still catches a stall.
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(std::numeric_limits<int>::max()));
    QApplication app(argc, argv);
    TestMonkey test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_monkey.moc"
