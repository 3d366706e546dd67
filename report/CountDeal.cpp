// Counting one deal: every seat's best hand, the hole cards it uses and the
// winners of each table size.
#include "engine/FastEval.h"
#include "report/Simulation.h"

#include <algorithm>

namespace quillory {

namespace {

// The 21 five-card choices of seven cards in the reference order (board
// positions 0-4, hole cards 5 and 6): which board positions each takes, as a
// 5-bit mask, and which hole cards (bit 0 the first, bit 1 the second).
struct Choice {
    std::uint8_t boardPart{0};
    std::uint8_t hole{0};
    std::uint8_t holeCount{0}; // hole cards used: 0, 1 or 2
};

std::array<Choice, kCombinations> MakeChoices() {
    std::array<Choice, kCombinations> choices{};
    for (std::size_t i = 0; i < choices.size(); ++i) {
        for (const std::int8_t p : kCombinationPositions[i]) {
            if (p < 5) {
                choices[i].boardPart |= static_cast<std::uint8_t>(1U << p);
            } else {
                choices[i].hole |= static_cast<std::uint8_t>(1U << (p - 5));
                ++choices[i].holeCount;
            }
        }
    }
    return choices;
}

const std::array<Choice, kCombinations> kChoices = MakeChoices();

// The board of one deal and the rank keys of its parts, shared by every seat.
struct BoardParts {
    explicit BoardParts(const std::array<Card, 5>& board) {
        std::array<std::uint32_t, 5> weight{};
        for (std::size_t i = 0; i < 5; ++i) {
            full.Add(board[i]);
            single[i].Add(board[i]);
            weight[i] = static_cast<std::uint32_t>(single[i].counts >> 32);
        }
        for (std::size_t c = 0; c < kChoices.size(); ++c) {
            std::uint32_t key = 0;
            for (std::size_t i = 0; i < 5; ++i) {
                key += ((kChoices[c].boardPart >> i) & 1U) * weight[i];
            }
            choiceKeys[c] = key;
        }
    }
    const HandMasks& Full() const { return full; }

    // The masks of the board positions in a 5-bit position mask.
    HandMasks Part(std::uint8_t positions) const {
        HandMasks part;
        for (std::size_t i = 0; i < 5; ++i) {
            if (((positions >> i) & 1U) != 0) {
                part = part + single[i];
            }
        }
        return part;
    }

    HandMasks full{};
    std::array<HandMasks, 5> single{};
    // The rank key of each choice's board part, by choice.
    std::array<std::uint32_t, kCombinations> choiceKeys{};
};

// The rank key (the sum of kRankWeights over the cards) of the five cards
// behind a strength. A strength names the ranks of all five of its cards, so
// five cards have a given strength exactly when they have its rank key and,
// for a flush or straight flush, share one suit.
std::uint32_t FiveCardRankKey(HandStrength strength) {
    std::array<std::uint32_t, 5> v{};
    for (std::size_t i = 0; i < 5; ++i) {
        v[i] = (strength >> (16 - 4 * i)) & 15U;
    }
    // How many cards each key value stands for, by class.
    static constexpr std::array<std::array<std::uint32_t, 5>, kHandCategories> kCopies{{
        {1, 1, 1, 1, 1}, // high card
        {2, 1, 1, 1, 0}, // one pair
        {2, 2, 1, 0, 0}, // two pair
        {3, 1, 1, 0, 0}, // three of a kind
        {1, 1, 1, 1, 1}, // straight: five values in a row, filled in below
        {1, 1, 1, 1, 1}, // flush
        {3, 2, 0, 0, 0}, // full house
        {4, 1, 0, 0, 0}, // four of a kind
        {1, 1, 1, 1, 1}, // straight flush, as the straight
    }};
    const auto category = static_cast<std::size_t>(CategoryOf(strength));
    if (category == Straight || category == StraightFlush) {
        for (std::size_t i = 1; i < 5; ++i) {
            v[i] = v[0] - static_cast<std::uint32_t>(i); // value 0 is the ace played low
        }
    }
    std::uint32_t key = 0;
    for (std::size_t i = 0; i < 5; ++i) {
        key += kCopies[category][i] * kRankWeights[v[i] % 13]; // value 13 is the ace too
    }
    return key;
}

// FiveCardRankKey by ordinal, built once.
const std::array<std::uint32_t, 8192>& RankKeysByOrdinal() {
    static const std::array<std::uint32_t, 8192> keys = [] {
        std::array<std::uint32_t, 8192> k{};
        const EvalTables& tables = GetEvalTables();
        for (std::size_t i = 0; i < k.size(); ++i) {
            k[i] = FiveCardRankKey(tables.strengths[i]);
        }
        return k;
    }();
    return keys;
}

// How many hole cards the earliest of the 21 choices reaching the seat's best
// strength uses: the count the reference BestOfSeven reports. A choice
// reaches it exactly when its rank key is `target` and, for a flush, its five
// cards share a suit. Without a flush the walk adds and compares rank keys
// only.
// Whether five cards must share a suit to reach a strength (a flush).
enum class SuitRule { Any, OneSuit };

std::int32_t HoleCardsUsedOf(const BoardParts& board, const HandMasks& first,
                             const HandMasks& second, std::uint32_t target, SuitRule suits) {
    const std::array<HandMasks, 4> hole{HandMasks{}, first, second, first + second};
    if (suits == SuitRule::Any) {
        const std::array<std::uint32_t, 4> holeKey{
            0, static_cast<std::uint32_t>(first.counts >> 32),
            static_cast<std::uint32_t>(second.counts >> 32),
            static_cast<std::uint32_t>(hole[3].counts >> 32)};
        for (std::size_t c = 0; c < kChoices.size(); ++c) {
            if (board.choiceKeys[c] + holeKey[kChoices[c].hole] == target) {
                return kChoices[c].holeCount;
            }
        }
        return 0; // unreachable: the choices include the best five cards
    }
    for (const Choice& c : kChoices) {
        const HandMasks five = board.Part(c.boardPart) + hole[c.hole];
        if (static_cast<std::uint32_t>(five.counts >> 32) == target &&
            ((five.counts + 0x3333U) & 0x8888U) != 0) {
            return c.holeCount;
        }
    }
    return 0; // unreachable: the choices include the best five cards
}

} // namespace

void CountDeal(const DealtCards& deal, HandStatistics& statistics) {
    const EvalTables& tables = GetEvalTables();
    const std::array<std::uint32_t, 8192>& rankKeys = RankKeysByOrdinal();
    const BoardParts board(deal.board);

    std::array<HandOrdinal, kReportSeats> ordinal{};
    std::array<int, kReportSeats> category{};
    std::array<int, kReportSeats> leadingRank{};
    std::array<int, kReportSeats> holeUsed{};
    for (std::size_t s = 0; s < kReportSeats; ++s) {
        HandMasks first;
        first.Add(deal.seats[s].first);
        HandMasks second;
        second.Add(deal.seats[s].second);
        ordinal[s] = (board.Full() + first + second).Ordinal(tables);
        const HandStrength strength = tables.strengths[ordinal[s]];
        category[s] = CategoryOf(strength);
        leadingRank[s] = LeadingRankOf(strength);
        holeUsed[s] =
            HoleCardsUsedOf(board, first, second, rankKeys[ordinal[s]],
                            category[s] == Flush || category[s] == StraightFlush ? SuitRule::OneSuit
                                                                                 : SuitRule::Any);
    }

    // The winners among seats 0 to n-1 are the seats holding the best hand of
    // that prefix; ordinals order exactly as the showdown compares keys.
    std::array<HandOrdinal, kMaxTableSize + 1> best{};
    best[1] = ordinal[0];
    for (int n = kMinTableSize; n <= kMaxTableSize; ++n) {
        best[static_cast<std::size_t>(n)] = std::max(best[static_cast<std::size_t>(n - 1)],
                                                     ordinal[static_cast<std::size_t>(n - 1)]);
    }
    for (std::size_t s = 0; s < kReportSeats; ++s) {
        std::uint32_t wonAt = 0;
        for (int n = kMinTableSize; n <= kMaxTableSize; ++n) {
            wonAt |= static_cast<std::uint32_t>(ordinal[s] == best[static_cast<std::size_t>(n)])
                     << n;
        }
        const int fromSize = std::max(kMinTableSize, static_cast<int>(s) + 1);
        statistics.CountSeat(category[s], holeUsed[s], leadingRank[s], fromSize, wonAt);
    }
}

} // namespace quillory
