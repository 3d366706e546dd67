// Exact range equity: every completion of the board, and per board every
// card-disjoint assignment of the seats' combos, weighted by the product of
// their weights. Boards that a suit permutation keeping the known cards and
// every range in place maps onto each other give the same sums, so one board
// per such class is visited, weighted by the size of its class.
#include "odds/ExactOdds.h"
#include "range/BoardVisitor.h"
#include "range/EquityDetail.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace quillory::equity {

namespace {

// The suit permutations that keep the board, the dead cards and every seat's
// weights as they are (the identity first).
std::vector<SuitPermutation> Symmetries(const Prepared& p, const EquityRequest& request) {
    std::vector<SuitPermutation> group;
    SuitPermutation perm{0, 1, 2, 3};
    do {
        bool keeps =
            Permute(p.boardMask, perm) == p.boardMask && Permute(p.deadMask, perm) == p.deadMask;
        for (std::size_t s = 0; keeps && s < request.seats.size(); ++s) {
            const HandRange& range = request.seats[s];
            for (int combo = 0; keeps && combo < kComboCount; ++combo) {
                const ComboCards c = CardsOfCombo(combo);
                keeps = range.Weight(combo) == range.Weight(ComboIndex(PermuteCard(c.low, perm),
                                                                       PermuteCard(c.high, perm)));
            }
        }
        if (keeps) {
            group.push_back(perm);
        }
    } while (std::next_permutation(perm.begin(), perm.end()));
    return group;
}

// The cards a board completion draws from, in increasing order.
std::vector<int> FreeCards(const Prepared& p) {
    std::vector<int> cards;
    for (int c = 0; c < kDeckSize; ++c) {
        if ((p.Taken() & CardBit(c)) == 0) {
            cards.push_back(c);
        }
    }
    return cards;
}

double Choose(int n, int k) {
    double r = 1.0;
    for (int i = 0; i < k; ++i) {
        r = r * (n - i) / (i + 1);
    }
    return r;
}

// Every completion whose first free card is `cards[first]`, or the one empty
// completion when the board is known.
void VisitChunk(const Prepared& p, const std::vector<int>& cards, std::size_t first,
                BoardVisitor& visitor, Tally& tally) {
    const int missing = 5 - p.known;
    std::array<std::size_t, 5> at{};
    std::array<HandMasks, 6> hands{};
    std::array<CardMask, 6> masks{};
    hands[0] = p.boardHand;
    if (missing == 0) {
        visitor.Visit(0, hands[0], tally);
        return;
    }
    // An odometer over increasing positions with the first one fixed.
    int depth = 0;
    at[0] = first;
    while (depth >= 0) {
        const std::size_t d = static_cast<std::size_t>(depth);
        if (at[d] >= cards.size() || (depth == 0 && at[0] != first)) {
            --depth;
            if (depth >= 0) {
                ++at[static_cast<std::size_t>(depth)];
            }
            continue;
        }
        hands[d + 1] = hands[d] + kCardMasks[static_cast<std::size_t>(cards[at[d]])];
        masks[d + 1] = masks[d] | CardBit(cards[at[d]]);
        if (depth + 1 == missing) {
            visitor.Visit(masks[d + 1], hands[d + 1], tally);
            ++at[d];
        } else {
            at[d + 1] = at[d] + 1;
            ++depth;
        }
    }
}

// Heads-up, one hand against random cards, no dead cards: the counting of
// odds/ExactOdds.h, whose ties are always a pot split in two.
bool HandAgainstRandom(const Prepared& p, const EquityRequest& request, EquityResults& out) {
    if (p.seats != 2 || p.deadMask != 0 || p.lists[0].combo.size() != 1 || !p.lists[1].random ||
        request.seats[0].ComboCount() != 1) {
        return false;
    }
    const ComboCards hole = CardsOfCombo(p.lists[0].combo[0]);
    BoardCards board{};
    for (int i = 0; i < p.known; ++i) {
        board[static_cast<std::size_t>(i)] = CardAtFreshIndex(p.board[static_cast<std::size_t>(i)]);
    }
    ExactOdds odds;
    EnumerateExactOdds(CardAtFreshIndex(hole.low), CardAtFreshIndex(hole.high), p.known, board, 2,
                       odds, request.threads);
    const double n = static_cast<double>(odds.showdowns);
    out = EquityResults{};
    out.seats = 2;
    out.method = EquityMethod::Exact;
    out.showdowns = static_cast<std::int64_t>(odds.showdowns);
    out.winAlone[0] = static_cast<double>(odds.winsAlone) / n;
    out.tie[0] = out.tie[1] = static_cast<double>(odds.ties) / n;
    out.winAlone[1] = 1.0 - out.winAlone[0] - out.tie[0];
    out.equity[0] = out.winAlone[0] + out.tie[0] / 2.0;
    out.equity[1] = 1.0 - out.equity[0];
    out.among0 = out.winAlone[0] + out.tie[0];
    out.progress = 1.0;
    return true;
}

} // namespace

double ExactSeconds(const Prepared& p, const EquityRequest& request) {
    if (p.seats == 2 && p.deadMask == 0 && p.lists[0].combo.size() == 1 && p.lists[1].random) {
        BoardCards board{};
        for (int i = 0; i < p.known; ++i) {
            board[static_cast<std::size_t>(i)] =
                CardAtFreshIndex(p.board[static_cast<std::size_t>(i)]);
        }
        const ComboCards hole = CardsOfCombo(p.lists[0].combo[0]);
        return ExactSecondsEstimate(CardAtFreshIndex(hole.low), CardAtFreshIndex(hole.high),
                                    p.known, board, 2);
    }
    if (PreflopTableApplies(p)) {
        return PreflopTableSeconds(p);
    }
    // Boards visited (fewer where suits are symmetric), and per board the
    // evaluations of every listed combo and the assignments tried.
    const double boards = Choose(kDeckSize - std::popcount(p.Taken()), 5 - p.known);
    double evaluations = 0.0;
    double assignments = 1.0;
    for (const SeatList& list : p.lists) {
        evaluations += static_cast<double>(list.combo.size());
        assignments *= static_cast<double>(list.combo.size());
    }
    const auto symmetry = static_cast<double>(Symmetries(p, request).size());
    return boards * (100.0e-9 + (evaluations * 4.0e-9 + assignments * 1.5e-9) / symmetry);
}

void RunExact(const Prepared& p, const EquityRequest& request, const EquityControl& control,
              EquityResults& out) {
    if (HandAgainstRandom(p, request, out)) {
        return;
    }
    if (PreflopTableApplies(p)) {
        RunPreflopTable(p, out);
        return;
    }
    const std::vector<SuitPermutation> group = Symmetries(p, request);
    const std::vector<int> cards = FreeCards(p);
    const std::size_t chunks = p.known == 5 ? 1 : cards.size();
    std::vector<Tally> tallies(chunks);
    std::vector<char> done(chunks, 0);
    std::atomic<std::size_t> next{0};
    std::mutex lock;
    std::size_t finished = 0;
    auto lastReport = std::chrono::steady_clock::now();
    auto work = [&](bool reporter) {
        BoardVisitor visitor(p, group);
        while (!(control.stop != nullptr && control.stop->load(std::memory_order_relaxed))) {
            const std::size_t c = next.fetch_add(1);
            if (c >= chunks) {
                break;
            }
            Tally tally;
            VisitChunk(p, cards, c, visitor, tally);
            std::lock_guard guard(lock);
            tallies[c] = tally;
            done[c] = 1;
            ++finished;
            const auto now = std::chrono::steady_clock::now();
            if (reporter && control.progress &&
                std::chrono::duration<double>(now - lastReport).count() >=
                    control.progressSeconds) {
                lastReport = now;
                Tally sum;
                for (std::size_t i = 0; i < chunks; ++i) {
                    if (done[i] != 0) {
                        sum.Add(tallies[i]);
                    }
                }
                EquityResults partial = ResultsOf(sum, p.seats, EquityMethod::Exact);
                partial.progress = static_cast<double>(finished) / static_cast<double>(chunks);
                control.progress(partial);
            }
        }
    };
    std::vector<std::thread> workers;
    const int threads = std::clamp(request.threads, 1, static_cast<int>(chunks));
    for (int w = 1; w < threads; ++w) {
        workers.emplace_back(work, false);
    }
    work(true);
    for (std::thread& worker : workers) {
        worker.join();
    }
    // Summed in chunk order, so the rounding is the same for every thread count.
    Tally sum;
    for (std::size_t i = 0; i < chunks; ++i) {
        if (done[i] != 0) {
            sum.Add(tallies[i]);
        }
    }
    out = ResultsOf(sum, p.seats, EquityMethod::Exact);
    out.progress = static_cast<double>(finished) / static_cast<double>(chunks);
    out.stopped = finished < chunks;
}

} // namespace quillory::equity
