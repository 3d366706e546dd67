#include "odds/ExactOdds.h"

#include "engine/FastEval.h"

#include <algorithm>
#include <array>
#include <bit>
#include <thread>
#include <vector>

namespace quillory {

namespace {

// A set of cards, bit i for the card at fresh-deck index i (4 * rank + suit).
using CardMask = std::uint64_t;
constexpr CardMask kAllCards = (CardMask{1} << kDeckSize) - 1;
// The cards of suit 0: bit 4r for every rank r. Shifted left by s: suit s.
constexpr CardMask kSuitCards = 0x1111111111111ULL;

constexpr CardMask Bit(int index) {
    return CardMask{1} << index;
}
constexpr CardMask RankCards(int rank) {
    return CardMask{0xF} << (4 * rank);
}
int LowestCard(CardMask mask) {
    return std::countr_zero(mask);
}

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

// The counts of one completed board. The holdings are sorted into two sets:
// set 0 (X), those that do not beat seat 0, and set 1 (Y), those below it.
class BoardCounter {
public:
    explicit BoardCounter(const Setup& setup) : m_setup(setup), m_tables(GetEvalTables()) {}

    // Adds `weight` copies of the board's wins and ties to `out`.
    void Add(const HandMasks& board, CardMask boardMask, std::uint64_t weight, ExactOdds& out) {
        const int m = m_setup.opponents;
        if (m == 0) {
            out.winsAlone += weight;
            return;
        }
        const CardMask pool = kAllCards & ~(boardMask | m_setup.holeMask);
        Sort(board, pool, (board + m_setup.hole).Ordinal(m_tables), m >= 2);
        std::uint64_t count[2];
        for (int x = 0; x < 2; ++x) {
            count[x] = m == 1 ? m_size[x] : ChooseDisjoint(x, pool, 0, m);
        }
        out.winsAlone += weight * count[1];
        out.ties += weight * (count[0] - count[1]);
    }

private:
    // Sorts every holding of the pool into the two sets: m_size counts them,
    // and with `rows`, m_rows[x][c] holds every card that makes a holding of
    // set x with card c.
    void Sort(const HandMasks& board, CardMask pool, HandOrdinal own, bool rows) {
        int flushSuit = -1;
        int boardSuited = 0;
        for (int s = 0; s < kSuits; ++s) {
            const auto c = static_cast<int>((board.counts >> (4 * s)) & 0xFU);
            if (c >= 3) {
                flushSuit = s;
                boardSuited = c;
            }
        }
        // Per rank r1, the ranks r2 whose holdings (r1, r2) without a flush
        // lie in set x.
        std::array<std::array<std::uint16_t, kRanks>, 2> in{};
        m_size = {0, 0};
        if (boardSuited < 5) {
            SortByRanks(board, pool, own, in);
        }
        if (rows) {
            for (CardMask left = pool; left != 0; left &= left - 1) {
                const int c = LowestCard(left);
                for (int x = 0; x < 2; ++x) {
                    CardMask row = 0;
                    for (unsigned r = in
                         [static_cast<std::size_t>(x)][static_cast<std::size_t>(c / 4)];
                         r != 0; r &= r - 1) {
                        row |= RankCards(std::countr_zero(r));
                    }
                    m_rows[static_cast<std::size_t>(x)][static_cast<std::size_t>(c)] =
                        row & pool & ~Bit(c);
                }
            }
        }
        if (flushSuit >= 0) {
            SortFlushes(board, pool, own, flushSuit, boardSuited, in, rows);
        }
    }

    // Holdings without a flush have the strength of their rank multiset, so
    // each pair of ranks is looked up once and counts for all its holdings.
    void SortByRanks(const HandMasks& board, CardMask pool, HandOrdinal own,
                     std::array<std::array<std::uint16_t, kRanks>, 2>& in) {
        const auto boardKey = static_cast<std::uint32_t>(board.counts >> 32);
        std::array<std::uint64_t, kRanks> free{};
        for (int r = 0; r < kRanks; ++r) {
            free[static_cast<std::size_t>(r)] =
                static_cast<std::uint64_t>(std::popcount(pool & RankCards(r)));
        }
        for (int r1 = 0; r1 < kRanks; ++r1) {
            const std::uint64_t a = free[static_cast<std::size_t>(r1)];
            for (int r2 = r1; r2 < kRanks && a != 0; ++r2) {
                const std::uint64_t b = free[static_cast<std::size_t>(r2)];
                const std::uint64_t holdings = r1 == r2 ? a * (a - 1) / 2 : a * b;
                if (holdings == 0) {
                    continue;
                }
                const HandOrdinal theirs = m_tables.OrdinalOfRankKey(
                    boardKey + kRankWeights[static_cast<std::size_t>(r1)] +
                    kRankWeights[static_cast<std::size_t>(r2)]);
                for (int x = 0; x < 2; ++x) {
                    if (x == 0 ? theirs <= own : theirs < own) {
                        in[static_cast<std::size_t>(x)][static_cast<std::size_t>(r1)] |=
                            static_cast<std::uint16_t>(1U << r2);
                        in[static_cast<std::size_t>(x)][static_cast<std::size_t>(r2)] |=
                            static_cast<std::uint16_t>(1U << r1);
                        m_size[static_cast<std::size_t>(x)] += holdings;
                    }
                }
            }
        }
    }

    // Holdings that complete a flush are evaluated one by one and moved to
    // the set their real strength belongs to.
    void SortFlushes(const HandMasks& board, CardMask pool, HandOrdinal own, int suit,
                     int boardSuited, const std::array<std::array<std::uint16_t, kRanks>, 2>& in,
                     bool rows) {
        const CardMask suited = pool & (kSuitCards << suit);
        const int needed = 5 - boardSuited; // cards of the suit a holding must bring
        for (CardMask firsts = needed == 0 ? pool : suited; firsts != 0; firsts &= firsts - 1) {
            const int c1 = LowestCard(firsts);
            // Second cards above c1; with one suited card needed, a second
            // card of another suit may also lie below c1.
            CardMask seconds = (needed == 2 ? suited : pool) & ~(Bit(c1 + 1) - 1);
            if (needed == 1) {
                seconds |= pool & ~suited & (Bit(c1) - 1);
            }
            for (; seconds != 0; seconds &= seconds - 1) {
                const int c2 = LowestCard(seconds);
                HandMasks theirs = board;
                theirs.AddIndex(c1);
                theirs.AddIndex(c2);
                const HandOrdinal ordinal = theirs.Ordinal(m_tables);
                for (int x = 0; x < 2; ++x) {
                    const bool member = x == 0 ? ordinal <= own : ordinal < own;
                    const bool counted =
                        boardSuited < 5 &&
                        ((in[static_cast<std::size_t>(x)][static_cast<std::size_t>(c1 / 4)] >>
                          (c2 / 4)) &
                         1U) != 0;
                    if (member == counted) {
                        continue;
                    }
                    m_size[static_cast<std::size_t>(x)] += member ? 1 : -1;
                    if (rows) {
                        m_rows[static_cast<std::size_t>(x)][static_cast<std::size_t>(c1)] ^=
                            Bit(c2);
                        m_rows[static_cast<std::size_t>(x)][static_cast<std::size_t>(c2)] ^=
                            Bit(c1);
                    }
                }
            }
        }
    }

    // Ordered choices of m >= 2 pairwise disjoint holdings of set x among the
    // pool's cards outside `used`: the first m - 2 one by one, the last two by
    // the formula |X|^2 - sum d(c)^2 + |X|.
    std::uint64_t ChooseDisjoint(int x, CardMask pool, CardMask used, int m) const {
        const auto& rows = m_rows[static_cast<std::size_t>(x)];
        const CardMask free = pool & ~used;
        if (m == 2) {
            std::uint64_t sum = 0;
            std::uint64_t squares = 0;
            for (CardMask left = free; left != 0; left &= left - 1) {
                const auto d = static_cast<std::uint64_t>(
                    std::popcount(rows[static_cast<std::size_t>(LowestCard(left))] & free));
                sum += d;
                squares += d * d;
            }
            const std::uint64_t size = sum / 2;
            return size * size + size - squares;
        }
        std::uint64_t total = 0;
        for (CardMask firsts = free; firsts != 0; firsts &= firsts - 1) {
            const int c1 = LowestCard(firsts);
            for (CardMask seconds = rows[static_cast<std::size_t>(c1)] & free & ~(Bit(c1 + 1) - 1);
                 seconds != 0; seconds &= seconds - 1) {
                const CardMask holding = Bit(c1) | Bit(LowestCard(seconds));
                total += ChooseDisjoint(x, pool, used | holding, m - 1);
            }
        }
        return total;
    }

    const Setup& m_setup;
    const EvalTables& m_tables;
    std::array<std::uint64_t, 2> m_size{};
    std::array<std::array<CardMask, kDeckSize>, 2> m_rows{};
};

// Steps through every completion of the board in lexicographic order of its
// positions in setup.rest and counts the ones numbered worker, worker +
// workers, ... that are the least of their class under the symmetries.
void CountBoards(const Setup& setup, int worker, int workers, ExactOdds& out) {
    BoardCounter counter(setup);
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
    out = ExactOdds{};
    for (const ExactOdds& p : partial) {
        out.winsAlone += p.winsAlone;
        out.ties += p.ties;
    }
    out.showdowns = ChooseExactly(static_cast<std::uint64_t>(setup.restSize),
                                  static_cast<std::uint64_t>(setup.missing));
    for (int s = 0; s < setup.opponents; ++s) {
        out.showdowns *= ChooseExactly(static_cast<std::uint64_t>(45 - 2 * s), 2);
    }
    return true;
}

} // namespace quillory
