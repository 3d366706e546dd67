// Monte Carlo range equity. Each trial draws the ranged seats' combos from
// their weights and starts over from the first ranged seat when two of them
// share a card (or one meets a known card): accepting only whole disjoint
// assignments samples them in proportion to the product of the weights, as
// the deal requires. Redrawing only the seat that collided would favour
// combos that rarely collide, the classic bias. The first two ranged seats
// are drawn together from a table of their disjoint pairs weighted by the
// product (the same distribution, without the rejections between them).
// Seats holding random cards and the unknown board cards are then dealt
// uniformly from the cards left, which is the same distribution, since their
// number of ways to be dealt is the same for every assignment of the ranged
// seats.
#include "platform/TickCount.h"
#include "range/RangeDraw.h"

#include <chrono>
#include <mutex>
#include <thread>

namespace quillory::equity {

namespace {

struct Sampler {
    const Prepared& p;
    std::vector<DrawUnit> units;
    std::array<FlatUnit, kMaxRangeSeats> flat{};
    std::size_t count{0};
    std::array<int, kMaxRangeSeats> random{};
    int randomCount{0};
    CardMask taken{0};
    const EvalTables& eval = GetEvalTables();

    explicit Sampler(const Prepared& prepared) : p(prepared), taken(prepared.Taken()) {
        std::vector<int> ranged;
        for (int s = 0; s < p.seats; ++s) {
            if (p.lists[static_cast<std::size_t>(s)].random) {
                random[static_cast<std::size_t>(randomCount++)] = s;
            } else {
                ranged.push_back(s);
            }
        }
        std::size_t next = 0;
        if (ranged.size() >= 2) {
            DrawUnit pair = PairUnit(p.lists[static_cast<std::size_t>(ranged[0])], ranged[0],
                                     p.lists[static_cast<std::size_t>(ranged[1])], ranged[1]);
            if (pair.width == 2) {
                units.push_back(std::move(pair));
                next = 2;
            }
        }
        for (; next < ranged.size(); ++next) {
            const int s = ranged[next];
            units.push_back(SingleUnit(p.lists[static_cast<std::size_t>(s)], s));
        }
        count = units.size();
        for (std::size_t u = 0; u < count; ++u) {
            const DrawUnit& unit = units[u];
            flat[u] = FlatUnit{unit.mask.data(),
                               {unit.hand[0].data(), unit.hand[1].data()},
                               unit.table.threshold.data(),
                               unit.table.alias.data(),
                               static_cast<std::uint32_t>(unit.mask.size()),
                               unit.seat,
                               unit.width};
        }
    }

    // Two ranged seats dealt as one pair and nothing else: the trial of
    // Trial() written out, for the most common request.
    bool HeadsUpPair() const { return count == 1 && flat[0].width == 2 && randomCount == 0; }

    void TrialHeadsUp(RandomStream& stream, HandOrdinal& first, HandOrdinal& second) const {
        const FlatUnit& unit = flat[0];
        const std::uint32_t i = unit.Draw(stream.Next64());
        CardMask used = taken | unit.mask[i];
        CardDealer dealer(stream);
        HandMasks board = p.boardHand;
        for (int c = p.known; c < 5; ++c) {
            board = board + kCardMasks[static_cast<std::size_t>(dealer.Deal(used))];
        }
        first = (board + unit.hand[0][i]).Ordinal(eval);
        second = (board + unit.hand[1][i]).Ordinal(eval);
    }

    // One trial: the seats' ordinals at the showdown into `ordinal`.
    void Trial(RandomStream& stream, HandOrdinal* ordinal) const {
        std::uint32_t chosen[kMaxRangeSeats];
        CardMask used = taken;
        for (std::size_t u = 0; u < count;) {
            const FlatUnit& unit = flat[u];
            const std::uint32_t i = unit.Draw(stream.Next64());
            if ((unit.mask[i] & used) != 0) {
                used = taken; // the whole assignment is drawn again
                u = 0;
                continue;
            }
            used |= unit.mask[i];
            chosen[u++] = i;
        }
        // The unknown board cards, then two cards per random seat.
        CardDealer dealer(stream);
        HandMasks board = p.boardHand;
        for (int c = p.known; c < 5; ++c) {
            board = board + kCardMasks[static_cast<std::size_t>(dealer.Deal(used))];
        }
        for (std::size_t u = 0; u < count; ++u) {
            const FlatUnit& unit = flat[u];
            ordinal[unit.seat[0]] = (board + unit.hand[0][chosen[u]]).Ordinal(eval);
            if (unit.width == 2) {
                ordinal[unit.seat[1]] = (board + unit.hand[1][chosen[u]]).Ordinal(eval);
            }
        }
        for (int r = 0; r < randomCount; ++r) {
            const int first = dealer.Deal(used);
            const int second = dealer.Deal(used);
            ordinal[random[static_cast<std::size_t>(r)]] =
                OrdinalWithTwo(board, first, second, eval);
        }
    }
};

// A block's sums in whole numbers: a pot is kPotUnits, split evenly among up
// to ten winners, so the sums are exact and the same in any order.
constexpr std::int64_t kPotUnits = 2520;
constexpr std::array<std::int64_t, kMaxRangeSeats + 1> kShare = {0,   2520, 1260, 840, 630, 504,
                                                                 420, 360,  315,  280, 252};

//
// During a block only the set of winners of each trial is counted (one
// counter per set of seats); the per-seat sums follow from those counts once
// per block, in ToTally.
struct BlockSums {
    int seats{0};
    std::int64_t* winners{nullptr}; // by bit set of seats, 2^seats counters

    // `counters` has room for 2^seatCount counters; they are set to 0.
    BlockSums(int seatCount, std::vector<std::int64_t>& counters) : seats(seatCount) {
        counters.assign(std::size_t{1} << seatCount, 0);
        winners = counters.data();
    }

    void Score(const HandOrdinal* ordinal) {
        HandOrdinal best = 0;
        for (int s = 0; s < seats; ++s) {
            best = std::max(best, ordinal[s]);
        }
        unsigned set = 0;
        for (int s = 0; s < seats; ++s) {
            set |= (ordinal[s] == best ? 1U : 0U) << s;
        }
        ++winners[set];
    }

    Tally ToTally() const {
        std::array<std::int64_t, kMaxRangeSeats> winAlone{};
        std::array<std::int64_t, kMaxRangeSeats> tie{};
        std::array<std::int64_t, kMaxRangeSeats> units{};
        std::int64_t squares0 = 0; // seat 0's units squared
        std::int64_t among0 = 0;
        std::int64_t trials = 0;
        for (unsigned set = 1; set < (1U << seats); ++set) {
            const std::int64_t count = winners[set];
            const auto sharing = static_cast<std::size_t>(std::popcount(set));
            const std::int64_t share = kShare[sharing];
            for (int s = 0; s < seats; ++s) {
                if ((set >> s) & 1U) {
                    (sharing == 1 ? winAlone : tie)[static_cast<std::size_t>(s)] += count;
                    units[static_cast<std::size_t>(s)] += count * share;
                }
            }
            if ((set & 1U) != 0) {
                squares0 += count * share * share;
                among0 += count;
            }
            trials += count;
        }
        Tally t;
        t.total = static_cast<double>(trials);
        for (std::size_t s = 0; s < kMaxRangeSeats; ++s) {
            t.winAlone[s] = static_cast<double>(winAlone[s]);
            t.tie[s] = static_cast<double>(tie[s]);
            t.equity[s] = static_cast<double>(units[s]) / kPotUnits;
        }
        t.equity0Squares = static_cast<double>(squares0) / (kPotUnits * kPotUnits);
        t.showdowns = trials;
        t.among0 = among0;
        return t;
    }
};

// The blocks done so far, merged in block order, so that the results and the
// point of stopping at a standard-error target do not depend on the threads.
struct BlockMerger {
    std::mutex lock;
    std::vector<Tally> blocks;
    std::vector<char> done;
    std::size_t merged{0};
    Tally sum;
    bool reached{false}; // the target was met by the merged prefix
};

// Runs `trials` trials drawn in order from `stream` into `sums`.
void SampleBlock(const Sampler& sampler, RandomStream& stream, std::int64_t trials,
                 BlockSums& sums) {
    HandOrdinal ordinal[kMaxRangeSeats];
    if (!sampler.HeadsUpPair()) {
        for (std::int64_t t = 0; t < trials; ++t) {
            sampler.Trial(stream, ordinal);
            sums.Score(ordinal);
        }
        return;
    }
    // Seat 0 loses, ties or wins.
    std::array<std::int64_t, 3> outcome{};
    for (std::int64_t t = 0; t < trials; ++t) {
        sampler.TrialHeadsUp(stream, ordinal[0], ordinal[1]);
        ++outcome[static_cast<std::size_t>((ordinal[0] > ordinal[1]) - (ordinal[0] < ordinal[1]) +
                                           1)];
    }
    sums.winners[2] += outcome[0];
    sums.winners[3] += outcome[1];
    sums.winners[1] += outcome[2];
}

} // namespace

void RunSampled(const Prepared& prepared, const EquityRequest& request,
                const EquityControl& control, EquityResults& out) {
    const Sampler sampler(prepared);
    const std::int64_t trials = std::max<std::int64_t>(request.trials, 1);
    const std::int64_t blockCount = (trials + kEquityBlockTrials - 1) / kEquityBlockTrials;
    BlockMerger merger;
    merger.blocks.resize(static_cast<std::size_t>(blockCount));
    merger.done.assign(static_cast<std::size_t>(blockCount), 0);
    std::atomic<std::int64_t> next{0};
    std::atomic<bool> halt{false};
    auto lastReport = std::chrono::steady_clock::now();

    auto work = [&](bool reporter) {
        std::vector<std::int64_t> counters;
        while (!halt.load(std::memory_order_relaxed) &&
               !(control.stop != nullptr && control.stop->load(std::memory_order_relaxed))) {
            const std::int64_t b = next.fetch_add(1);
            if (b >= blockCount) {
                break;
            }
            BlockSums sums(prepared.seats, counters);
            RandomStream stream(SeedSource::SeedOf(request.seed, b));
            const std::int64_t end = std::min(trials, (b + 1) * kEquityBlockTrials);
            SampleBlock(sampler, stream, end - b * kEquityBlockTrials, sums);
            const Tally tally = sums.ToTally();
            std::unique_lock guard(merger.lock);
            merger.blocks[static_cast<std::size_t>(b)] = tally;
            merger.done[static_cast<std::size_t>(b)] = 1;
            while (!merger.reached && merger.merged < merger.done.size() &&
                   merger.done[merger.merged] != 0) {
                merger.sum.Add(merger.blocks[merger.merged++]);
                if (request.targetStdError > 0.0 &&
                    ResultsOf(merger.sum, prepared.seats, EquityMethod::Sampled).equityStdError <=
                        request.targetStdError) {
                    merger.reached = true;
                    halt = true;
                }
            }
            if (reporter && control.progress) {
                const auto now = std::chrono::steady_clock::now();
                if (std::chrono::duration<double>(now - lastReport).count() >=
                    control.progressSeconds) {
                    lastReport = now;
                    EquityResults partial =
                        ResultsOf(merger.sum, prepared.seats, EquityMethod::Sampled);
                    partial.progress =
                        static_cast<double>(merger.merged) / static_cast<double>(blockCount);
                    guard.unlock();
                    control.progress(partial);
                }
            }
        }
    };
    std::vector<std::thread> workers;
    const std::int64_t threads = std::clamp<std::int64_t>(request.threads, 1, blockCount);
    for (std::int64_t w = 1; w < threads; ++w) {
        workers.emplace_back(work, false);
    }
    work(true);
    for (std::thread& worker : workers) {
        worker.join();
    }
    out = ResultsOf(merger.sum, prepared.seats, EquityMethod::Sampled);
    out.progress =
        merger.reached ? 1.0 : static_cast<double>(merger.merged) / static_cast<double>(blockCount);
    out.stopped = !merger.reached && merger.merged < merger.done.size();
}

} // namespace quillory::equity
