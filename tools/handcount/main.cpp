// Exhaustive check of the hand evaluation over all 133,784,560 seven-card
// hands: the number of best hands per class must equal the known totals, and
// the table lookup must give exactly the strength of the table-free bit-mask
// evaluation on every hand. With --reference every hand is also evaluated by
// the reference (slow: minutes) and compared, class, keys and count of hole
// cards used.
//
//   quillory-handcount [--reference] [--threads N]
//
// Exit status 0 when everything matches, 1 otherwise, 2 for bad arguments.
#include "engine/FastEval.h"
#include "engine/HandEval.h"

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

using namespace quillory;

namespace {

constexpr std::array<long long, kHandCategories> kKnownTotals{
    23294460, 58627800, 31433400, 6461620, 6180020, 4047644, 3473184, 224848, 41584};
constexpr std::array<const char*, kHandCategories> kNames{
    "high card", "one pair",   "two pair",       "three of a kind", "straight",
    "flush",     "full house", "four of a kind", "straight flush"};

struct Counts {
    std::array<long long, kHandCategories> totals{};
    long long mismatches{0};
    long long tableMismatches{0};
};

// All hands whose first card is `first`, the other six above it.
void CountFrom(int first, bool reference, Counts& counts) {
    const EvalTables& tables = GetEvalTables();
    SevenCards seven{};
    seven[0] = CardAtFreshIndex(first);
    HandMasks m0;
    m0.Add(seven[0]);
    for (int b = first + 1; b < 52; ++b) {
        seven[1] = CardAtFreshIndex(b);
        HandMasks m1 = m0;
        m1.Add(seven[1]);
        for (int c = b + 1; c < 52; ++c) {
            seven[2] = CardAtFreshIndex(c);
            HandMasks m2 = m1;
            m2.Add(seven[2]);
            for (int d = c + 1; d < 52; ++d) {
                seven[3] = CardAtFreshIndex(d);
                HandMasks m3 = m2;
                m3.Add(seven[3]);
                for (int e = d + 1; e < 52; ++e) {
                    seven[4] = CardAtFreshIndex(e);
                    HandMasks m4 = m3;
                    m4.Add(seven[4]);
                    for (int f = e + 1; f < 52; ++f) {
                        seven[5] = CardAtFreshIndex(f);
                        HandMasks m5 = m4;
                        m5.Add(seven[5]);
                        for (int g = f + 1; g < 52; ++g) {
                            seven[6] = CardAtFreshIndex(g);
                            HandMasks m6 = m5;
                            m6.Add(seven[6]);
                            const HandStrength s = m6.Evaluate();
                            ++counts.totals[static_cast<std::size_t>(CategoryOf(s))];
                            const std::uint8_t indices[7] = {
                                static_cast<std::uint8_t>(first), static_cast<std::uint8_t>(b),
                                static_cast<std::uint8_t>(c),     static_cast<std::uint8_t>(d),
                                static_cast<std::uint8_t>(e),     static_cast<std::uint8_t>(f),
                                static_cast<std::uint8_t>(g)};
                            if (s != m6.EvaluateByBits() || s != EvaluateIndices(indices, tables)) {
                                ++counts.tableMismatches;
                            }
                            if (reference) {
                                FiveCards best{};
                                std::int32_t hole = 0;
                                BestOfSeven(seven, best, hole);
                                if (StrengthOf(Classify(best)) != s ||
                                    HoleCardsUsed(seven, s) != hole) {
                                    ++counts.mismatches;
                                }
                            }
                        }
                    }
                }
            }
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    bool reference = false;
    unsigned threads = std::thread::hardware_concurrency();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--reference") == 0) {
            reference = true;
        } else if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc) {
            threads = static_cast<unsigned>(std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: quillory-handcount [--reference] [--threads N]\n");
            return 2;
        }
    }
    if (threads == 0 || threads > 256) {
        threads = 1;
    }

    std::atomic<int> next{0};
    std::vector<Counts> perThread(threads);
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            for (int first = next++; first < 46; first = next++) {
                CountFrom(first, reference, perThread[t]);
            }
        });
    }
    for (auto& w : workers) {
        w.join();
    }

    Counts all;
    for (const Counts& c : perThread) {
        for (std::size_t k = 0; k < all.totals.size(); ++k) {
            all.totals[k] += c.totals[k];
        }
        all.mismatches += c.mismatches;
        all.tableMismatches += c.tableMismatches;
    }
    bool ok = true;
    long long sum = 0;
    for (std::size_t k = 0; k < all.totals.size(); ++k) {
        const bool match = all.totals[k] == kKnownTotals[k];
        ok = ok && match;
        sum += all.totals[k];
        std::printf("%-16s %10lld %s\n", kNames[k], all.totals[k], match ? "ok" : "WRONG");
    }
    std::printf("%-16s %10lld %s\n", "all hands", sum, sum == 133784560LL ? "ok" : "WRONG");
    ok = ok && sum == 133784560LL;
    std::printf("table evaluations (by masks and by indices) differing from the bit masks: %lld\n",
                all.tableMismatches);
    ok = ok && all.tableMismatches == 0;
    if (reference) {
        std::printf("differences from the reference: %lld\n", all.mismatches);
        ok = ok && all.mismatches == 0;
    }
    return ok ? 0 : 1;
}
