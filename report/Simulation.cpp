#include "report/Simulation.h"

#include "engine/Deck.h"
#include "platform/Random.h"
#include "platform/TickCount.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace quillory {

DealtIndices DealReportIndices(std::uint32_t seed) {
    std::array<std::uint8_t, kDeckSize> cards = kFreshOrder;
    RandomStream random(seed);
    auto step = [&cards](std::uint32_t j, std::uint32_t bits) {
        std::swap(cards[j], cards[j + ScaleToBound(bits, kDeckSize - j)]);
    };
    for (std::uint32_t j = 0; j < kDealtCards; j += 2) {
        const std::uint64_t bits = random.Next64();
        step(j, static_cast<std::uint32_t>(bits));
        step(j + 1, static_cast<std::uint32_t>(bits >> 32));
    }
    DealtIndices deal{};
    std::copy_n(cards.begin(), kDealtCards, deal.begin());
    return deal;
}

DealtCards DealReportHand(std::uint32_t seed) {
    const DealtIndices cards = DealReportIndices(seed);
    DealtCards deal;
    for (std::size_t i = 0; i < 5; ++i) {
        deal.board[i] = CardAtFreshIndex(cards[i]);
    }
    for (std::size_t s = 0; s < kReportSeats; ++s) {
        deal.seats[s].first = CardAtFreshIndex(cards[5 + 2 * s]);
        deal.seats[s].second = CardAtFreshIndex(cards[6 + 2 * s]);
    }
    return deal;
}

namespace {

// Deals per unit of work between progress updates and cancellation checks.
constexpr std::int64_t kChunk = 256;
constexpr auto kProgressInterval = std::chrono::milliseconds(30);

void CountRange(std::int64_t begin, std::int64_t end, std::uint32_t base,
                HandStatistics& statistics) {
    for (std::int64_t i = begin; i < end; ++i) {
        CountDeal(DealReportIndices(DealSeed(base, i)), statistics);
    }
}

// Runs the deals on the calling thread, reporting between chunks.
bool RunInline(const SimulationOptions& options, std::uint32_t base, std::int64_t total,
               const std::function<bool(std::int64_t)>& report, HandStatistics& statistics) {
    auto last = std::chrono::steady_clock::now();
    for (std::int64_t begin = 0; begin < total; begin += kChunk) {
        const std::int64_t end = std::min(begin + kChunk, total);
        CountRange(begin, end, base, statistics);
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
bool RunThreaded(std::uint32_t base, std::int64_t total, int threads,
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
            CountRange(b, e, base, mine);
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
    // One base for the whole run, whichever thread counts a deal.
    const std::uint32_t base = options.seed ? *options.seed : options.ticks.Read();
    const bool completed = threads == 1 ? RunInline(options, base, total, report, statistics)
                                        : RunThreaded(base, total, threads, report, statistics);
    if (!completed || !report(total)) {
        statistics.Clear();
        return false;
    }
    return true;
}

} // namespace quillory
