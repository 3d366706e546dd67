#pragma once

#include "engine/FastEval.h"
#include "odds/ExactOdds.h"

#include <array>
#include <bit>
#include <cstdint>

namespace quillory {

namespace cards {
// A set of cards, bit i for the card at fresh-deck index i (4 * rank + suit).
using CardMask = std::uint64_t;
inline constexpr CardMask kAllCards = (CardMask{1} << kDeckSize) - 1;
// The cards of suit 0: bit 4r for every rank r. Shifted left by s: suit s.
inline constexpr CardMask kSuitCards = 0x1111111111111ULL;

constexpr CardMask Bit(int index) {
    return CardMask{1} << index;
}
constexpr CardMask RankCards(int rank) {
    return CardMask{0xF} << (4 * rank);
}
inline int LowestCard(CardMask mask) {
    return std::countr_zero(mask);
}
} // namespace cards

// The exact counts of one completed board (see EnumerateExactOdds). The
// opponents' holdings are sorted into two sets: set 0 (X), those that do not
// beat seat 0, and set 1 (Y), those below it. Holds about 1 KB of scratch
// space; one per worker thread.
class BoardCounter {
public:
    // Seat 0's hole cards and the number of opponents, 0 to 9.
    BoardCounter(const HandMasks& hole, cards::CardMask holeMask, int opponents);

    // Adds `weight` copies of the board's wins alone and ties to `out`:
    // `board` holds the five board cards, `boardMask` the same cards as a set.
    void Add(const HandMasks& board, cards::CardMask boardMask, std::uint64_t weight,
             ExactOdds& out);

private:
    using CardMask = cards::CardMask;
    using RankSets = std::array<std::array<std::uint16_t, kRanks>, 2>;
    // Whether Sort fills m_rows (needed for two or more opponents).
    enum class Rows { Skip, Fill };

    void Sort(const HandMasks& board, CardMask pool, HandOrdinal own, Rows rows);
    void SortByRanks(const HandMasks& board, CardMask pool, HandOrdinal own, RankSets& in);
    void SortFlushes(const HandMasks& board, CardMask pool, HandOrdinal own, int suit,
                     int boardSuited, const RankSets& in, Rows rows);
    std::uint64_t ChooseDisjoint(int x, CardMask pool, CardMask used, int m) const;

    HandMasks m_hole{};
    CardMask m_holeMask{0};
    int m_opponents{0};
    const EvalTables& m_tables;
    std::array<std::uint64_t, 2> m_size{};
    std::array<std::array<CardMask, kDeckSize>, 2> m_rows{};
};

} // namespace quillory
