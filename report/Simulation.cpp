#include "report/Simulation.h"

#include "engine/Deck.h"
#include "engine/FastEval.h"
#include "platform/TickCount.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace quillory {

DealtCards DealReportHand(std::int32_t firstSeed, std::int32_t secondSeed) {
    Deck deck;
    deck.Shuffle(firstSeed);
    deck.Shuffle(secondSeed);
    DealtCards deal;
    for (Card& card : deal.board) {
        deck.Deal(card);
    }
    for (SeatCards& seat : deal.seats) {
        deck.Deal(seat.first);
        deck.Deal(seat.second);
    }
    return deal;
}

std::int32_t ShuffleSeed(const std::optional<std::uint32_t>& base, std::int64_t deal) {
    const auto offset = static_cast<std::uint32_t>(deal);
    if (!base) {
        return static_cast<std::int32_t>(GetTickCount() + offset);
    }
    const std::uint32_t seed = *base + offset;
    return seed != 0 ? static_cast<std::int32_t>(seed) : kZeroSeedStandIn;
}

namespace {

// HoleCardsUsed with two shortcuts that settle most seats without walking the
// 21 five-card choices. Both follow from the rule that the earliest choice
// reaching the best strength decides:
// - choice 0 is the board itself, so when the board is as good as the seven
//   cards, no hole card is used;
// - a choice with only one hole card lies within the board and that card, so
//   when neither six-card set (board and one hole card) reaches the best
//   strength, every choice reaching it holds both hole cards.
std::int32_t HoleCardsUsedOf(const HandMasks& board, HandStrength boardStrength, SevenCards& seven,
                             const SeatCards& seat, HandStrength best) {
    if (boardStrength == best) {
        return 0;
    }
    HandMasks withFirst = board;
    withFirst.Add(seat.first);
    HandMasks withSecond = board;
    withSecond.Add(seat.second);
    if (withFirst.Evaluate() != best && withSecond.Evaluate() != best) {
        return 2;
    }
    seven[5] = seat.first;
    seven[6] = seat.second;
    return HoleCardsUsed(seven, best);
}

} // namespace

void CountDeal(const DealtCards& deal, HandStatistics& statistics) {
    HandMasks board;
    for (const Card& card : deal.board) {
        board.Add(card);
    }
    const HandStrength boardStrength = board.Evaluate();

    std::array<HandStrength, kReportSeats> strength{};
    std::array<int, kReportSeats> category{};
    std::array<int, kReportSeats> leadingRank{};
    std::array<int, kReportSeats> holeUsed{};
    SevenCards seven{deal.board[0], deal.board[1], deal.board[2], deal.board[3], deal.board[4]};
    for (std::size_t s = 0; s < kReportSeats; ++s) {
        HandMasks masks = board;
        masks.Add(deal.seats[s].first);
        masks.Add(deal.seats[s].second);
        strength[s] = masks.Evaluate();
        category[s] = CategoryOf(strength[s]);
        leadingRank[s] = LeadingRankOf(strength[s]);
        holeUsed[s] = HoleCardsUsedOf(board, boardStrength, seven, deal.seats[s], strength[s]);
    }

    // The winners among seats 0 to n-1 are the seats holding the best strength
    // of that prefix; strengths order exactly as the showdown compares keys.
    HandStrength best = strength[0];
    for (int n = kMinTableSize; n <= kMaxTableSize; ++n) {
        best = std::max(best, strength[static_cast<std::size_t>(n - 1)]);
        for (std::size_t s = 0; s < static_cast<std::size_t>(n); ++s) {
            statistics.Count(category[s], holeUsed[s], n, strength[s] == best, leadingRank[s]);
        }
    }
}

namespace {

// Deals per unit of work between progress updates and cancellation checks.
constexpr std::int64_t kChunk = 256;
constexpr auto kProgressInterval = std::chrono::milliseconds(30);

void CountRange(std::int64_t begin, std::int64_t end, const std::optional<std::uint32_t>& seed,
                HandStatistics& statistics) {
    for (std::int64_t i = begin; i < end; ++i) {
        // Two separate reads: without a base, each shuffle reads the clock anew.
        const std::int32_t first = ShuffleSeed(seed, i);
        const std::int32_t second = ShuffleSeed(seed, i);
        CountDeal(DealReportHand(first, second), statistics);
    }
}

// Runs the deals on the calling thread, reporting between chunks.
bool RunInline(const SimulationOptions& options, std::int64_t total,
               const std::function<bool(std::int64_t)>& report, HandStatistics& statistics) {
    auto last = std::chrono::steady_clock::now();
    for (std::int64_t begin = 0; begin < total; begin += kChunk) {
        const std::int64_t end = std::min(begin + kChunk, total);
        CountRange(begin, end, options.seed, statistics);
        if (options.progress && end < total) {
            const auto now = std::chrono::steady_clock::now();
            if (now - last >= kProgressInterval) {
                last = now;
                if (!report(end)) {
                    return false;
                }
            }
        }
    }
    return true;
}

// Splits the deals into one contiguous range per worker; the calling thread
// reports progress while it waits. Each worker counts into its own table.
bool RunThreaded(const SimulationOptions& options, std::int64_t total, int threads,
                 const std::function<bool(std::int64_t)>& report, HandStatistics& statistics) {
    std::vector<HandStatistics> partial(static_cast<std::size_t>(threads));
    std::atomic<std::int64_t> done{0};
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable finishedChanged;
    int finished = 0;

    auto work = [&](int k) {
        const std::int64_t begin = total * k / threads;
        const std::int64_t end = total * (k + 1) / threads;
        HandStatistics& mine = partial[static_cast<std::size_t>(k)];
        for (std::int64_t b = begin; b < end && !stop.load(std::memory_order_relaxed);
             b += kChunk) {
            const std::int64_t e = std::min(b + kChunk, end);
            CountRange(b, e, options.seed, mine);
            done.fetch_add(e - b, std::memory_order_relaxed);
        }
        {
            const std::lock_guard lock(mutex);
            ++finished;
        }
        finishedChanged.notify_one();
    };

    std::vector<std::thread> workers;
    auto stopAndJoin = [&] {
        stop.store(true);
        for (std::thread& t : workers) {
            t.join();
        }
        workers.clear();
    };
    try {
        for (int k = 0; k < threads; ++k) {
            workers.emplace_back(work, k);
        }
        std::unique_lock lock(mutex);
        while (finished < threads) {
            if (finishedChanged.wait_for(lock, kProgressInterval,
                                         [&] { return finished == threads; })) {
                break;
            }
            lock.unlock();
            const bool goOn = report(done.load(std::memory_order_relaxed));
            lock.lock();
            if (!goOn) {
                lock.unlock();
                stopAndJoin();
                return false;
            }
        }
    } catch (...) {
        stopAndJoin();
        throw;
    }
    for (std::thread& t : workers) {
        t.join();
    }
    for (const HandStatistics& p : partial) {
        statistics += p;
    }
    return true;
}

} // namespace

bool SimulateDeals(const SimulationOptions& options, HandStatistics& statistics) {
    statistics.Clear();
    const std::int64_t total = std::max<std::int64_t>(options.deals, 0);
    const std::function<bool(std::int64_t)> report = [&](std::int64_t done) {
        return !options.progress || options.progress(done, total);
    };
    if (!report(0)) {
        return false;
    }
    // More workers than chunks would only add threads with nothing to do.
    const std::int64_t chunks = std::max<std::int64_t>((total + kChunk - 1) / kChunk, 1);
    const auto threads = static_cast<int>(std::clamp<std::int64_t>(options.threads, 1, chunks));
    const bool completed = threads == 1 ? RunInline(options, total, report, statistics)
                                        : RunThreaded(options, total, threads, report, statistics);
    if (!completed || !report(total)) {
        statistics.Clear();
        return false;
    }
    return true;
}

} // namespace quillory
