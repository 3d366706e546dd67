#pragma once

#include "engine/Card.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillory {

// A range: a weighted set of the 1,326 two-card combinations a seat may hold.
//
// Combos are numbered 0 to 1325 by the fresh-deck indices of their two cards
// (engine/Card.h: 4 * rank + suit), lower index first, in lexicographic order
// of (low, high): combo 0 is {0, 1}, combo 1325 is {50, 51}.
//
// Starting-hand classes (169) are numbered by the grid players know: row and
// column run over the grid ranks A K Q J T 9 8 7 6 5 4 3 2 (grid rank 0 is the
// ace, 1 the king, ..., 12 the two; note that this is not the engine's rank
// number, where 0 is the ace and 1 the two). Class = 13 * row + column. The
// diagonal holds the pairs (6 combos), above it (column > row) the suited
// hands (4 combos), below it the offsuit hands (12 combos); row 0 column 1 is
// AKs, row 1 column 0 is AKo.
inline constexpr int kComboCount = 1326;
inline constexpr int kClassCount = 169;
inline constexpr int kGridSize = 13;

// The combo of two distinct fresh-deck indices (0 to 51), in either order.
int ComboIndex(int cardA, int cardB);
// The two fresh-deck indices of a combo, lower first.
struct ComboCards {
    int low{0};
    int high{0};
};
ComboCards CardsOfCombo(int combo);

// The grid rank (0 ace ... 12 two) of an engine rank number and back.
constexpr int GridRankOf(std::int32_t engineRank) {
    return engineRank == kAce ? 0 : kRanks - engineRank;
}
constexpr std::int32_t EngineRankOf(int gridRank) {
    return gridRank == 0 ? kAce : kRanks - gridRank;
}

enum class ClassShape : std::uint8_t { Pair, Suited, Offsuit };
ClassShape ShapeOfClass(int handClass);
// The class of a combo, and the class name ("AKs", "AKo", "TT").
int ClassOfCombo(int combo);
std::string ClassName(int handClass);
// The number of combos of a class: 6, 4 or 12.
int CombosInClass(int handClass);

class HandRange {
public:
    // An empty range (every weight 0).
    HandRange() = default;
    // Every combo at weight 1: a seat holding random cards.
    static HandRange Random();
    // One combo at weight 1.
    static HandRange Single(int combo);

    // Weight 0 (not in the range) to 1 (fully in the range).
    double Weight(int combo) const { return m_weights[static_cast<std::size_t>(combo)]; }
    void SetWeight(int combo, double weight);
    // Sets every combo of a class to the weight.
    void SetClassWeight(int handClass, double weight);

    // Combos with a weight above 0, and the sum of the weights.
    int ComboCount() const;
    double WeightedCount() const;
    bool Empty() const { return ComboCount() == 0; }

    friend bool operator==(const HandRange&, const HandRange&) = default;

private:
    std::array<float, kComboCount> m_weights{};
};

// Why a range text was refused: the term as typed, its 1-based character
// position in the whole text, and what is wrong with it. Message() reads
// "'AKx' at character 1: unknown suit class 'x'".
struct RangeError {
    std::string term;
    int position{0};
    std::string reason;
    std::string Message() const;
};

// Parses the range notation (README, "Ranges"): comma-separated terms, blanks
// allowed, case-insensitive; pairs TT, TT+, TT-66; AKs, AKo, AK; A9s+, K9o+;
// spans of one shape A5s-A2s, KQo-K9o; exact combos AhKh; random; percent
// ranges 15%; a weight after any term as :W, 0 <= W <= 1. Where a combo is
// named by several terms the last weight given wins. Returns true and sets
// `out`, or returns false, sets `error` and leaves `out` unchanged: never a
// silently smaller range.
bool ParseRange(std::string_view text, HandRange& out, RangeError& error);

// The normalised text of a range: classes grouped into plus forms and spans
// where whole, weights as :W, single combos where a class is partial, in the
// order pairs, then suited, then offsuit, best first: "QQ+, AKs, A5s-A2s,
// AKo:0.5". Parsing the text gives the same range back. The empty range is
// "" and the full range "random".
std::string FormatRange(const HandRange& range);

// The 169 classes best first in the project's own ranking (all-in equity
// against three random hands), and a class's place in it (0 the best).
const std::array<std::uint8_t, kClassCount>& ClassesByStrength();
int StrengthPlace(int handClass);

// The best classes in that order until their combos reach at least
// `percent` % of 1,326 (0 to 100): the meaning of "15%".
HandRange TopPercent(double percent);

} // namespace quillory
