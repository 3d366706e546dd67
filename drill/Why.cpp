#include "drill/Why.h"

#include "drill/Kind.h"
#include "drill/Showdowns.h"
#include "engine/HandEval.h"
#include "platform/NumberText.h"
#include "range/HandRange.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quillory::drill {
namespace {

constexpr std::array<const char*, kSuits> kSuitPlurals{"spades", "hearts", "clubs", "diamonds"};
constexpr std::array<const char*, kRanks> kRankPlurals{
    "aces",   "twos",  "threes", "fours", "fives",  "sixes", "sevens",
    "eights", "nines", "tens",   "jacks", "queens", "kings"};
constexpr std::array<const char*, kHandCategories> kCategoryPhrases{
    "high card", "one pair",     "two pair",       "three of a kind", "a straight",
    "a flush",   "a full house", "four of a kind", "a straight flush"};

// The kind as the object of "you hold": "a flush draw", "two pair".
std::string Holding(SpotKind kind) {
    static constexpr std::array<const char*, 5> kDraws{
        "a flush draw", "an open-ended straight draw", "a gutshot straight draw", "overcards",
        "nothing yet"};
    if (kind <= SpotKind::StraightFlush) {
        return kCategoryPhrases[static_cast<std::size_t>(kind) + 1];
    }
    return kDraws[static_cast<std::size_t>(kind) - static_cast<std::size_t>(SpotKind::FlushDraw)];
}

std::string Percent(double percent) {
    return FixedText(percent, 0) + " %";
}

// What a group of next cards does: "make your flush", "give you two pair"
// ("makes"/"gives" for one card).
std::string Effect(SpotKind kind, bool one) {
    const std::string verb = one ? "s" : "";
    switch (kind) {
    case SpotKind::Straight:
        return "make" + verb + " your straight";
    case SpotKind::Flush:
        return "make" + verb + " your flush";
    case SpotKind::StraightFlush:
        return "make" + verb + " your straight flush";
    default:
        return "give" + verb + " you " + kCategoryPhrases[static_cast<std::size_t>(kind) + 1];
    }
}

// "9 hearts", "3 kings", "1 card", "5 cards".
std::string CardsNoun(const std::vector<int>& cards) {
    const std::size_t n = cards.size();
    const auto sameSuit = std::all_of(cards.begin(), cards.end(),
                                      [&](int c) { return c % kSuits == cards.front() % kSuits; });
    const auto sameRank = std::all_of(cards.begin(), cards.end(),
                                      [&](int c) { return c / kSuits == cards.front() / kSuits; });
    std::string noun = n == 1 ? "card" : "cards";
    if (n > 1 && sameSuit) {
        noun = kSuitPlurals[static_cast<std::size_t>(cards.front() % kSuits)];
    } else if (n > 1 && sameRank) {
        noun = kRankPlurals[static_cast<std::size_t>(cards.front() / kSuits)];
    }
    return std::to_string(n) + " " + noun;
}

Tally TallyAfter(const Spot& spot, int card) {
    const int known = KnownBoardCards(spot.street);
    std::array<Card, 5> board = spot.board;
    board[static_cast<std::size_t>(known)] = CardAtFreshIndex(card);
    if (spot.players == 2) {
        return CountHeadsUp(spot.hole, board, known + 1);
    }
    return SampleShowdowns(spot.hole, board, known + 1, spot.players, kDealsPerCard,
                           static_cast<std::uint64_t>(card) + 1);
}

std::string ExplainNextCards(const Spot& spot) {
    const NextCards next = CountNextCards(spot);
    std::string text;
    for (const NextCardGroup& group : next.groups) {
        text += " ";
        if (group.kind < 0) {
            text += (next.groups.size() == 1 ? "Every one of the " : "The other ") +
                    std::to_string(group.cards.size()) + " cards: you win " +
                    Percent(group.winWhenComes) + ".";
            continue;
        }
        text += CardsNoun(group.cards) + " " +
                Effect(static_cast<SpotKind>(group.kind), group.cards.size() == 1) + ": you win " +
                Percent(group.winWhenComes) + " when one comes, " + Percent(group.winOtherwise) +
                " otherwise.";
    }
    return "Why: " + std::string(StreetName(spot.street)) + ", you hold " + Holding(KindOf(spot)) +
           "." + text +
           (next.exact ? ""
                       : " (Each card's share from " + GroupedText(kDealsPerCard) + " deals.)");
}

std::string ExplainRiver(const Spot& spot) {
    std::array<Card, 7> cards{spot.hole[0], spot.hole[1]};
    std::copy_n(spot.board.begin(), 5, cards.begin() + 2);
    const int category = CategoryOfCards(cards.data(), 7);
    const Tally tally = CountHeadsUp(spot.hole, spot.board, 5);
    const auto beat = static_cast<std::int64_t>(tally.showdowns - tally.wins);
    const auto tie = static_cast<std::int64_t>(std::lround(2.0 * (tally.wins - tally.share)));
    std::string text = "Why: River, your best hand is " +
                       std::string(kCategoryPhrases[static_cast<std::size_t>(category)]) +
                       ". Of the " + GroupedText(static_cast<std::int64_t>(tally.showdowns)) +
                       " hands one opponent can hold, " + GroupedText(beat) + " beat it and " +
                       GroupedText(tie) + " tie it.";
    if (spot.players > 2) {
        text +=
            " Each of your " + std::to_string(spot.players - 1) + " opponents must miss them all.";
    }
    return text;
}

std::string ExplainPreflop(const Spot& spot) {
    const int combo = ComboIndex(FreshDeckIndex(spot.hole[0]), FreshDeckIndex(spot.hole[1]));
    const int handClass = ClassOfCombo(combo);
    const int place = StrengthPlace(handClass);
    int combos = 0;
    const auto& order = ClassesByStrength();
    for (int i = 0; i <= place; ++i) {
        combos += CombosInClass(order[static_cast<std::size_t>(i)]);
    }
    const int best = static_cast<int>(std::ceil(100.0 * combos / kComboCount - 1e-9));
    std::string text = "Why: " + ClassName(handClass) + ": among the best " + std::to_string(best) +
                       " % of starting hands (" + std::to_string(place + 1) + " of 169).";
    const std::array<int, 3> opponents{1, 3, 9};
    const std::array<const char*, 3> words{"one random hand", "three", "nine"};
    for (std::size_t i = 0; i < opponents.size(); ++i) {
        const Tally tally =
            SampleShowdowns(spot.hole, spot.board, 0, opponents[i] + 1, kPreflopDeals, 1000 + i);
        text += std::string(i == 0   ? " Against "
                            : i == 1 ? ", against "
                                     : " and against ") +
                words[i] + (i == 0 ? " it wins " : " ") + Percent(tally.WinPercent());
    }
    return text + ".";
}

} // namespace

NextCards CountNextCards(const Spot& spot) {
    const int known = KnownBoardCards(spot.street);
    std::array<bool, kDeckSize> used{};
    used[static_cast<std::size_t>(FreshDeckIndex(spot.hole[0]))] = true;
    used[static_cast<std::size_t>(FreshDeckIndex(spot.hole[1]))] = true;
    for (int i = 0; i < known; ++i) {
        used[static_cast<std::size_t>(FreshDeckIndex(spot.board[static_cast<std::size_t>(i)]))] =
            true;
    }
    const SpotKind now = KindOf(spot);
    const int madeNow = now <= SpotKind::StraightFlush ? static_cast<int>(now) : -1;
    // Each next card's group (a made kind above today's, or -1) and tally.
    std::array<int, kDeckSize> groupOf{};
    std::array<Tally, kDeckSize> tallies{};
    for (int card = 0; card < kDeckSize; ++card) {
        if (used[static_cast<std::size_t>(card)]) {
            continue;
        }
        Spot after = spot;
        after.street = static_cast<Street>(static_cast<int>(spot.street) + 1);
        after.board[static_cast<std::size_t>(known)] = CardAtFreshIndex(card);
        const SpotKind kind = KindOf(after);
        const bool better = kind <= SpotKind::StraightFlush && static_cast<int>(kind) > madeNow;
        groupOf[static_cast<std::size_t>(card)] = better ? static_cast<int>(kind) : -1;
        tallies[static_cast<std::size_t>(card)] = TallyAfter(spot, card);
    }
    NextCards next;
    next.exact = spot.players == 2;
    for (int kind = -1; kind <= static_cast<int>(SpotKind::StraightFlush); ++kind) {
        NextCardGroup group;
        group.kind = kind;
        Tally in;
        Tally out;
        for (int card = 0; card < kDeckSize; ++card) {
            if (used[static_cast<std::size_t>(card)]) {
                continue;
            }
            const bool member = groupOf[static_cast<std::size_t>(card)] == kind;
            (member ? in : out) += tallies[static_cast<std::size_t>(card)];
            if (member) {
                group.cards.push_back(card);
            }
        }
        if (!group.cards.empty()) {
            group.winWhenComes = in.WinPercent();
            group.winOtherwise = out.WinPercent();
            next.groups.push_back(std::move(group));
        }
    }
    // The improving groups best first; the other cards stay last.
    std::stable_sort(next.groups.begin(), next.groups.end(),
                     [](const NextCardGroup& a, const NextCardGroup& b) {
                         if ((a.kind < 0) != (b.kind < 0)) {
                             return b.kind < 0;
                         }
                         return a.winWhenComes > b.winWhenComes;
                     });
    return next;
}

std::string Explain(const Spot& spot) {
    switch (spot.street) {
    case Street::Preflop:
        return ExplainPreflop(spot);
    case Street::River:
        return ExplainRiver(spot);
    default:
        return ExplainNextCards(spot);
    }
}

} // namespace quillory::drill
