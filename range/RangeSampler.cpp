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
#include "range/BlockSums.h"
#include "range/RangeDraw.h"
#include "range/UnitDeal.h"

#include <chrono>
#include <mutex>
#include <optional>
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
    std::optional<UnitDeal> unitDeal; // one draw unit and at most two random seats

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
        if (count == 1 && randomCount <= 2) {
            unitDeal.emplace(units[0], taken, p.boardHand);
        }
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

// Runs `trials` trials of the unit deal (a unit of `Width` seats, `Dealt`
// board cards to deal, `Random` random seats) into `sums`. The trial's
// ordinals and the sets of winners are in the deal's order (the unit's seats,
// then the random seats) and are counted on the stack, then added to the
// seats' sets once per block. (With the counters on the heap, a layout where
// each trial's store held up the next trial's table loads made the
// three-seat flop trial 1.4 times slower.)
template <int Width, int Dealt, int Random>
void UnitBlock(const Sampler& sampler, RandomStream& stream, std::int64_t trials, BlockSums& sums) {
    constexpr int kSeats = Width + Random;
    const UnitDeal& deal = *sampler.unitDeal;
    HandOrdinal ordinal[kSeats];
    std::array<std::int64_t, std::size_t{1} << kSeats> winners{};
    if constexpr (kSeats == 2) {
        // The first loses, ties or wins: the sets {1}, {0, 1}, {0}.
        std::array<std::int64_t, 3> outcome{};
        for (std::int64_t t = 0; t < trials; ++t) {
            deal.Trial<Width, Dealt, Random>(stream, ordinal);
            ++outcome[static_cast<std::size_t>((ordinal[0] > ordinal[1]) -
                                               (ordinal[0] < ordinal[1]) + 1)];
        }
        winners = {0, outcome[2], outcome[0], outcome[1]};
    } else {
        BlockSums local(kSeats, winners.data());
        for (std::int64_t t = 0; t < trials; ++t) {
            deal.Trial<Width, Dealt, Random>(stream, ordinal);
            local.Score<kSeats>(ordinal);
        }
    }
    std::array<int, kSeats> seatOf{};
    for (int k = 0; k < kSeats; ++k) {
        seatOf[static_cast<std::size_t>(k)] =
            k < Width ? deal.seat[static_cast<std::size_t>(k)]
                      : sampler.random[static_cast<std::size_t>(k - Width)];
    }
    for (unsigned set = 1; set < winners.size(); ++set) {
        unsigned seats = 0;
        for (std::size_t k = 0; k < seatOf.size(); ++k) {
            seats |= ((set >> k) & 1U) << seatOf[k];
        }
        sums.winners[seats] += winners[set];
    }
}

using BlockRun = void (*)(const Sampler&, RandomStream&, std::int64_t, BlockSums&);

// By board cards to deal.
template <int Width, int Random>
constexpr std::array<BlockRun, 6> kUnitBlocks = {
    UnitBlock<Width, 0, Random>, UnitBlock<Width, 1, Random>, UnitBlock<Width, 2, Random>,
    UnitBlock<Width, 3, Random>, UnitBlock<Width, 4, Random>, UnitBlock<Width, 5, Random>};

// The unit deal's run for the sampler's unit width and random seats.
BlockRun UnitRun(const Sampler& sampler) {
    const auto dealt = static_cast<std::size_t>(5 - sampler.p.known);
    if (sampler.flat[0].width == 2) {
        return sampler.randomCount == 0   ? kUnitBlocks<2, 0>[dealt]
               : sampler.randomCount == 1 ? kUnitBlocks<2, 1>[dealt]
                                          : kUnitBlocks<2, 2>[dealt];
    }
    return sampler.randomCount == 1 ? kUnitBlocks<1, 1>[dealt] : kUnitBlocks<1, 2>[dealt];
}

// Runs `trials` trials drawn in order from `stream` into `sums`.
void SampleBlock(const Sampler& sampler, RandomStream& stream, std::int64_t trials,
                 BlockSums& sums) {
    if (sampler.unitDeal) {
        UnitRun(sampler)(sampler, stream, trials, sums);
        return;
    }
    HandOrdinal ordinal[kMaxRangeSeats];
    for (std::int64_t t = 0; t < trials; ++t) {
        sampler.Trial(stream, ordinal);
        sums.Score(ordinal);
    }
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
