#include "mysleni.h"

#include <algorithm>
#include <thread>

namespace {

// A small, fast generator of its own: the thinking draws millions of numbers, and every draw
// depends only on the seed of the decision, whichever thread makes it.
struct TRng {
    std::uint64_t s;
    explicit TRng(std::uint64_t seed) : s(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return int((Next() >> 32) * std::uint64_t(n) >> 32); }
};

std::uint64_t Mix(std::uint64_t seed, std::uint64_t n) { return TRng(seed ^ (n * 0xD1B54A32D192ED03ull)).Next(); }

// A whole table as one sampled deal has it: every hand known.
struct TStav {
    int contract;
    TMask hands[4];
    TMask played;
    TCard trick[4];
    int leader, play, toMove;
    int points[4];
    bool playedThisTurn;
    bool over;
};

bool IsTrickContract(int contract) { return contract <= CervenyKral; }

// The moves a hand may make, where s is the seat's own view or a whole sampled table.
template <typename S> TMask Moves(const S &s, TMask hand, bool &mayEnd)
{
    mayEnd = false;
    if (IsTrickContract(s.contract))
        return AdmissibleTrickCards(s.contract, hand, s.play % 4 ? s.trick[s.leader] : NoCard);
    if (s.contract == Kvarty)
        return KvartyLeads(hand);
    mayEnd = s.playedThisTurn;
    return LayableCards(hand, s.played);
}

TMask StateMoves(const TStav &s, bool &mayEnd) { return Moves(s, s.hands[s.toMove], mayEnd); }

// At the end of Kvarty and Desítky every card left in a hand costs a point.
void ChargeCardsLeft(TStav &s)
{
    s.over = true;
    for (int p = 0; p < 4; ++p) s.points[p] += CardsIn(s.hands[p]);
}

void Lay(TStav &s, int seat, TCard c)
{
    s.hands[seat] &= ~Bit(c);
    s.played |= Bit(c);
}

void ApplyTrick(TStav &s, TCard c)
{
    const int p = s.toMove;
    Lay(s, p, c);
    s.trick[p] = c;
    if (s.play % 4 != 3) {
        ++s.play;
        s.toMove = (p + 1) % 4;
        return;
    }
    const int winner = TrickWinner(s.trick, s.leader);
    s.points[winner] += TrickPoints(s.contract, s.trick, s.play);
    std::fill(s.trick, s.trick + 4, NoCard);
    s.leader = s.toMove = winner;
    ++s.play;
    s.over = s.play == 32 || ContractOver(s.contract, s.played);
}

// The lead, then the run as far as the next cards lie in the hands, whoever holds them.
void ApplyKvarty(TStav &s, TCard c)
{
    int last = s.toMove;
    Lay(s, last, c);
    if (s.hands[last]) {
        TCard prev = c;
        for (int k = 1; k < 4; ++k) {
            const TCard next = NextInRun(prev);
            int owner = -1;
            for (int p = 0; p < 4 && next != NoCard; ++p)
                if (s.hands[p] & Bit(next)) owner = p;
            if (owner < 0) break;
            Lay(s, owner, next);
            last = owner;
            prev = next;
        }
    }
    s.toMove = last;
    if (!s.hands[0] || !s.hands[1] || !s.hands[2] || !s.hands[3]) ChargeCardsLeft(s);
}

// Players without a layable card pass, a point each unless they laid a card in their turn.
void PassWhileStuck(TStav &s)
{
    while (!LayableCards(s.hands[s.toMove], s.played)) {
        if (!s.playedThisTurn) ++s.points[s.toMove];
        s.playedThisTurn = false;
        s.toMove = (s.toMove + 1) % 4;
    }
}

void ApplyDesitky(TStav &s, TCard m)
{
    if (m == KonecTahu) {
        s.playedThisTurn = false;
        s.toMove = (s.toMove + 1) % 4;
    } else {
        Lay(s, s.toMove, m);
        s.playedThisTurn = true;
        if (!s.hands[s.toMove]) {
            ChargeCardsLeft(s);
            return;
        }
    }
    PassWhileStuck(s);
}

void Apply(TStav &s, TCard m)
{
    if (IsTrickContract(s.contract)) ApplyTrick(s, m);
    else if (s.contract == Kvarty) ApplyKvarty(s, m);
    else ApplyDesitky(s, m);
}

// --- how every seat plays in a sampled deal: quick rules of thumb, each from its own hand ---

// The card of a set picked by a random tie-break among those that score best.
template <typename F> TCard Best(TMask cards, TRng &rng, F score)
{
    TCard best = NoCard;
    int bestScore = 0, ties = 0;
    for (TMask m = cards; m; m &= m - 1) {
        const TCard c = LowestIn(m);
        const int v = score(c);
        if (best == NoCard || v > bestScore) {
            best = c;
            bestScore = v;
            ties = 1;
        } else if (v == bestScore && rng.Below(++ties) == 0) {
            best = c;
        }
    }
    return best;
}

// The cards that cost points when taken in a trick.
TMask PenaltyCards(int contract)
{
    switch (contract) {
    case Cervene: return RedCards;
    case Filky: return Bit(5) | Bit(13) | Bit(21) | Bit(29);
    case CervenyKral: return Bit(6);
    default: return 0;
    }
}

TCard TrickPolicy(const TStav &s, TMask legal, TRng &rng)
{
    const TMask penalty = PenaltyCards(s.contract);
    const int position = s.play % 4;
    if (position == 0)  // lead low, and no penalty card while another will do
        return Best(legal, rng, [&](TCard c) { return -Rank(c) - ((Bit(c) & penalty) ? 8 : 0); });
    const TCard led = s.trick[s.leader];
    TCard top = led;
    for (TCard c : s.trick)
        if (c != NoCard && Suit(c) == Suit(led) && c > top) top = c;
    const TMask suit = legal & SuitMask(Suit(led));
    if (!suit)  // discard: a penalty card first, else the highest card
        return Best(legal, rng, [&](TCard c) { return Rank(c) + ((Bit(c) & penalty) ? 16 : 0); });
    const TMask under = suit & (Bit(top) - 1);
    if (under)  // stay under the trick's best card, as high as possible, a penalty card gladly
        return Best(under, rng, [&](TCard c) { return Rank(c) + ((Bit(c) & penalty) ? 16 : 0); });
    if (position == 3)  // the trick is ours anyway: take it with the highest card that costs nothing
        return Best(suit, rng, [&](TCard c) { return Rank(c) - ((Bit(c) & penalty) ? 16 : 0); });
    return Best(suit, rng, [&](TCard c) { return -Rank(c) - ((Bit(c) & penalty) ? 16 : 0); });
}

// Kvarty: the lead that sheds most of the leader's own cards, keeping the lead where it can.
TCard KvartyPolicy(const TStav &s, TMask legal, TRng &rng)
{
    return Best(legal, rng, [&](TCard c) {
        TStav t = s;
        ApplyKvarty(t, c);
        return 2 * (CardsIn(s.hands[s.toMove]) - CardsIn(t.hands[s.toMove])) + (t.toMove == s.toMove ? 1 : 0);
    });
}

// Desítky: as "střední" plays, the card with most of its suit close by; the turn ends unless
// the rest of the hand can follow by itself.
TCard DesitkyPolicy(const TStav &s, TMask legal, bool mayEnd, TRng &rng)
{
    const TMask hand = s.hands[s.toMove];
    if (mayEnd && !KeepsTurn(hand, s.played)) return KonecTahu;
    return Best(legal, rng, [&](TCard c) { return DesitkyPreference(c, hand); });
}

TCard Policy(const TStav &s, TRng &rng)
{
    bool mayEnd;
    const TMask legal = StateMoves(s, mayEnd);
    if (IsTrickContract(s.contract)) return TrickPolicy(s, legal, rng);
    if (s.contract == Kvarty) return KvartyPolicy(s, legal, rng);
    return DesitkyPolicy(s, legal, mayEnd, rng);
}

void PlayOut(TStav &s, TRng &rng)
{
    while (!s.over) Apply(s, Policy(s, rng));
}

// What the end of a contract costs a seat. In a Maturita the chooser pays for any point at all,
// and the others gain from its failure, which takes their own points away too.
int Cost(const TStav &s, int seat, int chooser)
{
    if (chooser < 0) return s.points[seat];
    const bool failed = s.points[chooser] > 0;
    if (seat == chooser) return failed ? 1 : 0;
    return failed ? 0 : 1 + s.points[seat];
}

// Deals the cards the seat cannot see to the other hands, each hand its size, and no card to a
// hand that has shown it lacks it. The most constrained cards go first; where the constraints
// still meet a dead end, the deal is tried again, and at last made without them.
TStav SampleWorld(const TPohled &v, TRng &rng)
{
    TStav s{};
    s.contract = v.contract;
    s.played = v.played;
    std::copy(v.trick, v.trick + 4, s.trick);
    std::copy(v.points, v.points + 4, s.points);
    s.leader = v.leader;
    s.play = v.play;
    s.toMove = v.seat;
    s.playedThisTurn = v.playedThisTurn;
    const TMask unseen = ~(v.hand | v.played);
    TCard cards[32];
    int n = 0;
    for (TMask m = unseen; m; m &= m - 1) cards[n++] = LowestIn(m);
    for (int attempt = 0; attempt < 24; ++attempt) {
        const bool constrained = attempt < 23;
        for (int i = n - 1; i > 0; --i) std::swap(cards[i], cards[rng.Below(i + 1)]);
        auto holders = [&](TCard c) {
            int k = 0;
            for (int p = 0; p < 4; ++p) k += p != v.seat && !(constrained && (v.lacks[p] & Bit(c)));
            return k;
        };
        std::stable_sort(cards, cards + n, [&](TCard a, TCard b) { return holders(a) < holders(b); });
        int need[4];
        for (int p = 0; p < 4; ++p) {
            need[p] = p == v.seat ? 0 : v.counts[p];
            s.hands[p] = p == v.seat ? v.hand : 0;
        }
        bool ok = true;
        for (int i = 0; i < n && ok; ++i) {
            const TCard c = cards[i];
            int room = 0;
            for (int p = 0; p < 4; ++p)
                if (need[p] > 0 && !(constrained && (v.lacks[p] & Bit(c)))) room += need[p];
            if (room == 0) {
                ok = false;
                break;
            }
            // A hand is picked in proportion to the cards it still needs: every deal alike likely.
            int pick = rng.Below(room);
            for (int p = 0; p < 4; ++p) {
                if (need[p] <= 0 || (constrained && (v.lacks[p] & Bit(c)))) continue;
                if (pick < need[p]) {
                    s.hands[p] |= Bit(c);
                    --need[p];
                    break;
                }
                pick -= need[p];
            }
        }
        if (ok) break;
    }
    return s;
}

// Runs work(part) for parts 0 and 1, the second on a thread of its own where the machine has
// another core; each part's result depends only on its number, not on the threads.
template <typename F> void OnBothCores(F work)
{
    if (std::thread::hardware_concurrency() < 2) {
        work(0);
        work(1);
        return;
    }
    std::thread helper(work, 1);
    work(0);
    helper.join();
}

int DefaultDeals(const TPohled &v, int moves)
{
    // About the same number of played-out deals for every decision, shorter ones late in a contract.
    const int cardsLeft = CardsIn(~v.played);
    return std::clamp(16000 / moves * 32 / std::max(cardsLeft, 8), 200, 4000);
}

}  // namespace

bool operator==(const TPohled &a, const TPohled &b)
{
    return a.contract == b.contract && a.seat == b.seat && a.hand == b.hand && a.played == b.played &&
           std::equal(a.lacks, a.lacks + 4, b.lacks) && std::equal(a.counts, a.counts + 4, b.counts) &&
           std::equal(a.points, a.points + 4, b.points) && std::equal(a.trick, a.trick + 4, b.trick) &&
           a.leader == b.leader && a.play == b.play && a.playedThisTurn == b.playedThisTurn &&
           a.chooser == b.chooser && a.deals == b.deals;
}

TMask LegalMoves(const TPohled &view, bool &mayEnd) { return Moves(view, view.hand, mayEnd); }

TCard Rozhodni(const TPohled &view, std::uint64_t seed, const std::atomic<bool> *cancel)
{
    bool mayEnd;
    const TMask legal = LegalMoves(view, mayEnd);
    TCard moves[9];
    int count = 0;
    for (TMask m = legal; m; m &= m - 1) moves[count++] = LowestIn(m);
    if (mayEnd) moves[count++] = KonecTahu;
    // A view of a seat that is not on move in its trick has nothing to think about.
    const bool onMove = !IsTrickContract(view.contract) ||
                        (view.seat == (view.leader + view.play % 4) % 4 && (view.play % 4 == 0) == (view.trick[view.leader] == NoCard));
    if (count <= 1 || !onMove) return count ? moves[0] : NoCard;

    const int deals = view.deals > 0 ? view.deals : DefaultDeals(view, count);
    long long sums[2][9] = {};
    OnBothCores([&](int part) {
        for (int w = part; w < deals; w += 2) {
            if (cancel && cancel->load(std::memory_order_relaxed)) return;
            TRng rng(Mix(seed, std::uint64_t(w)));
            const TStav world = SampleWorld(view, rng);
            const std::uint64_t playSeed = rng.Next();
            for (int i = 0; i < count; ++i) {
                // Every move is played out with the same draws, so the moves differ by themselves.
                TRng play(playSeed);
                TStav s = world;
                Apply(s, moves[i]);
                PlayOut(s, play);
                sums[part][i] += Cost(s, view.seat, view.chooser);
            }
        }
    });
    int best = 0;
    for (int i = 1; i < count; ++i)
        if (sums[0][i] + sums[1][i] < sums[0][best] + sums[1][best]) best = i;
    return moves[best];
}

int VyberMaturitu(TMask hand, int seat, const int *offered, int count, std::uint64_t seed,
                  const std::atomic<bool> *cancel)
{
    constexpr int deals = 600;
    int clean[2][8] = {};
    OnBothCores([&](int part) {
        for (int w = part; w < deals; w += 2) {
            if (cancel && cancel->load(std::memory_order_relaxed)) return;
            TRng rng(Mix(seed, std::uint64_t(w)));
            TPohled v;
            v.seat = seat;
            v.hand = hand;
            for (int p = 0; p < 4; ++p) v.counts[p] = 8;
            v.leader = seat;
            const TStav world = SampleWorld(v, rng);
            const std::uint64_t playSeed = rng.Next();
            for (int i = 0; i < count && i < 8; ++i) {
                TRng play(playSeed);
                TStav s = world;
                s.contract = offered[i];
                if (s.contract == Desitky) PassWhileStuck(s);
                PlayOut(s, play);
                clean[part][i] += s.points[seat] == 0;
            }
        }
    });
    int best = 0;
    for (int i = 1; i < count && i < 8; ++i)
        if (clean[0][i] + clean[1][i] > clean[0][best] + clean[1][best]) best = i;
    return offered[best];
}
