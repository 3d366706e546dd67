#include "odds/BoardCounter.h"

namespace quillory {

using namespace cards;

BoardCounter::BoardCounter(const HandMasks& hole, CardMask holeMask, int opponents)
    : m_hole(hole), m_holeMask(holeMask), m_opponents(opponents), m_tables(GetEvalTables()) {}

void BoardCounter::Add(const HandMasks& board, CardMask boardMask, std::uint64_t weight,
                       ExactOdds& out) {
    const int m = m_opponents;
    if (m == 0) {
        out.winsAlone += weight;
        return;
    }
    const CardMask pool = kAllCards & ~(boardMask | m_holeMask);
    Sort(board, pool, (board + m_hole).Ordinal(m_tables), m >= 2 ? Rows::Fill : Rows::Skip);
    std::uint64_t count[2];
    for (int x = 0; x < 2; ++x) {
        count[x] = m == 1 ? m_size[x] : ChooseDisjoint(x, pool, 0, m);
    }
    out.winsAlone += weight * count[1];
    out.ties += weight * (count[0] - count[1]);
}

// Sorts every holding of the pool into the two sets: m_size counts them,
// and with Rows::Fill, m_rows[x][c] holds every card that makes a holding of
// set x with card c.
void BoardCounter::Sort(const HandMasks& board, CardMask pool, HandOrdinal own, Rows rows) {
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
    RankSets in{};
    m_size = {0, 0};
    if (boardSuited < 5) {
        SortByRanks(board, pool, own, in);
    }
    if (rows == Rows::Fill) {
        for (CardMask left = pool; left != 0; left &= left - 1) {
            const int c = LowestCard(left);
            for (int x = 0; x < 2; ++x) {
                CardMask row = 0;
                for (unsigned r = in [static_cast<std::size_t>(x)][static_cast<std::size_t>(c / 4)];
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
void BoardCounter::SortByRanks(const HandMasks& board, CardMask pool, HandOrdinal own,
                               RankSets& in) {
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
            const HandOrdinal theirs =
                m_tables.OrdinalOfRankKey(boardKey + kRankWeights[static_cast<std::size_t>(r1)] +
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
void BoardCounter::SortFlushes(const HandMasks& board, CardMask pool, HandOrdinal own, int suit,
                               int boardSuited, const RankSets& in, Rows rows) {
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
                if (rows == Rows::Fill) {
                    m_rows[static_cast<std::size_t>(x)][static_cast<std::size_t>(c1)] ^= Bit(c2);
                    m_rows[static_cast<std::size_t>(x)][static_cast<std::size_t>(c2)] ^= Bit(c1);
                }
            }
        }
    }
}

// Ordered choices of m >= 2 pairwise disjoint holdings of set x among the
// pool's cards outside `used`: the first m - 2 one by one, the last two by
// the formula |X|^2 - sum d(c)^2 + |X|.
std::uint64_t BoardCounter::ChooseDisjoint(int x, CardMask pool, CardMask used, int m) const {
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

} // namespace quillory
