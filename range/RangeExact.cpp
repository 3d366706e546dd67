// Exact range equity: every completion of the board, and per board every
// card-disjoint assignment of the seats' combos, weighted by the product of
// their weights. Boards that a suit permutation keeping the known cards and
// every range in place maps onto each other give the same sums, so one board
// per such class is visited, weighted by the size of its class.
#include "odds/ExactOdds.h"
#include "range/EquityDetail.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace quillory::equity {

namespace {

using SuitPermutation = std::array<int, kSuits>;
constexpr CardMask kSuitCards = 0x1111111111111ULL; // suit 0 of every rank

CardMask Permute(CardMask mask, const SuitPermutation& perm) {
    CardMask out = 0;
    for (int s = 0; s < kSuits; ++s) {
        out |= ((mask >> s) & kSuitCards) << perm[static_cast<std::size_t>(s)];
    }
    return out;
}

int PermuteCard(int card, const SuitPermutation& perm) {
    return 4 * (card / 4) + perm[static_cast<std::size_t>(card % 4)];
}

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

// One worker's scratch: per seat the combos a board leaves, with ordinals.
class BoardVisitor {
public:
    BoardVisitor(const Prepared& p, const std::vector<SuitPermutation>& group)
        : m_p(p), m_group(group), m_eval(GetEvalTables()),
          m_live(static_cast<std::size_t>(p.seats)) {}

    void Visit(CardMask completion, const HandMasks& board, Tally& tally) {
        int fixed = 1;
        for (std::size_t g = 1; g < m_group.size(); ++g) {
            const CardMask image = Permute(completion, m_group[g]);
            if (image < completion) {
                return; // another board of the class is visited instead
            }
            fixed += image == completion ? 1 : 0;
        }
        m_orbit = static_cast<std::int64_t>(m_group.size()) / fixed;
        const auto orbit = static_cast<double>(m_orbit);
        const CardMask full = completion | m_p.boardMask;
        for (int s = 0; s < m_p.seats; ++s) {
            const SeatList& list = m_p.lists[static_cast<std::size_t>(s)];
            Live& live = m_live[static_cast<std::size_t>(s)];
            live.clear();
            for (std::size_t i = 0; i < list.mask.size(); ++i) {
                if ((list.mask[i] & full) == 0) {
                    live.push_back(
                        {list.mask[i], (board + list.hand[i]).Ordinal(m_eval), list.weight[i]});
                }
            }
        }
        if (m_p.seats == 2) {
            HeadsUp(orbit, tally);
        } else {
            Assign(0, full, orbit, tally);
        }
    }

private:
    struct Entry {
        CardMask mask;
        HandOrdinal ordinal;
        float weight;
    };
    using Live = std::vector<Entry>;

    // Two seats: every disjoint pair of combos compared directly, summed
    // locally and added once.
    void HeadsUp(double orbit, Tally& tally) {
        double first = 0.0;
        double second = 0.0;
        double tied = 0.0;
        std::int64_t pairs = 0;
        for (const Entry& a : m_live[0]) {
            double above = 0.0;
            double below = 0.0;
            double level = 0.0;
            for (const Entry& b : m_live[1]) {
                const bool apart = (a.mask & b.mask) == 0;
                const double w = apart ? b.weight : 0.0;
                pairs += apart ? 1 : 0;
                above += a.ordinal > b.ordinal ? w : 0.0;
                below += a.ordinal < b.ordinal ? w : 0.0;
                level += a.ordinal == b.ordinal ? w : 0.0;
            }
            first += a.weight * above;
            second += a.weight * below;
            tied += a.weight * level;
        }
        first *= orbit;
        second *= orbit;
        tied *= orbit;
        tally.winAlone[0] += first;
        tally.winAlone[1] += second;
        tally.tie[0] += tied;
        tally.tie[1] += tied;
        tally.equity[0] += first + tied / 2.0;
        tally.equity[1] += second + tied / 2.0;
        tally.total += first + second + tied;
        tally.showdowns += pairs * m_orbit;
    }

    void Assign(int seat, CardMask used, double weight, Tally& tally) {
        if (seat == m_p.seats - 1) {
            Last(used, weight, tally);
            return;
        }
        for (const Entry& e : m_live[static_cast<std::size_t>(seat)]) {
            if ((e.mask & used) == 0) {
                m_ordinal[static_cast<std::size_t>(seat)] = e.ordinal;
                Assign(seat + 1, used | e.mask, weight * e.weight, tally);
            }
        }
    }

    // The last seat's combos against the best hand of the seats before it:
    // the weights where it is above, level with or below that hand are summed
    // first and shared out once.
    void Last(CardMask used, double weight, Tally& tally) {
        const int last = m_p.seats - 1;
        HandOrdinal best = 0;
        for (int s = 0; s < last; ++s) {
            best = std::max(best, m_ordinal[static_cast<std::size_t>(s)]);
        }
        int sharing = 0;
        for (int s = 0; s < last; ++s) {
            sharing += m_ordinal[static_cast<std::size_t>(s)] == best ? 1 : 0;
        }
        double above = 0.0;
        double level = 0.0;
        double below = 0.0;
        std::int64_t count = 0;
        for (const Entry& e : m_live[static_cast<std::size_t>(last)]) {
            const double w = (e.mask & used) == 0 ? e.weight : 0.0;
            count += (e.mask & used) == 0 ? 1 : 0;
            above += e.ordinal > best ? w : 0.0;
            level += e.ordinal == best ? w : 0.0;
            below += e.ordinal < best ? w : 0.0;
        }
        above *= weight;
        level *= weight;
        below *= weight;
        const auto l = static_cast<std::size_t>(last);
        tally.winAlone[l] += above;
        tally.equity[l] += above + level / (sharing + 1);
        tally.tie[l] += level;
        for (std::size_t s = 0; s < l; ++s) {
            if (m_ordinal[s] == best) {
                (sharing == 1 ? tally.winAlone : tally.tie)[s] += below;
                tally.tie[s] += level;
                tally.equity[s] += below / sharing + level / (sharing + 1);
            }
        }
        tally.total += above + level + below;
        tally.showdowns += count * m_orbit;
    }

    const Prepared& m_p;
    const std::vector<SuitPermutation>& m_group;
    const EvalTables& m_eval;
    std::vector<Live> m_live;
    std::array<HandOrdinal, kMaxRangeSeats> m_ordinal{};
    std::int64_t m_orbit{1};
};

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
