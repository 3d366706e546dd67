#include "report/Simulation.h"

#include "engine/FastEval.h"
#include "platform/Random.h"
#include "platform/TickCount.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace quillory {

DealtCards DealReportHand(std::uint32_t seed) {
    std::array<std::uint8_t, kDeckSize> cards{};
    for (int i = 0; i < kDeckSize; ++i) {
        cards[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    }
    RandomStream random(seed);
    constexpr std::uint32_t kDealt = 5 + 2 * kReportSeats;
    auto step = [&cards](std::uint32_t j, std::uint32_t bits) {
        std::swap(cards[j], cards[j + ScaleToBound(bits, kDeckSize - j)]);
    };
    for (std::uint32_t j = 0; j < kDealt; j += 2) {
        const std::uint64_t bits = random.Next64();
        step(j, static_cast<std::uint32_t>(bits));
        step(j + 1, static_cast<std::uint32_t>(bits >> 32));
    }
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

// The 21 five-card choices of seven cards in the reference order (board
// positions 0-4, hole cards 5 and 6): which board positions each takes, as a
// 5-bit mask, and which hole cards (bit 0 the first, bit 1 the second).
struct Choice {
    std::uint8_t boardPart{0};
    std::uint8_t hole{0};
    std::uint8_t holeCount{0}; // hole cards used: 0, 1 or 2
};

std::array<Choice, kCombinations> MakeChoices() {
    std::array<Choice, kCombinations> choices{};
    for (std::size_t i = 0; i < choices.size(); ++i) {
        for (const std::int8_t p : kCombinationPositions[i]) {
            if (p < 5) {
                choices[i].boardPart |= static_cast<std::uint8_t>(1U << p);
            } else {
                choices[i].hole |= static_cast<std::uint8_t>(1U << (p - 5));
                ++choices[i].holeCount;
            }
        }
    }
    return choices;
}

const std::array<Choice, kCombinations> kChoices = MakeChoices();

// The board of one deal and the rank keys of its parts, shared by every seat.
struct BoardParts {
    explicit BoardParts(const std::array<Card, 5>& board) {
        std::array<std::uint32_t, 5> weight{};
        for (std::size_t i = 0; i < 5; ++i) {
            full.Add(board[i]);
            single[i].Add(board[i]);
            weight[i] = static_cast<std::uint32_t>(single[i].counts >> 32);
        }
        for (std::size_t c = 0; c < kChoices.size(); ++c) {
            std::uint32_t key = 0;
            for (std::size_t i = 0; i < 5; ++i) {
                key += ((kChoices[c].boardPart >> i) & 1U) * weight[i];
            }
            choiceKeys[c] = key;
        }
    }
    const HandMasks& Full() const { return full; }

    // The masks of the board positions in a 5-bit position mask.
    HandMasks Part(std::uint8_t positions) const {
        HandMasks part;
        for (std::size_t i = 0; i < 5; ++i) {
            if (((positions >> i) & 1U) != 0) {
                part = part + single[i];
            }
        }
        return part;
    }

    HandMasks full{};
    std::array<HandMasks, 5> single{};
    // The rank key of each choice's board part, by choice.
    std::array<std::uint32_t, kCombinations> choiceKeys{};
};

// The rank key (the sum of kRankWeights over the cards) of the five cards
// behind a strength. A strength names the ranks of all five of its cards, so
// five cards have a given strength exactly when they have its rank key and,
// for a flush or straight flush, share one suit.
std::uint32_t FiveCardRankKey(HandStrength strength) {
    std::array<std::uint32_t, 5> v{};
    for (std::size_t i = 0; i < 5; ++i) {
        v[i] = (strength >> (16 - 4 * i)) & 15U;
    }
    // How many cards each key value stands for, by class.
    static constexpr std::array<std::array<std::uint32_t, 5>, kHandCategories> kCopies{{
        {1, 1, 1, 1, 1}, // high card
        {2, 1, 1, 1, 0}, // one pair
        {2, 2, 1, 0, 0}, // two pair
        {3, 1, 1, 0, 0}, // three of a kind
        {1, 1, 1, 1, 1}, // straight: five values in a row, filled in below
        {1, 1, 1, 1, 1}, // flush
        {3, 2, 0, 0, 0}, // full house
        {4, 1, 0, 0, 0}, // four of a kind
        {1, 1, 1, 1, 1}, // straight flush, as the straight
    }};
    const auto category = static_cast<std::size_t>(CategoryOf(strength));
    if (category == Straight || category == StraightFlush) {
        for (std::size_t i = 1; i < 5; ++i) {
            v[i] = v[0] - static_cast<std::uint32_t>(i); // value 0 is the ace played low
        }
    }
    std::uint32_t key = 0;
    for (std::size_t i = 0; i < 5; ++i) {
        key += kCopies[category][i] * kRankWeights[v[i] % 13]; // value 13 is the ace too
    }
    return key;
}

// FiveCardRankKey by ordinal, built once.
const std::array<std::uint32_t, 8192>& RankKeysByOrdinal() {
    static const std::array<std::uint32_t, 8192> keys = [] {
        std::array<std::uint32_t, 8192> k{};
        const EvalTables& tables = GetEvalTables();
        for (std::size_t i = 0; i < k.size(); ++i) {
            k[i] = FiveCardRankKey(tables.strengths[i]);
        }
        return k;
    }();
    return keys;
}

// How many hole cards the earliest of the 21 choices reaching the seat's best
// strength uses: the count the reference BestOfSeven reports. A choice
// reaches it exactly when its rank key is `target` and, for a flush, its five
// cards share a suit. Without a flush the walk adds and compares rank keys
// only.
std::int32_t HoleCardsUsedOf(const BoardParts& board, const HandMasks& first,
                             const HandMasks& second, std::uint32_t target, bool flush) {
    const std::array<HandMasks, 4> hole{HandMasks{}, first, second, first + second};
    if (!flush) {
        const std::array<std::uint32_t, 4> holeKey{
            0, static_cast<std::uint32_t>(first.counts >> 32),
            static_cast<std::uint32_t>(second.counts >> 32),
            static_cast<std::uint32_t>(hole[3].counts >> 32)};
        for (std::size_t c = 0; c < kChoices.size(); ++c) {
            if (board.choiceKeys[c] + holeKey[kChoices[c].hole] == target) {
                return kChoices[c].holeCount;
            }
        }
        return 0; // unreachable: the choices include the best five cards
    }
    for (const Choice& c : kChoices) {
        const HandMasks five = board.Part(c.boardPart) + hole[c.hole];
        if (static_cast<std::uint32_t>(five.counts >> 32) == target &&
            ((five.counts + 0x3333U) & 0x8888U) != 0) {
            return c.holeCount;
        }
    }
    return 0; // unreachable: the choices include the best five cards
}

} // namespace

void CountDeal(const DealtCards& deal, HandStatistics& statistics) {
    const EvalTables& tables = GetEvalTables();
    const std::array<std::uint32_t, 8192>& rankKeys = RankKeysByOrdinal();
    const BoardParts board(deal.board);

    std::array<HandOrdinal, kReportSeats> ordinal{};
    std::array<int, kReportSeats> category{};
    std::array<int, kReportSeats> leadingRank{};
    std::array<int, kReportSeats> holeUsed{};
    for (std::size_t s = 0; s < kReportSeats; ++s) {
        HandMasks first;
        first.Add(deal.seats[s].first);
        HandMasks second;
        second.Add(deal.seats[s].second);
        ordinal[s] = (board.Full() + first + second).Ordinal(tables);
        const HandStrength strength = tables.strengths[ordinal[s]];
        category[s] = CategoryOf(strength);
        leadingRank[s] = LeadingRankOf(strength);
        holeUsed[s] = HoleCardsUsedOf(board, first, second, rankKeys[ordinal[s]],
                                      category[s] == Flush || category[s] == StraightFlush);
    }

    // The winners among seats 0 to n-1 are the seats holding the best hand of
    // that prefix; ordinals order exactly as the showdown compares keys.
    std::array<HandOrdinal, kMaxTableSize + 1> best{};
    best[1] = ordinal[0];
    for (int n = kMinTableSize; n <= kMaxTableSize; ++n) {
        best[static_cast<std::size_t>(n)] = std::max(best[static_cast<std::size_t>(n - 1)],
                                                     ordinal[static_cast<std::size_t>(n - 1)]);
    }
    for (std::size_t s = 0; s < kReportSeats; ++s) {
        std::uint32_t wonAt = 0;
        for (int n = kMinTableSize; n <= kMaxTableSize; ++n) {
            wonAt |= static_cast<std::uint32_t>(ordinal[s] == best[static_cast<std::size_t>(n)])
                     << n;
        }
        const int fromSize = std::max(kMinTableSize, static_cast<int>(s) + 1);
        statistics.CountSeat(category[s], holeUsed[s], leadingRank[s], fromSize, wonAt);
    }
}

namespace {

// Deals per unit of work between progress updates and cancellation checks.
constexpr std::int64_t kChunk = 256;
constexpr auto kProgressInterval = std::chrono::milliseconds(30);

void CountRange(std::int64_t begin, std::int64_t end, std::uint32_t base,
                HandStatistics& statistics) {
    for (std::int64_t i = begin; i < end; ++i) {
        CountDeal(DealReportHand(DealSeed(base, i)), statistics);
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
    const std::uint32_t base = options.seed ? *options.seed : SeedSource::Clock().Read();
    const bool completed = threads == 1 ? RunInline(options, base, total, report, statistics)
                                        : RunThreaded(base, total, threads, report, statistics);
    if (!completed || !report(total)) {
        statistics.Clear();
        return false;
    }
    return true;
}

} // namespace quillory
