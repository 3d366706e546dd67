#pragma once

#include "drill/Decision.h"
#include "engine/Card.h"

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace quillory::drill {

// One question of the estimating drill: the user's two cards, the street with
// its board cards, and the table size. The question is how often this hand is
// among the winners at the showdown (a shared pot counts as a win).
enum class Street { Preflop = 0, Flop = 1, Turn = 2, River = 3 };
inline constexpr int kStreets = 4;

// The board cards known on a street: 0, 3, 4 or 5.
int KnownBoardCards(Street street);
std::string_view StreetName(Street street); // "Preflop", "Flop", "Turn", "River"
std::optional<Street> StreetFromName(std::string_view name);

struct Spot {
    std::array<Card, 2> hole{};
    Street street{Street::Preflop};
    std::array<Card, 5> board{}; // the first KnownBoardCards(street) are dealt, the rest no card
    int players{2};              // 2 to 10, the user included
    // Call-or-fold spots only: the pot and the bet to call. Their value is the
    // hand's equity (ties split) rather than its share of showdowns won.
    std::optional<Stake> stake{};
    std::string opponents{};     // their range's normal form; empty: random cards
};

// What the user fixed; anything left empty is drawn at random.
struct SpotChoice {
    std::optional<Street> street{};
    std::optional<int> players{};              // clamped to 2 to 10
    std::optional<std::array<Card, 2>> hole{}; // two real, distinct cards
};

// Draws a spot uniformly: any two distinct cards (or the fixed ones), then
// the board cards from the rest, the street and the table size uniformly
// unless fixed. Fixed hole cards that are not two real, distinct cards are
// ignored and drawn instead. The generator is the caller's, so a seeded
// generator repeats the spots.
Spot DrawSpot(std::mt19937_64& generator, const SpotChoice& choice = {});

// True for two real, distinct cards: what SpotChoice::hole may hold.
bool IsValidHole(const std::array<Card, 2>& hole);

// "A(S) 10(H)" and "K(D) 7(C) 2(H)": the labels the window uses.
std::string HoleText(const Spot& spot);
std::string BoardText(const Spot& spot);

} // namespace quillory::drill
