#include "odds/ExactOdds.h"

#include "engine/FastEval.h"
#include "odds/BoardCounter.h"
#include "odds/HeadsUpPreflop.h"

#include <algorithm>
#include <array>
#include <bit>
#include <thread>
#include <vector>

namespace quillory {

namespace {

using namespace cards;

double Choose(std::int32_t n, std::int32_t r) {
    double result = 1.0;
    for (std::int32_t i = 1; i <= r; ++i) {
        result = result * static_cast<double>(n - r + i) / static_cast<double>(i);
    }
    return result;
}

using SuitPermutation = std::array<std::uint8_t, 4>;

CardMask PermuteSuits(CardMask mask, const SuitPermutation& p) {
    CardMask out = 0;
    for (int s = 0; s < kSuits; ++s) {
        out |= ((mask >> s) & kSuitCards) << p[static_cast<std::size_t>(s)];
    }
    return out;
}

// What every board of one enumeration shares.
struct Setup {
    HandMasks hole{};
    CardMask holeMask{0};
    HandMasks knownBoard{};
    CardMask knownBoardMask{0};
    std::array<int, kDeckSize> rest{}; // cards not known, increasing
    int restSize{0};
    int missing{0};   // board cards to complete
    int opponents{0}; // n - 1
    // The suit permutations other than the identity that map the hole cards
    // onto themselves and the known board cards onto themselves: they map
    // every completion onto one with the same counts.
    std::vector<SuitPermutation> symmetries{};
};

bool MakeSetup(const Card& first, const Card& second, std::int32_t k, const BoardCards& board,
               std::int32_t n, Setup& setup) {
    if (k < 0 || k > 5 || n < kMinPlayers || n > kMaxPlayers) {
        return false;
    }
    std::array<Card, 7> known{first, second};
    std::copy_n(board.begin(), k, known.begin() + 2);
    if (!AllRealAndDistinct(known.data(), 2 + k)) {
        return false;
    }
    for (std::int32_t i = 0; i < 2 + k; ++i) {
        const int index = FreshDeckIndex(known[static_cast<std::size_t>(i)]);
        if (i < 2) {
            setup.hole.AddIndex(index);
            setup.holeMask |= Bit(index);
        } else {
            setup.knownBoard.AddIndex(index);
            setup.knownBoardMask |= Bit(index);
        }
    }
    for (int c = 0; c < kDeckSize; ++c) {
        if (((setup.holeMask | setup.knownBoardMask) & Bit(c)) == 0) {
            setup.rest[static_cast<std::size_t>(setup.restSize++)] = c;
        }
    }
    setup.missing = 5 - k;
    setup.opponents = n - 1;
    SuitPermutation p{0, 1, 2, 3};
    while (std::next_permutation(p.begin(), p.end())) {
        if (PermuteSuits(setup.holeMask, p) == setup.holeMask &&
            PermuteSuits(setup.knownBoardMask, p) == setup.knownBoardMask) {
            setup.symmetries.push_back(p);
        }
    }
    return true;
}

// Steps through every completion of the board in lexicographic order of its
// positions in setup.rest and counts the ones numbered worker, worker +
// workers, ... that are the least of their class under the symmetries.
void CountBoards(const Setup& setup, int worker, int workers, ExactOdds& out) {
    BoardCounter counter(setup.hole, setup.holeMask, setup.opponents);
    const auto classSize = static_cast<std::uint64_t>(setup.symmetries.size() + 1);
    const int missing = setup.missing;
    std::array<int, 5> pick{0, 1, 2, 3, 4};
    for (std::uint64_t number = 0;; ++number) {
        if (static_cast<int>(number % static_cast<std::uint64_t>(workers)) == worker) {
            CardMask completion = 0;
            for (int i = 0; i < missing; ++i) {
                completion |=
                    Bit(setup.rest[static_cast<std::size_t>(pick[static_cast<std::size_t>(i)])]);
            }
            std::uint64_t fixedBy = 1;
            bool least = true;
            for (const SuitPermutation& p : setup.symmetries) {
                const CardMask image = PermuteSuits(completion, p);
                if (image < completion) {
                    least = false;
                    break;
                }
                fixedBy += image == completion ? 1 : 0;
            }
            if (least) {
                HandMasks board = setup.knownBoard;
                for (CardMask left = completion; left != 0; left &= left - 1) {
                    board.AddIndex(LowestCard(left));
                }
                counter.Add(board, setup.knownBoardMask | completion, classSize / fixedBy, out);
            }
        }
        // Next combination: advance the rightmost position that can move.
        int i = missing - 1;
        while (i >= 0 && pick[static_cast<std::size_t>(i)] == setup.restSize - missing + i) {
            --i;
        }
        if (i < 0) {
            return;
        }
        ++pick[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < missing; ++j) {
            pick[static_cast<std::size_t>(j)] = pick[static_cast<std::size_t>(j - 1)] + 1;
        }
    }
}

// Heads-up preflop against a random hand as a sum over the opponent's 1,225
// holdings of the table's matchup counts: every showdown is one board and one
// holding. False when the table lacks an entry (a build without it).
bool SumHeadsUpPreflop(const Setup& setup, ExactOdds& out) {
    const int hole0 = LowestCard(setup.holeMask);
    const int hole1 = LowestCard(setup.holeMask & (setup.holeMask - 1));
    const int own = HeadsUpCombo(hole0, hole1);
    ExactOdds sum;
    for (int a = 0; a < kDeckSize; ++a) {
        for (int b = a + 1; b < kDeckSize; ++b) {
            if (((setup.holeMask >> a) & 1U) != 0 || ((setup.holeMask >> b) & 1U) != 0) {
                continue;
            }
            HeadsUpCounts counts;
            if (!HeadsUpPreflop(own, HeadsUpCombo(a, b), counts)) {
                return false;
            }
            sum.winsAlone += counts.wins;
            sum.ties += counts.ties;
        }
    }
    out.winsAlone = sum.winsAlone;
    out.ties = sum.ties;
    return true;
}

bool HeadsUpPreflopFromTable(const Setup& setup) {
    return setup.missing == 5 && setup.opponents == 1 && HeadsUpPreflopTableComplete();
}

// Counts every board, shared among `threads` workers.
void CountAllBoards(const Setup& setup, std::int32_t threads, ExactOdds& out) {
    const int workers = std::clamp(threads, 1, 256);
    std::vector<ExactOdds> partial(static_cast<std::size_t>(workers));
    std::vector<std::thread> pool;
    for (int w = 1; w < workers; ++w) {
        pool.emplace_back(
            [&setup, &partial, w, workers] { CountBoards(setup, w, workers, partial[w]); });
    }
    CountBoards(setup, 0, workers, partial[0]);
    for (std::thread& t : pool) {
        t.join();
    }
    for (const ExactOdds& p : partial) {
        out.winsAlone += p.winsAlone;
        out.ties += p.ties;
    }
}

std::uint64_t ChooseExactly(std::uint64_t n, std::uint64_t r) {
    std::uint64_t result = 1;
    for (std::uint64_t i = 1; i <= r; ++i) {
        result = result * (n - r + i) / i;
    }
    return result;
}

} // namespace

double ExactShowdownCount(std::int32_t k, std::int32_t n) {
    double count = Choose(50 - k, 5 - k);
    for (std::int32_t s = 1; s < n; ++s) {
        count *= Choose(45 - 2 * (s - 1), 2);
    }
    return count;
}

double ExactSecondsEstimate(const Card& first, const Card& second, std::int32_t k,
                            const BoardCards& board, std::int32_t n) {
    Setup setup;
    if (!MakeSetup(first, second, k, board, n, setup)) {
        return 0.0;
    }
    if (HeadsUpPreflopFromTable(setup)) {
        return 1e-3; // 1,225 table lookups
    }
    // Measured costs per board in nanoseconds: sorting the holdings by rank
    // pairs, the rows for two or more opponents, and per choice of the first
    // n - 3 opponents one pass of the formula over the cards.
    const int m = setup.opponents;
    double perBoard = m == 0 ? 30.0 : m == 1 ? 400.0 : 1200.0;
    if (m >= 3) {
        double choices = 1.0;
        for (int s = 0; s < m - 2; ++s) {
            choices *= Choose(45 - 2 * s, 2);
        }
        perBoard += 2.0 * choices * 110.0;
    }
    const double completions = Choose(setup.restSize, setup.missing);
    const double boards = completions / static_cast<double>(setup.symmetries.size() + 1);
    return (completions * 10.0 + boards * perBoard) * 1e-9;
}

bool EnumerateExactOdds(const Card& first, const Card& second, std::int32_t k,
                        const BoardCards& board, std::int32_t n, ExactOdds& out,
                        std::int32_t threads) {
    Setup setup;
    if (!MakeSetup(first, second, k, board, n, setup)) {
        return false;
    }
    out = ExactOdds{};
    if (!HeadsUpPreflopFromTable(setup) || !SumHeadsUpPreflop(setup, out)) {
        CountAllBoards(setup, threads, out);
    }
    out.showdowns = ChooseExactly(static_cast<std::uint64_t>(setup.restSize),
                                  static_cast<std::uint64_t>(setup.missing));
    for (int s = 0; s < setup.opponents; ++s) {
        out.showdowns *= ChooseExactly(static_cast<std::uint64_t>(45 - 2 * s), 2);
    }
    return true;
}

} // namespace quillory
