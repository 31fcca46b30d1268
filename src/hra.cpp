#include "hra.h"

#include "maturita_f.h"
#include "plocha.h"
#include "zapis_f.h"

#include <QLabel>
#include <QPushButton>

// ================================================================ trick contracts

int TrickWinner(const TCard cards[4], int leader)
{
    int winner = leader;
    for (int i = 0; i < 4; ++i)
        if (Suit(cards[i]) == Suit(cards[winner]) && cards[i] > cards[winner])
            winner = i;
    return winner;
}

int TrickPoints(int contract, const TCard cards[4], int k)
{
    int points = 0;
    switch (contract) {
    case Cervene:
        for (int i = 0; i < 4; ++i) points += IsRed(cards[i]) ? 1 : 0;
        break;
    case Filky:
        for (int i = 0; i < 4; ++i) points += (cards[i] != NoCard && Rank(cards[i]) == Filek) ? 2 : 0;
        break;
    case PrPo:
        points = (k == 3 || k == 31) ? 4 : 0;
        break;
    case Vsechny:
        points = 1;
        break;
    case CervenyKral:
        for (int i = 0; i < 4; ++i) points += cards[i] == 6 ? 8 : 0;
        break;
    }
    return points;
}

bool ContractOver(int contract, const bool played[32])
{
    switch (contract) {
    case Cervene:
        for (int c = 0; c < 8; ++c)
            if (!played[c]) return false;
        return true;
    case Filky:
        return played[5] && played[13] && played[21] && played[29];
    case CervenyKral:
        return played[6];
    default:
        return false;
    }
}

static void ClearTable()
{
    for (int k = 0; k < 4; ++k) {
        TrickCards[k] = NoCard;
        TrickImages[k]->LoadPicture(CardResourceName(NoCard));
    }
}

static void EndContract()
{
    TellContractEnd();
    for (THrac *p : Players) p->OnMove = p->StartsRound;
    SetPanel(0, QStringLiteral("Připraven"));
    SetPanel(1, QStringLiteral("Nehraje se"));
}

void PlayTrickContract(int c)
{
    SetPanel(1, ContractName(c));
    int leader = 0;
    for (int k = 0; k < 32; ++k) {
        for (int s = 0; s < 4; ++s)
            if (Players[s]->OnMove) leader = s;
        THrac &p = *Players[(leader + k) % 4];
        SetPanel(0, p.IsComputer ? QStringLiteral("Čekejte") : QStringLiteral("Vyneste kartu"));
        ChooseCard(p, c);
        if (k % 4 != 3)
            continue;
        Players[leader]->OnMove = false;
        const int winner = TrickWinner(TrickCards, leader);
        TellTrick(Players[winner]->Name, TrickImages[winner]);
        Players[winner]->OnMove = true;
        Players[winner]->Score += TrickPoints(c, TrickCards, k);
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
    if (p.CardCount == 8) {
        // A full hand leads only its low cards: from the spodek down, else its lowest rank.
        for (int bound = 5;; ++bound) {
            bool any = false;
            for (int i = 0; i < 8; ++i) {
                p.Weights[i] = (p.Hand[i] != NoCard && Rank(p.Hand[i]) < bound) ? 1 : 0;
                any = any || p.Weights[i] > 0;
            }
            if (any || bound > 8) break;
        }
        return;
    }
    for (int i = 0; i < 8; ++i) p.Weights[i] = p.Hand[i] != NoCard ? 1 : 0;
}

void KvartyLead(THrac &p)
{
    if (!p.IsComputer) {
        SetPanel(0, QStringLiteral("Vyneste kartu"));
        AwaitHumanMove(p);
        SetPanel(0, QStringLiteral("Čekejte"));
        return;
    }
    TrickCards[0] = LayCard(p, PickSlot(p.Weights), TrickImages[0]);
}

bool FindContinuation(TCard prev, int &seat, int &slot)
{
    const int next = prev + 1;
    for (int s = 0; s < 4; ++s)
        for (int j = 0; j < 8; ++j) {
            const TCard c = Players[s]->Hand[j];
            if (c == next && Suit(c) == Suit(prev)) {
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

bool IsLayable(TCard c, const bool played[32])
{
    if (c >= NoCard) return false;
    const int r = Rank(c);
    return r == R10 || (r > R10 && played[c - 1]) || (r < R10 && played[c + 1]);
}

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
        for (int j = 0; j < 8; ++j) {
            const TCard d = p.Hand[j];
            if (d == NoCard || Suit(d) != Suit(c)) continue;
            p.Weights[i] += j == i ? 1 : DistanceWeight(4 - std::abs(int(d) - int(c)));
        }
    }
}

bool KeepsTurn(const THrac &p)
{
    auto holds = [&p](int code) {
        for (TCard c : p.Hand)
            if (c == code) return true;
        return false;
    };
    for (TCard c : p.Hand) {
        if (c == NoCard || Rank(c) == R10 || IsLayable(c)) continue;
        const int towardsTen = Rank(c) > R10 ? c - 1 : c + 1;
        if (!holds(towardsTen)) return false;
    }
    return true;
}

void DesitkyMove(THrac &p)
{
    if (p.GetLevel() == 0)
        DesitkyWeightsLevel0(p);
    else
        DesitkyWeightsLevel1(p);
    if (!p.IsComputer) {
        SetPanel(0, QStringLiteral("Vyneste kartu"));
        if (p.PlayedThisTurn) Form1->Next_but->setEnabled(true);
        AwaitHumanMove(p);
        SetPanel(0, QStringLiteral("Čekejte"));
        return;
    }
    const int slot = PickSlot(p.Weights);
    if (slot < 0) return;
    LayCard(p, slot, LayoutImages[p.Hand[slot]]);  // a card's place on the grid is its code
    if (!KeepsTurn(p)) {
        p.PlayedThisTurn = false;
        p.OnMove = false;
        Players[(p.Seat + 1) % 4]->OnMove = true;
        WaitForTimer();
    }
}

void TForm1::PlayDesitky()
{
    FormResize();
    int passes[4] = {0, 0, 0, 0};
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
            Next_but->setEnabled(false);
            p.PlayedThisTurn = false;
            p.OnMove = false;
            Players[(onTurn + 1) % 4]->OnMove = true;
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

void FinalPlaces(const int totals[4], int places[4])
{
    for (int p = 0; p < 4; ++p) {
        places[p] = 1;
        for (int q = 0; q < 4; ++q)
            if (totals[q] < totals[p]) ++places[p];
    }
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

void PlayMaturita(int chooser, int attempt)
{
    StartContract(Maturita);
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
