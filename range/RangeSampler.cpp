// Monte Carlo range equity. Each trial draws every ranged seat's combo from
// its weights on its own and starts over from the first ranged seat when two
// of them share a card (or one meets a known card): accepting only whole
// disjoint assignments samples them in proportion to the product of the
// weights, as the deal requires. Redrawing only the seat that collided would
// favour combos that rarely collide, the classic bias. Seats holding random
// cards and the unknown board cards are then dealt uniformly from the cards
// left, which is the same distribution, since their number of ways to be
// dealt is the same for every assignment of the ranged seats.
#include "platform/Random.h"
#include "platform/TickCount.h"
#include "range/EquityDetail.h"

#include <chrono>
#include <mutex>
#include <thread>

namespace quillory::equity {

namespace {

// One seat's draw: Walker's alias method, one 64-bit number per draw.
struct AliasTable {
    std::vector<std::uint64_t> threshold; // keep the index when the high half is below
    std::vector<std::uint32_t> alias;
    std::uint32_t size{0};

    explicit AliasTable(const std::vector<float>& weight) {
        size = static_cast<std::uint32_t>(weight.size());
        threshold.assign(size, std::uint64_t{1} << 32);
        alias.resize(size);
        double sum = 0.0;
        for (const float w : weight) {
            sum += w;
        }
        std::vector<double> scaled(size);
        std::vector<std::uint32_t> small;
        std::vector<std::uint32_t> large;
        for (std::uint32_t i = 0; i < size; ++i) {
            alias[i] = i;
            scaled[i] = weight[i] * size / sum;
            (scaled[i] < 1.0 ? small : large).push_back(i);
        }
        while (!small.empty() && !large.empty()) {
            const std::uint32_t s = small.back();
            const std::uint32_t l = large.back();
            small.pop_back();
            threshold[s] = static_cast<std::uint64_t>(scaled[s] * 4294967296.0);
            alias[s] = l;
            scaled[l] -= 1.0 - scaled[s];
            if (scaled[l] < 1.0) {
                large.pop_back();
                small.push_back(l);
            }
        }
    }

    std::uint32_t Draw(std::uint64_t bits) const {
        const std::uint32_t i = ScaleToBound(static_cast<std::uint32_t>(bits), size);
        return (bits >> 32) < threshold[i] ? i : alias[i];
    }
};

// A ranged seat's arrays, gathered so that a trial follows no vector.
struct RangedSeat {
    int seat{0};
    std::uint32_t size{0};
    const CardMask* mask{nullptr};
    const HandMasks* hand{nullptr};
    const std::uint64_t* threshold{nullptr};
    const std::uint32_t* alias{nullptr};

    std::uint32_t Draw(std::uint64_t bits) const {
        const std::uint32_t i = ScaleToBound(static_cast<std::uint32_t>(bits), size);
        return (bits >> 32) < threshold[i] ? i : alias[i];
    }
};

struct Sampler {
    const Prepared& p;
    std::vector<AliasTable> tables;
    std::array<RangedSeat, kMaxRangeSeats> ranged{};
    std::array<int, kMaxRangeSeats> random{};
    int rangedCount{0};
    int randomCount{0};
    const EvalTables& eval = GetEvalTables();

    explicit Sampler(const Prepared& prepared) : p(prepared) {
        tables.reserve(static_cast<std::size_t>(p.seats));
        for (int s = 0; s < p.seats; ++s) {
            const SeatList& list = p.lists[static_cast<std::size_t>(s)];
            if (list.random) {
                random[static_cast<std::size_t>(randomCount++)] = s;
                continue;
            }
            const AliasTable& table = tables.emplace_back(list.weight);
            ranged[static_cast<std::size_t>(rangedCount++)] = RangedSeat{s,
                                                                         table.size,
                                                                         list.mask.data(),
                                                                         list.hand.data(),
                                                                         table.threshold.data(),
                                                                         table.alias.data()};
        }
    }

    // One trial: the seats' ordinals at the showdown into `ordinal`.
    void Trial(std::uint32_t seed, HandOrdinal* ordinal) const {
        RandomStream stream(seed);
        std::uint32_t chosen[kMaxRangeSeats];
        CardMask used = 0;
        bool fits = false;
        while (!fits) {
            used = p.Taken();
            fits = true;
            for (int r = 0; r < rangedCount; ++r) {
                const RangedSeat& seat = ranged[static_cast<std::size_t>(r)];
                const std::uint32_t i = seat.Draw(stream.Next64());
                if ((seat.mask[i] & used) != 0) {
                    fits = false;
                    break;
                }
                used |= seat.mask[i];
                chosen[r] = i;
            }
        }
        // The unknown board cards, then two cards per random seat, each drawn
        // uniformly from the cards not yet used.
        std::uint64_t bits = 0;
        int halves = 0;
        auto deal = [&]() {
            while (true) {
                if (halves == 0) {
                    bits = stream.Next64();
                    halves = 2;
                }
                const auto card = static_cast<int>(ScaleToBound(
                    static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(kDeckSize)));
                bits >>= 32;
                --halves;
                if ((used & CardBit(card)) == 0) {
                    used |= CardBit(card);
                    return card;
                }
            }
        };
        HandMasks board = p.boardHand;
        for (int c = p.known; c < 5; ++c) {
            board.AddIndex(deal());
        }
        for (int r = 0; r < rangedCount; ++r) {
            const RangedSeat& seat = ranged[static_cast<std::size_t>(r)];
            ordinal[seat.seat] = (board + seat.hand[chosen[r]]).Ordinal(eval);
        }
        for (int r = 0; r < randomCount; ++r) {
            const int s = random[static_cast<std::size_t>(r)];
            HandMasks hand = board;
            hand.AddIndex(deal());
            hand.AddIndex(deal());
            ordinal[s] = hand.Ordinal(eval);
        }
    }
};

// A block's sums in whole numbers: a pot is kPotUnits, split evenly among up
// to ten winners, so the sums are exact and the same in any order.
constexpr std::int64_t kPotUnits = 2520;
constexpr std::array<std::int64_t, kMaxRangeSeats + 1> kShare = {0,   2520, 1260, 840, 630, 504,
                                                                 420, 360,  315,  280, 252};

struct BlockSums {
    std::array<std::int64_t, kMaxRangeSeats> winAlone{};
    std::array<std::int64_t, kMaxRangeSeats> tie{};
    std::array<std::int64_t, kMaxRangeSeats> units{};
    std::int64_t squares0{0}; // seat 0's units squared
    std::int64_t among0{0};
    std::int64_t trials{0};

    void Score(const HandOrdinal* ordinal, int seats) {
        if (seats == 2) {
            ScoreTwo(ordinal[0], ordinal[1]);
            return;
        }
        HandOrdinal best = 0;
        for (int s = 0; s < seats; ++s) {
            best = std::max(best, ordinal[s]);
        }
        int sharing = 0;
        for (int s = 0; s < seats; ++s) {
            sharing += ordinal[s] == best ? 1 : 0;
        }
        const std::int64_t share = kShare[static_cast<std::size_t>(sharing)];
        auto& counted = sharing == 1 ? winAlone : tie;
        for (int s = 0; s < seats; ++s) {
            const bool wins = ordinal[s] == best;
            counted[static_cast<std::size_t>(s)] += wins ? 1 : 0;
            units[static_cast<std::size_t>(s)] += wins ? share : 0;
        }
        const std::int64_t own = ordinal[0] == best ? share : 0;
        squares0 += own * own;
        among0 += own != 0 ? 1 : 0;
        ++trials;
    }

    void ScoreTwo(HandOrdinal a, HandOrdinal b) {
        const bool first = a > b;
        const bool second = b > a;
        const bool level = a == b;
        winAlone[0] += first ? 1 : 0;
        winAlone[1] += second ? 1 : 0;
        tie[0] += level ? 1 : 0;
        tie[1] += level ? 1 : 0;
        const std::int64_t own = first ? kPotUnits : (level ? kPotUnits / 2 : 0);
        units[0] += own;
        units[1] += kPotUnits - own;
        squares0 += own * own;
        among0 += own != 0 ? 1 : 0;
        ++trials;
    }

    Tally ToTally() const {
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
        while (!halt.load(std::memory_order_relaxed) &&
               !(control.stop != nullptr && control.stop->load(std::memory_order_relaxed))) {
            const std::int64_t b = next.fetch_add(1);
            if (b >= blockCount) {
                break;
            }
            BlockSums sums;
            HandOrdinal ordinal[kMaxRangeSeats];
            const std::int64_t end = std::min(trials, (b + 1) * kEquityBlockTrials);
            for (std::int64_t t = b * kEquityBlockTrials; t < end; ++t) {
                sampler.Trial(SeedSource::SeedOf(request.seed, t), ordinal);
                sums.Score(ordinal, prepared.seats);
            }
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
