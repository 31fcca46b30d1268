#include "hra.h"

#include "maturita_f.h"
#include "plocha.h"
#include "zapis_f.h"

#include <QAbstractEventDispatcher>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>

#include <memory>
#include <thread>

// ================================================================ what a seat sees

std::function<void(double ms)> ThinkTimeSeam;
int ThinkDealsSeam = 0;

namespace {
// What the play of the running contract has shown everybody: the cards each seat has shown it
// lacks, the totals before the contract, the passes in Desítky, and where the trick stands.
struct TVerejne {
    TMask lacks[4] = {};
    int scoreBefore[4] = {};
    int passes[4] = {};
    int leader = 0;
    int play = 0;
    int chooser = -1;
} Known;

void ResetKnown()
{
    const int chooser = Known.chooser;
    Known = TVerejne();
    Known.chooser = chooser;
    for (int s = 0; s < 4; ++s) Known.scoreBefore[s] = Players[s]->Score;
}

// After a card of a trick: a follower off the led suit holds none of it, and a leader in
// Červené or Červený král who leads a červené card holds nothing else.
void LearnFromTrickCard(int contract, int seat, int k)
{
    const TCard card = TrickCards[seat], led = TrickCards[Known.leader];
    if (k % 4 != 0 && Suit(card) != Suit(led))
        Known.lacks[seat] |= SuitMask(Suit(led));
    if (k % 4 == 0 && (contract == Cervene || contract == CervenyKral) && IsRed(card))
        Known.lacks[seat] |= ~RedCards;
}

// Runs a piece of thinking on a thread of its own and sleeps on the event queue until it is
// done, so the board goes on meanwhile; ending the program stops the thinking at once.
template <typename F> auto OffTheWindowThread(F think)
{
    struct TUloha {
        std::atomic<bool> cancel{false}, finished{false};
    };
    auto job = std::make_shared<TUloha>();
    decltype(think(job->cancel)) result{};
    QElapsedTimer clock;
    clock.start();
    QAbstractEventDispatcher *board = QAbstractEventDispatcher::instance();
    std::thread worker([job, board, &think, &result] {
        result = think(job->cancel);
        job->finished.store(true, std::memory_order_release);
        board->wakeUp();  // the wait sleeps until the next event: this is one
    });
    struct TJoin {
        std::shared_ptr<TUloha> job;
        std::thread &worker;
        ~TJoin()
        {
            job->cancel = true;
            worker.join();
        }
    } join{job, worker};
    WaitUntil([&job] { return job->finished.load(std::memory_order_acquire); });
    if (ThinkTimeSeam) ThinkTimeSeam(clock.nsecsElapsed() / 1e6);
    return result;
}

// A seed for the thinking, drawn from the game's generator so that a seeded game replays.
std::uint64_t ThinkingSeed() { return (std::uint64_t(Random(1 << 30)) << 30) ^ std::uint64_t(Random(1 << 30)); }
}  // namespace

TPohled SeatView(const THrac &p, int contract)
{
    TPohled v;
    v.contract = contract;
    v.seat = p.Seat;
    v.hand = MaskOf(p.Hand);
    v.played = MaskOf(PlayedCards);
    for (int s = 0; s < 4; ++s) {
        v.lacks[s] = Known.lacks[s];
        v.counts[s] = Players[s]->CardCount;
        v.points[s] = Players[s]->Score - Known.scoreBefore[s] + Known.passes[s];
    }
    if (contract <= CervenyKral) {
        std::copy(TrickCards, TrickCards + 4, v.trick);
        v.leader = Known.leader;
        v.play = Known.play;
    }
    v.playedThisTurn = p.PlayedThisTurn;
    v.chooser = Known.chooser;
    v.deals = ThinkDealsSeam;
    return v;
}

static TCard Think(const TPohled &view, std::uint64_t seed)
{
    // The worker gets its own copy: the view lives on in the worker if the wait unwinds.
    return OffTheWindowThread([view, seed](const std::atomic<bool> &cancel) { return Rozhodni(view, seed, &cancel); });
}

TCard Think(const TPohled &view) { return Think(view, ThinkingSeed()); }

TCard Hint(const THrac &p, int contract)
{
    const TPohled view = SeatView(p, contract);
    std::uint64_t seed = 14695981039346656037ull;  // FNV-1a over what the seat sees
    for (std::uint64_t v : {std::uint64_t(view.contract), std::uint64_t(view.seat), std::uint64_t(view.hand),
                            std::uint64_t(view.played), std::uint64_t(view.play), std::uint64_t(view.playedThisTurn)})
        seed = (seed ^ v) * 1099511628211ull;
    return Think(view, seed);
}

int ThinkingSlot(const THrac &p, int contract, int fallback)
{
    const TCard move = Think(SeatView(p, contract));
    for (int i = 0; i < 8; ++i)
        if (p.Hand[i] == move && p.Weights[i] > 0) return i;
    return fallback;
}

// ================================================================ trick contracts

static void ClearTable()
{
    for (int k = 0; k < 4; ++k) {
        TrickCards[k] = NoCard;
        TrickImages[k]->LoadPicture(CardResourceName(NoCard));
    }
}

TStych LastTrick;
std::function<void()> LastTrickChanged;

static void SetLastTrick(const TStych &trick)
{
    LastTrick = trick;
    if (LastTrickChanged) LastTrickChanged();
}

static void EndContract()
{
    SetLastTrick(TStych());
    TellContractEnd();
    for (THrac *p : Players) p->OnMove = p->StartsRound;
    SetPanel(0, QStringLiteral("Připraven"));
    SetPanel(1, QStringLiteral("Nehraje se"));
}

void PlayTrickContract(int c)
{
    SetPanel(1, ContractName(c));
    ResetKnown();
    int leader = 0;
    for (int k = 0; k < 32; ++k) {
        for (int s = 0; s < 4; ++s)
            if (Players[s]->OnMove) leader = s;
        Known.leader = leader;
        Known.play = k;
        THrac &p = *Players[(leader + k) % 4];
        SetPanel(0, p.IsComputer ? QStringLiteral("Čekejte") : QStringLiteral("Vyneste kartu"));
        ChooseCard(p, c);
        LearnFromTrickCard(c, p.Seat, k);
        if (k % 4 != 3)
            continue;
        Players[leader]->OnMove = false;
        const int winner = TrickWinner(TrickCards, leader);
        TellTrick(Players[winner]->Name, TrickImages[winner]);
        Players[winner]->OnMove = true;
        TStych taken;
        std::copy(TrickCards, TrickCards + 4, taken.cards);
        taken.leader = leader;
        taken.winner = winner;
        taken.points = TrickPoints(c, TrickCards, k);
        Players[winner]->Score += taken.points;
        SetLastTrick(taken);
        WaitForTimer();
        ClearTable();
        if (ContractOver(c, PlayedCards))
            break;
    }
    EndContract();
    Form1->MenuPovol();
}

// ================================================================ Kvarty

void MarkCount(THrac &p, bool onTurn)
{
    if (!p.CountLabel) return;
    p.Marked = onTurn;
    PaintCount(p);
    DescribeCount(p.CountLabel, p.Name, onTurn);
}

void PaintCount(const THrac &p)
{
    QLabel *label = p.CountLabel;
    if (!label) return;
    const QPalette board = label->parentWidget()->palette();
    const TCountColours c = CountColours(board.color(label->parentWidget()->backgroundRole()),
                                         board.color(QPalette::WindowText), board.color(QPalette::Link));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, p.Marked ? c.marker : c.text);
    if (c.plate.isValid()) pal.setColor(label->backgroundRole(), c.plate);
    label->setAutoFillBackground(c.plate.isValid());
    if (pal != label->palette()) label->setPalette(pal);
}

// Marks the computer on lead or on turn and no other; returns that seat. A screen reader hears
// when the turn goes to another computer (the human hears the prompt).
static int MarkPlayerOnMove(int current)
{
    const int before = current;
    for (int i = 0; i < 4; ++i) {
        THrac &p = *Players[i];
        if (p.OnMove) current = i;
        if (p.IsComputer) {
            if (p.OnMove && !p.Marked && i != before) TellTurn(p.Name, p.CountLabel);
            MarkCount(p, p.OnMove);
        }
    }
    return current;
}

static void ClearTurnMarks()
{
    for (THrac *q : Players)
        if (q->IsComputer) MarkCount(*q, false);
}

void KvartyLeadWeights(THrac &p)
{
    const TMask may = KvartyLeads(MaskOf(p.Hand));
    for (int i = 0; i < 8; ++i) p.Weights[i] = p.Hand[i] != NoCard && (may & Bit(p.Hand[i])) ? 1 : 0;
}

void KvartyLead(THrac &p)
{
    if (!p.IsComputer) {
        SetPanel(0, QStringLiteral("Vyneste kartu"));
        AwaitHumanMove(p, Kvarty);
        SetPanel(0, QStringLiteral("Čekejte"));
        return;
    }
    int slot = PickSlot(p.Weights);
    if (p.GetLevel() == Vysoka) slot = ThinkingSlot(p, Kvarty, slot);
    TrickCards[0] = LayCard(p, slot, TrickImages[0]);
}

bool FindContinuation(TCard prev, int &seat, int &slot)
{
    const TCard next = NextInRun(prev);
    for (int s = 0; s < 4; ++s)
        for (int j = 0; j < 8; ++j) {
            if (next != NoCard && Players[s]->Hand[j] == next) {
                seat = s;
                slot = j;
                return true;
            }
        }
    return false;
}

static bool AnyHandEmpty()
{
    for (THrac *p : Players)
        if (p->CardCount == 0) return true;
    return false;
}

// Charges every player's cards left (plus extra points) and empties the hands.
static void ScoreCardsLeft(const int extra[4])
{
    for (int s = 0; s < 4; ++s) {
        THrac &p = *Players[s];
        p.Score += p.CardCount + extra[s];
        p.CardCount = 0;
        if (p.IsComputer) {
            p.ShowCount();
        } else {
            for (int i = 0; i < 8; ++i) {
                p.Hand[i] = NoCard;
                HandImages[i]->LoadPicture(CardResourceName(NoCard));
            }
        }
    }
}

void TForm1::PlayKvarty()
{
    FormResize();
    ResetKnown();
    for (bool &b : PlayedCards) b = false;
    ClearTable();
    int leader = 0;
    bool finished = false;
    while (!finished) {
        leader = MarkPlayerOnMove(leader);
        int lastLayer = leader;
        THrac &lead = *Players[leader];
        KvartyLeadWeights(lead);
        KvartyLead(lead);
        if (lead.CardCount > 0) {
            for (int k = 1; k < 4; ++k) {
                int s, j;
                if (!FindContinuation(TrickCards[k - 1], s, j))
                    break;  // the later positions cannot be filled either
                THrac &q = *Players[s];
                const TCard card = q.Hand[j];
                TellCard(q.Name, card, TrickImages[k]);
                TrickImages[k]->LoadPicture(CardResourceName(card));
                TrickCards[k] = card;
                PlayedCards[card] = true;
                q.RemoveCard(j);
                if (!q.IsComputer) HandImages[j]->LoadPicture(CardResourceName(NoCard));
                lastLayer = s;
            }
        }
        lead.OnMove = false;
        Players[lastLayer]->OnMove = true;
        finished = AnyHandEmpty();
        WaitForTimer();
        ClearTable();
    }
    const int none[4] = {0, 0, 0, 0};
    ScoreCardsLeft(none);
    ClearTurnMarks();
    EndContract();
    FormResize();
    MenuPovol();
}

// ================================================================ Desítky

bool IsLayable(TCard c) { return IsLayable(c, PlayedCards); }

bool HasLayableCard(const THrac &p)
{
    for (TCard c : p.Hand)
        if (IsLayable(c)) return true;
    return false;
}

void DesitkyWeightsLevel0(THrac &p)
{
    for (int i = 0; i < 8; ++i) {
        p.Weights[i] = 0;
        if (IsLayable(p.Hand[i])) p.Weights[i] = Random(20) + 1;
    }
}

void DesitkyWeightsLevel1(THrac &p)
{
    for (int i = 0; i < 8; ++i) {
        p.Weights[i] = 0;
        const TCard c = p.Hand[i];
        if (!IsLayable(c)) continue;
        p.Weights[i] = DesitkyPreference(c, MaskOf(p.Hand));
    }
}

bool KeepsTurn(const THrac &p) { return KeepsTurn(MaskOf(p.Hand), MaskOf(PlayedCards)); }

static void EndTurn(THrac &p)
{
    p.PlayedThisTurn = false;
    p.OnMove = false;
    Players[(p.Seat + 1) % 4]->OnMove = true;
}

// The thinking computer lays a card or ends its turn; like the human it may end the turn once it
// has laid a card, and it loses the turn when no card of its hand can be laid.
static void ThinkingDesitkyMove(THrac &p)
{
    // Ending the turn is a move only after a card (the weights allow only layable cards).
    const int slot = ThinkingSlot(p, Desitky, p.PlayedThisTurn ? -1 : PickSlot(p.Weights));
    if (slot >= 0) {
        LayCard(p, slot, LayoutImages[p.Hand[slot]]);
        p.PlayedThisTurn = true;
        if (p.CardCount == 0 || HasLayableCard(p)) return;
    }
    EndTurn(p);
    WaitForTimer();
}

void DesitkyMove(THrac &p)
{
    if (p.GetLevel() == Stredni)
        DesitkyWeightsLevel1(p);
    else
        DesitkyWeightsLevel0(p);
    if (p.IsComputer && p.GetLevel() == Vysoka) {
        ThinkingDesitkyMove(p);
        return;
    }
    if (!p.IsComputer) {
        SetPanel(0, QStringLiteral("Vyneste kartu"));
        if (p.PlayedThisTurn) Form1->Next_but->setEnabled(true);
        AwaitHumanMove(p, Desitky);
        SetPanel(0, QStringLiteral("Čekejte"));
        return;
    }
    const int slot = PickSlot(p.Weights);
    if (slot < 0) return;
    LayCard(p, slot, LayoutImages[p.Hand[slot]]);  // a card's place on the grid is its code
    if (!KeepsTurn(p)) {
        EndTurn(p);
        WaitForTimer();
    }
}

void TForm1::PlayDesitky()
{
    FormResize();
    ResetKnown();
    int *passes = Known.passes;
    for (int s = 0; s < 4; ++s) {
        Players[s]->PlayedThisTurn = false;
        TrickImages[s]->LoadPicture(CardResourceName(NoCard));
        TrickImages[s]->hide();
        TrickCards[s] = NoCard;
    }
    Next_but->show();
    Next_but->setEnabled(false);
    for (int c = 0; c < 32; ++c) {
        PlayedCards[c] = false;
        LayoutImages[c]->show();
        LayoutImages[c]->LoadPicture(CardResourceName(NoCard));
    }
    int onTurn = 0;
    bool finished = false;
    while (!finished) {
        onTurn = MarkPlayerOnMove(onTurn);
        THrac &p = *Players[onTurn];
        if (HasLayableCard(p)) {
            DesitkyMove(p);
        } else {
            if (!p.PlayedThisTurn) {
                ++passes[onTurn];
                TellPass(p.Name, p.CountLabel);
            }
            // Everybody sees that it holds none of the cards that could be laid now.
            Known.lacks[onTurn] |= LayableCards(AllCards, MaskOf(PlayedCards));
            Next_but->setEnabled(false);
            EndTurn(p);
        }
        finished = AnyHandEmpty();
    }
    WaitForTimer();
    WaitForTimer();
    for (int r = 0; r < 4; ++r) {
        for (int k = 0; k < 8; ++k) LayoutImages[8 * r + k]->hide();
        TrickImages[r]->show();
        TrickCards[r] = NoCard;
    }
    Next_but->hide();
    ScoreCardsLeft(passes);
    ClearTurnMarks();
    EndContract();
    FormResize();
    MenuPovol();
}

// ================================================================ Maturita and the match

int MaturitaChoice(int attempt, int position)
{
    static const int shortList[6] = {Cervene, Filky, Vsechny, CervenyKral, Kvarty, Desitky};
    static const int fullList[7] = {Cervene, Filky, PrPo, Vsechny, CervenyKral, Kvarty, Desitky};
    const int *list = attempt < 3 ? shortList : fullList;
    const int count = attempt < 3 ? 6 : 7;
    return list[qBound(0, position, count - 1)];
}

int MaturitaChooser()
{
    int chooser = 0;
    for (int s = 0; s < 4; ++s)
        if (Players[s]->StartsRound) chooser = Players[s]->Seat;
    return chooser;
}

static void PlayChosen(int contract)
{
    TellChosen(contract);
    if (contract == Kvarty) {
        SetPanel(1, ContractName(Kvarty));
        Form1->PlayKvarty();
    } else if (contract == Desitky) {
        SetPanel(1, ContractName(Desitky));
        Form1->PlayDesitky();
    } else {
        PlayTrickContract(contract);
    }
}

// The contract a thinking chooser is most likely to come through clean, from the same list a
// human chooser is offered.
static int ThinkingChoice(const THrac &p, int attempt)
{
    const int count = attempt < 3 ? 6 : 7;
    int offered[7];
    for (int i = 0; i < count; ++i) offered[i] = MaturitaChoice(attempt, i);
    const TMask hand = MaskOf(p.Hand);
    const int seat = p.Seat;
    const std::uint64_t seed = ThinkingSeed();
    return OffTheWindowThread([=](const std::atomic<bool> &cancel) {
        return VyberMaturitu(hand, seat, offered, count, seed, &cancel);
    });
}

void PlayMaturita(int chooser, int attempt)
{
    StartContract(Maturita);
    // While the Maturita is played, the thinking computers know who must come through clean.
    struct TChooser {
        TChooser(int seat) { Known.chooser = seat; }
        ~TChooser() { Known.chooser = -1; }
    } known(chooser);
    if (Players[chooser]->IsComputer && Players[chooser]->GetLevel() == Vysoka) {
        PlayChosen(ThinkingChoice(*Players[chooser], attempt));
        return;
    }
    if (Players[chooser]->IsComputer) {
        TellChosen(CervenyKral);
        PlayTrickContract(CervenyKral);
        return;
    }
    TRadioGroup *list = Maturita_form->Vyber_hru;
    if (attempt < 3) {
        list->DeleteItem(2);
        ExecModal(Maturita_form);
        // The list must be whole again even when the program is ending.
        if (Quitting) list->InsertItem(2, QStringLiteral("Pr-Po"));
        CheckQuit();
        PlayChosen(MaturitaChoice(attempt, list->ItemIndex()));
        list->InsertItem(2, QStringLiteral("Pr-Po"));
    } else {
        ExecModal(Maturita_form);
        CheckQuit();
        PlayChosen(MaturitaChoice(attempt, list->ItemIndex()));
    }
}

void TForm1::Maturita1Click()
{
    RunCommand([] {
        const int chooser = MaturitaChooser();
        for (int attempt = 1; attempt <= 3; ++attempt) {
            const int before = Players[chooser]->Score;
            PlayMaturita(chooser, attempt);
            const bool failed = Players[chooser]->Score != before;
            if (failed)
                for (THrac *p : Players) p->Score = p->Seat == chooser ? 8 : 0;
            ShowStandings(Maturita);
            if (!failed) break;
        }
    });
}

void TForm1::Start1Click()
{
    RunCommand([] {
        TZapis_form &sheet = *Zapis_form;
        sheet.Vymazat();
        sheet.RefreshSheet();
        for (THrac *p : Players) p->Score = 0;
        struct Round {  // the round is told with each contract, and is over when the match is
            ~Round() { MatchRound = -1; }
        } round;
        for (int r = 0; r < 4; ++r) {
            MatchRound = r;
            for (int n = Cervene; n <= CervenyKral; ++n) {
                PlayTrainingContract(n);
                sheet.RecordScores(r, n);
            }
            StartContract(Kvarty);
            Form1->PlayKvarty();
            sheet.RecordScores(r, Kvarty);
            StartContract(Desitky);
            Form1->PlayDesitky();
            sheet.RecordScores(r, Desitky);

            const int chooser = MaturitaChooser();
            for (int attempt = 1; attempt <= 3; ++attempt) {
                PlayMaturita(chooser, attempt);
                const bool failed = Players[chooser]->Score != sheet.LastTotals[chooser];
                if (failed)
                    for (THrac *p : Players)
                        p->Score = sheet.LastTotals[p->Seat] + (p->Seat == chooser ? 8 : 0);
                sheet.RecordScores(r, 6 + attempt);
                if (!failed) break;
            }

            for (int s = 0; s < 4; ++s)
                if (Players[s]->StartsRound) {
                    Players[s]->OnMove = Players[s]->StartsRound = false;
                    THrac &next = *Players[(s + 1) % 4];
                    next.OnMove = next.StartsRound = true;
                    break;
                }
        }
        int places[4];
        FinalPlaces(sheet.LastTotals, places);
        for (int p = 0; p < 4; ++p) sheet.RecordedTotals[p][40] = places[p];
        sheet.FormShow();
    });
}
