#include "drill/Spot.h"

#include "engine/CardNames.h"
#include "odds/Labels.h"

#include <algorithm>
#include <numeric>

namespace quillory::drill {
namespace {

constexpr std::array<std::string_view, kStreets> kStreetNames{"Preflop", "Flop", "Turn", "River"};

} // namespace

int KnownBoardCards(Street street) {
    static constexpr std::array<int, kStreets> kKnown{0, 3, 4, 5};
    return kKnown[static_cast<std::size_t>(street)];
}

std::string_view StreetName(Street street) {
    return kStreetNames[static_cast<std::size_t>(street)];
}

std::optional<Street> StreetFromName(std::string_view name) {
    for (int i = 0; i < kStreets; ++i) {
        if (kStreetNames[static_cast<std::size_t>(i)] == name) {
            return static_cast<Street>(i);
        }
    }
    return std::nullopt;
}

Spot DrawSpot(std::mt19937_64& generator, const SpotChoice& choice) {
    Spot spot;
    spot.street = choice.street.value_or(
        static_cast<Street>(std::uniform_int_distribution<int>(0, kStreets - 1)(generator)));
    spot.players = choice.players.has_value()
                       ? std::clamp(*choice.players, 2, 10)
                       : std::uniform_int_distribution<int>(2, 10)(generator);
    // A partial Fisher-Yates pass over the deck draws the seven cards at most;
    // fixed hole cards are swapped to the front first and not drawn again.
    std::array<int, kDeckSize> deck{};
    std::iota(deck.begin(), deck.end(), 0);
    int first = 0;
    if (choice.hole.has_value() && IsValidHole(*choice.hole)) {
        for (const Card& fixed : *choice.hole) {
            const int index = fixed.rank * kSuits + fixed.suit;
            const auto at = std::find(deck.begin(), deck.end(), index);
            std::iter_swap(deck.begin() + first, at);
            ++first;
        }
    }
    const int needed = 2 + KnownBoardCards(spot.street);
    for (int i = first; i < needed; ++i) {
        const int j = std::uniform_int_distribution<int>(i, kDeckSize - 1)(generator);
        std::swap(deck[static_cast<std::size_t>(i)], deck[static_cast<std::size_t>(j)]);
    }
    const auto card = [&deck](int i) {
        const int index = deck[static_cast<std::size_t>(i)];
        return Card{index / kSuits, index % kSuits};
    };
    spot.hole = {card(0), card(1)};
    spot.board.fill(kNoCard);
    for (int i = 0; i < KnownBoardCards(spot.street); ++i) {
        spot.board[static_cast<std::size_t>(i)] = card(2 + i);
    }
    return spot;
}

bool IsValidHole(const std::array<Card, 2>& hole) {
    return IsRealCard(hole[0]) && IsRealCard(hole[1]) && hole[0] != hole[1];
}

std::string HoleText(const Spot& spot) {
    return CardLabel(spot.hole[0]) + " " + CardLabel(spot.hole[1]);
}

std::string BoardText(const Spot& spot) {
    std::string text;
    for (int i = 0; i < KnownBoardCards(spot.street); ++i) {
        text += (i == 0 ? "" : " ") + CardLabel(spot.board[static_cast<std::size_t>(i)]);
    }
    return text;
}

} // namespace quillory::drill
