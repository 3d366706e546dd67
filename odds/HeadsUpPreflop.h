#pragma once

#include <cstddef>
#include <cstdint>

namespace quillory {

// Heads-up preflop: one two-card holding against another, every board.
//
// Holdings are combos numbered 0 to 1325 by the fresh-deck indices (4 * rank +
// suit) of their two cards, lower index first, in lexicographic order of (low,
// high): combo 0 is {0, 1}, combo 1325 is {50, 51}. This is the numbering of
// range/HandRange.h, so a range's combos index these functions directly.
inline constexpr int kHeadsUpCombos = 1326;

// The boards of one heads-up matchup: five cards from the 48 left, C(48, 5).
inline constexpr std::uint32_t kHeadsUpBoards = 1'712'304;

// The outcome of every board for the first holding (A) against the second (B):
// wins + ties + losses == kHeadsUpBoards. A win is A's best five cards strictly
// better than B's.
struct HeadsUpCounts {
    std::uint32_t wins{0};
    std::uint32_t ties{0};
    std::uint32_t losses{0};

    friend bool operator==(const HeadsUpCounts&, const HeadsUpCounts&) = default;
};

// The combo of two distinct fresh-deck indices (0 to 51) in either order, and
// its two cards back (lower first); -1 for indices that are out of range or
// equal.
int HeadsUpCombo(int cardA, int cardB);
void CardsOfHeadsUpCombo(int combo, int& low, int& high);

// Matchup counts from the table compiled into the program: a few dozen
// nanoseconds. False, with `out` untouched, when either combo is outside 0 to
// 1325 or the two share a card. Summing over opponent combos gives exact
// heads-up preflop odds against a random hand or any range of hands.
bool HeadsUpPreflop(int comboA, int comboB, HeadsUpCounts& out);

// True when the compiled-in table holds every class (kHeadsUpClasses); a
// build with an empty table answers false from HeadsUpPreflop.
inline constexpr std::size_t kHeadsUpClasses = 47'008;
bool HeadsUpPreflopTableComplete();

// The same counts by enumerating all 1,712,304 boards (about 10 ms): the
// computation the table was made with, and its check.
bool CountHeadsUpPreflop(int comboA, int comboB, HeadsUpCounts& out);

// The matchups of the table: one per class of combo pairs that a suit
// permutation (both combos permuted alike) or swapping A and B maps onto each
// other. A permutation keeps the counts; a swap exchanges wins and losses.
// Each class is named by its least key 1326 * comboA + comboB over the 24
// permutations of both orders.
std::uint32_t CanonicalHeadsUpKey(int comboA, int comboB);

} // namespace quillory
