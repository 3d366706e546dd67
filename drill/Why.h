#pragma once

#include "drill/Spot.h"

#include <string>
#include <vector>

namespace quillory::drill {

// Why a spot's value is what it is, in short sentences a screen reader reads
// well, for after the reveal. Every text starts "Why: ".
//
// Flop and turn: the cards that can come next, grouped by what they make of
// the user's hand (Kind.h's made hands, better than what it holds now) and
// sorted by how often the hand then wins, best first: "9 hearts make your
// flush: you win 86 % when one comes, 22 % otherwise." and "The other 31
// cards: you win 18 %." Counted exactly heads-up, and by kDealsPerCard deals
// for each next card at bigger tables.
// River: how many of the hands one opponent can hold beat the user's.
// Preflop: the hand's class and its place in the project's ranking of the
// 169 classes ("AKs: among the best 2 % of starting hands"), and how often
// it wins against one, three and nine random hands (kPreflopDeals each).
std::string Explain(const Spot& spot);

inline constexpr std::int32_t kDealsPerCard = 3'000;
inline constexpr std::int32_t kPreflopDeals = 60'000;

// The next card's groups, for the sentences and their tests. Win shares are
// in percent, as the drill's true value counts them (a shared pot is a win).
struct NextCardGroup {
    int kind{};             // the SpotKind the cards make; -1 for "the other cards"
    std::vector<int> cards; // fresh-deck indices
    double winWhenComes{};
    double winOtherwise{}; // over every next card not in the group
};
struct NextCards {
    std::vector<NextCardGroup> groups; // improving groups best first, then the others
    bool exact{};
};
NextCards CountNextCards(const Spot& spot);

} // namespace quillory::drill
