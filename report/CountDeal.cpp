// Counting one deal: every seat's best hand, the hole cards it uses and the
// winners of each table size.
#include "engine/FastEval.h"
#include "report/Simulation.h"

#include <algorithm>
#include <bit>

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

// The ten pairs of board positions (i < j) a choice with both hole cards
// leaves out.
constexpr std::array<std::array<std::uint8_t, 2>, 10> kPairs{
    {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}}};

// Where each choice stands in the reference order, by what it leaves out:
// `one[h][i]` the choice with hole card h (0 the first, 1 the second) and
// without board position i, `two[p]` the choice with both hole cards and
// without the board positions of pair p.
struct ChoiceIndex {
    std::array<std::array<std::uint8_t, 5>, 2> one{};
    std::array<std::uint8_t, 10> two{};
};

ChoiceIndex MakeChoiceIndex() {
    ChoiceIndex index;
    for (std::size_t c = 0; c < kChoices.size(); ++c) {
        const unsigned left = 31U & ~static_cast<unsigned>(kChoices[c].boardPart);
        if (kChoices[c].holeCount == 1) {
            index.one[kChoices[c].hole == 1 ? 0 : 1][std::countr_zero(left)] =
                static_cast<std::uint8_t>(c);
        }
        for (std::size_t p = 0; p < kPairs.size() && kChoices[c].holeCount == 2; ++p) {
            if (left == ((1U << kPairs[p][0]) | (1U << kPairs[p][1]))) {
                index.two[p] = static_cast<std::uint8_t>(c);
            }
        }
    }
    return index;
}

const ChoiceIndex kChoiceIndex = MakeChoiceIndex();

// The board of one deal and the rank weights of its cards, shared by every
// seat.
struct BoardParts {
    explicit BoardParts(const DealtIndices& deal) {
        for (std::size_t i = 0; i < 5; ++i) {
            full.AddIndex(deal[i]);
            single[i].AddIndex(deal[i]);
            weight[i] = static_cast<std::uint32_t>(single[i].counts >> 32);
        }
        key = static_cast<std::uint32_t>(full.counts >> 32);
        for (std::size_t p = 0; p < kPairs.size(); ++p) {
            pairWeight[p] = weight[kPairs[p][0]] + weight[kPairs[p][1]];
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
    std::uint32_t key{0};                       // rank key of the whole board
    std::array<std::uint32_t, 5> weight{};      // rank key of each board card
    std::array<std::uint32_t, 10> pairWeight{}; // of each pair of board cards
};

// Whether five cards must share a suit to reach a strength (a flush).
enum class SuitRule : std::uint8_t { Any, OneSuit };

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

// What the counting needs of a hand, by its ordinal, in one table entry.
struct HandFacts {
    std::uint32_t rankKey{0}; // FiveCardRankKey
    std::uint8_t category{0};
    std::uint8_t leadingRank{0};
    SuitRule suits{SuitRule::Any};
};

const std::array<HandFacts, 8192>& FactsByOrdinal() {
    static const std::array<HandFacts, 8192> facts = [] {
        std::array<HandFacts, 8192> f{};
        const EvalTables& tables = GetEvalTables();
        for (std::size_t i = 0; i < f.size(); ++i) {
            const HandStrength strength = tables.strengths[i];
            const int category = CategoryOf(strength);
            f[i] = HandFacts{FiveCardRankKey(strength), static_cast<std::uint8_t>(category),
                             static_cast<std::uint8_t>(LeadingRankOf(strength)),
                             category == Flush || category == StraightFlush ? SuitRule::OneSuit
                                                                            : SuitRule::Any};
        }
        return f;
    }();
    return facts;
}

// How many hole cards the earliest of the 21 choices reaching the seat's best
// strength uses: the count the reference BestOfSeven reports. A choice
// reaches it exactly when its rank key is `target` and, for a flush, its five
// cards share a suit. Without a flush the walk adds and compares rank keys
// only.
std::int32_t HoleCardsUsedOf(const BoardParts& board, const HandMasks& first,
                             const HandMasks& second, std::uint32_t target, SuitRule suits) {
    if (suits == SuitRule::Any) {
        // A choice without board card i and with hole card h reaches the
        // target when the weight of card i is board + h - target; one
        // without a pair of board cards and with both hole cards, when the
        // pair's weight is board + both - target. Every choice is tested, the
        // matches are marked by their place in the order, and the lowest
        // mark is the earliest.
        const auto wf = static_cast<std::uint32_t>(first.counts >> 32);
        const auto wg = static_cast<std::uint32_t>(second.counts >> 32);
        const std::uint32_t withFirst = board.key + wf - target;
        const std::uint32_t withSecond = board.key + wg - target;
        const std::uint32_t withBoth = board.key + wf + wg - target;
        std::uint32_t marks = board.key == target ? 1U : 0U;
        for (std::size_t i = 0; i < 5; ++i) {
            marks |= static_cast<std::uint32_t>(board.weight[i] == withFirst)
                     << kChoiceIndex.one[0][i];
            marks |= static_cast<std::uint32_t>(board.weight[i] == withSecond)
                     << kChoiceIndex.one[1][i];
        }
        for (std::size_t p = 0; p < kPairs.size(); ++p) {
            marks |= static_cast<std::uint32_t>(board.pairWeight[p] == withBoth)
                     << kChoiceIndex.two[p];
        }
        return kChoices[static_cast<std::size_t>(std::countr_zero(marks))].holeCount;
    }
    const std::array<HandMasks, 4> hole{HandMasks{}, first, second, first + second};
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
    DealtIndices indices{};
    for (std::size_t i = 0; i < 5; ++i) {
        indices[i] = static_cast<std::uint8_t>(FreshDeckIndex(deal.board[i]));
    }
    for (std::size_t s = 0; s < kReportSeats; ++s) {
        indices[5 + 2 * s] = static_cast<std::uint8_t>(FreshDeckIndex(deal.seats[s].first));
        indices[6 + 2 * s] = static_cast<std::uint8_t>(FreshDeckIndex(deal.seats[s].second));
    }
    CountDeal(indices, statistics);
}

void CountDeal(const DealtIndices& deal, HandStatistics& statistics) {
    const EvalTables& tables = GetEvalTables();
    const std::array<HandFacts, 8192>& facts = FactsByOrdinal();
    const BoardParts board(deal);

    std::array<HandOrdinal, kReportSeats> ordinal{};
    std::array<int, kReportSeats> category{};
    std::array<int, kReportSeats> leadingRank{};
    std::array<int, kReportSeats> holeUsed{};
    // The ordinals first: ten lookups that do not wait for each other.
    for (std::size_t s = 0; s < kReportSeats; ++s) {
        ordinal[s] = (board.Full() + kCardMasks[deal[5 + 2 * s]] + kCardMasks[deal[6 + 2 * s]])
                         .Ordinal(tables);
    }
    for (std::size_t s = 0; s < kReportSeats; ++s) {
        const HandMasks& first = kCardMasks[deal[5 + 2 * s]];
        const HandMasks& second = kCardMasks[deal[6 + 2 * s]];
        const HandFacts& hand = facts[ordinal[s]];
        category[s] = hand.category;
        leadingRank[s] = hand.leadingRank;
        holeUsed[s] = HoleCardsUsedOf(board, first, second, hand.rankKey, hand.suits);
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
