#include "drill/Kind.h"

#include "engine/FastEval.h"
#include "engine/HandEval.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace quillory::drill {
namespace {

constexpr std::array<std::string_view, kSpotKinds> kKindNames{"One pair",
                                                              "Two pair",
                                                              "Three of a kind",
                                                              "Straight",
                                                              "Flush",
                                                              "Full house",
                                                              "Four of a kind",
                                                              "Straight flush",
                                                              "Flush draw",
                                                              "Open-ended straight draw",
                                                              "Gutshot straight draw",
                                                              "Overcards",
                                                              "Nothing"};
constexpr std::array<std::string_view, kKindGroups> kGroupNames{
    "Made hand", "Flush draw", "Open-ended straight draw", "Gutshot straight draw",
    "Overcards", "Nothing"};

// Bit v for rank value v (Two 1 ... King 12, Ace 13); the ace also sets bit
// 0, so the wheel is five bits in a row too.
std::uint32_t RankBit(std::int32_t rank) {
    return rank == kAce ? (1U << 13) | 1U : 1U << RankValue(rank);
}

// The top value of the best straight in a rank mask; -1 when there is none.
int StraightTop(std::uint32_t ranks) {
    for (int top = 13; top >= 4; --top) {
        const std::uint32_t run = 0x1FU << (top - 4);
        if ((ranks & run) == run) {
            return top;
        }
    }
    return -1;
}

std::uint32_t RanksOf(const Card* cards, int count) {
    std::uint32_t ranks = 0;
    for (int i = 0; i < count; ++i) {
        ranks |= RankBit(cards[i].rank);
    }
    return ranks;
}

// How many ranks of a next card give the cards a straight, using the user's
// cards, that the board and that card alone do not give.
int StraightOutRanks(const Spot& spot) {
    const int known = KnownBoardCards(spot.street);
    const std::uint32_t board = RanksOf(spot.board.data(), known);
    const std::uint32_t all = board | RanksOf(spot.hole.data(), 2);
    int outs = 0;
    for (std::int32_t rank = 0; rank < kRanks; ++rank) {
        const std::uint32_t next = RankBit(rank);
        const int mine = StraightTop(all | next);
        outs += mine >= 0 && mine > StraightTop(board | next) ? 1 : 0;
    }
    return outs;
}

bool HasFlushDraw(const Spot& spot) {
    const int known = KnownBoardCards(spot.street);
    for (std::int32_t suit = 0; suit < kSuits; ++suit) {
        int mine = 0;
        int total = 0;
        for (const Card& card : spot.hole) {
            mine += card.suit == suit ? 1 : 0;
        }
        for (int i = 0; i < known; ++i) {
            total += spot.board[static_cast<std::size_t>(i)].suit == suit ? 1 : 0;
        }
        if (mine > 0 && mine + total == 4) {
            return true;
        }
    }
    return false;
}

bool HasOvercards(const Spot& spot) {
    std::int32_t highest = -1;
    for (int i = 0; i < KnownBoardCards(spot.street); ++i) {
        highest = std::max(highest, RankValue(spot.board[static_cast<std::size_t>(i)].rank));
    }
    return RankValue(spot.hole[0].rank) > highest && RankValue(spot.hole[1].rank) > highest;
}

// One card label as CardLabel writes it: "A(S)", "10(H)".
std::optional<Card> CardOfLabel(std::string_view label) {
    static constexpr std::array<std::string_view, kRanks> kRankParts{
        "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    static constexpr std::array<std::string_view, kSuits> kSuitParts{"(S)", "(H)", "(C)", "(D)"};
    for (std::int32_t rank = 0; rank < kRanks; ++rank) {
        for (std::int32_t suit = 0; suit < kSuits; ++suit) {
            const std::string_view r = kRankParts[static_cast<std::size_t>(rank)];
            const std::string_view s = kSuitParts[static_cast<std::size_t>(suit)];
            if (label.size() == r.size() + s.size() && label.substr(0, r.size()) == r &&
                label.substr(r.size()) == s) {
                return Card{rank, suit};
            }
        }
    }
    return std::nullopt;
}

// Reads blank-separated card labels into `out`; false unless exactly `count`.
bool CardsOfLabels(std::string_view text, Card* out, int count) {
    int read = 0;
    while (!text.empty()) {
        const std::size_t blank = text.find(' ');
        const std::optional<Card> card = CardOfLabel(text.substr(0, blank));
        if (!card || read == count) {
            return false;
        }
        out[read++] = *card;
        text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
    }
    return read == count;
}

// The ranks that make a hand of its class what it is, as the engine keys
// them: the pairs of two pair and full house, every card of a flush, the top
// of a straight, the rank of a pair, trips or quads.
int DefiningKeys(int category) {
    return category == TwoPair || category == FullHouse ? 2 : category == Flush ? 5 : 1;
}

// For a hand of the board's own class: true when the user's cards make it a
// better one (a higher straight, higher pairs), not just a better kicker.
bool BetterOfSameClass(const Spot& spot, int category) {
    const int known = KnownBoardCards(spot.street);
    std::array<Card, 7> cards{spot.hole[0], spot.hole[1]};
    std::copy_n(spot.board.begin(), known, cards.begin() + 2);
    if (known < 4) {
        return false; // three board cards hold at most trips, which no hole card betters
    }
    const HandKey mine = KeyOf(EvaluateCards(cards.data(), 2 + known));
    HandKey board;
    if (known == 5) {
        board = KeyOf(EvaluateCards(spot.board.data(), 5));
    } else if (category == TwoPair) {
        // Four board cards of two pair: its pairs, higher first.
        const Card* b = spot.board.data();
        const std::int32_t first = b[0].rank;
        const std::int32_t second = b[1].rank == first ? b[2].rank : b[1].rank;
        board.k1 = RankValue(first) > RankValue(second) ? first : second;
        board.k2 = board.k1 == first ? second : first;
    } else {
        return false;
    }
    const std::array<std::int32_t, 5> a{mine.k1, mine.k2, mine.k3, mine.k4, mine.k5};
    const std::array<std::int32_t, 5> b{board.k1, board.k2, board.k3, board.k4, board.k5};
    return !std::equal(a.begin(), a.begin() + DefiningKeys(category), b.begin());
}

} // namespace

int CategoryOfCards(const Card* cards, int count) {
    std::array<int, kRanks> ofRank{};
    std::array<std::uint32_t, kSuits> suitRanks{};
    std::array<int, kSuits> ofSuit{};
    for (int i = 0; i < count; ++i) {
        ++ofRank[static_cast<std::size_t>(cards[i].rank)];
        ++ofSuit[static_cast<std::size_t>(cards[i].suit)];
        suitRanks[static_cast<std::size_t>(cards[i].suit)] |= RankBit(cards[i].rank);
    }
    int pairs = 0;
    int trips = 0;
    int quads = 0;
    for (const int n : ofRank) {
        pairs += n == 2 ? 1 : 0;
        trips += n == 3 ? 1 : 0;
        quads += n == 4 ? 1 : 0;
    }
    bool flush = false;
    bool straightFlush = false;
    for (std::size_t suit = 0; suit < kSuits; ++suit) {
        flush = flush || ofSuit[suit] >= 5;
        straightFlush = straightFlush || StraightTop(suitRanks[suit]) >= 0;
    }
    if (straightFlush) {
        return StraightFlush;
    }
    if (quads > 0) {
        return FourOfKind;
    }
    if (trips > 0 && trips + pairs >= 2) {
        return FullHouse;
    }
    if (flush) {
        return Flush;
    }
    if (StraightTop(RanksOf(cards, count)) >= 0) {
        return Straight;
    }
    return trips > 0 ? ThreeOfKind : pairs >= 2 ? TwoPair : pairs == 1 ? OnePair : HighCard;
}

SpotKind KindOf(const Spot& spot) {
    const int known = KnownBoardCards(spot.street);
    std::array<Card, 7> cards{spot.hole[0], spot.hole[1]};
    std::copy_n(spot.board.begin(), known, cards.begin() + 2);
    const int mine = CategoryOfCards(cards.data(), 2 + known);
    const int board = known > 0 ? CategoryOfCards(spot.board.data(), known) : HighCard;
    if (mine >= OnePair && (mine > board || (mine == board && BetterOfSameClass(spot, mine)))) {
        return static_cast<SpotKind>(mine - OnePair);
    }
    if (spot.street == Street::Preflop || spot.street == Street::River) {
        return SpotKind::Nothing;
    }
    if (HasFlushDraw(spot)) {
        return SpotKind::FlushDraw;
    }
    if (const int outs = StraightOutRanks(spot); outs > 0) {
        return outs >= 2 ? SpotKind::OpenEnded : SpotKind::Gutshot;
    }
    return HasOvercards(spot) ? SpotKind::Overcards : SpotKind::Nothing;
}

KindGroup GroupOf(SpotKind kind) {
    if (kind <= SpotKind::StraightFlush) {
        return KindGroup::MadeHand;
    }
    return static_cast<KindGroup>(static_cast<int>(kind) - static_cast<int>(SpotKind::FlushDraw) +
                                  1);
}

bool GroupFitsStreet(KindGroup group, Street street) {
    const bool draws = street == Street::Flop || street == Street::Turn;
    return draws || group == KindGroup::MadeHand || group == KindGroup::Nothing;
}

std::string_view KindName(SpotKind kind) {
    return kKindNames[static_cast<std::size_t>(kind)];
}

std::optional<SpotKind> KindFromName(std::string_view name) {
    const auto at = std::find(kKindNames.begin(), kKindNames.end(), name);
    return at == kKindNames.end() ? std::nullopt
                                  : std::optional(static_cast<SpotKind>(at - kKindNames.begin()));
}

std::string_view GroupName(KindGroup group) {
    return kGroupNames[static_cast<std::size_t>(group)];
}

std::optional<Spot> SpotOfAnswerCards(std::string_view hole, std::string_view board, Street street,
                                      int players) {
    Spot spot;
    spot.street = street;
    spot.players = players;
    spot.board.fill(kNoCard);
    const int known = KnownBoardCards(street);
    if (!CardsOfLabels(hole, spot.hole.data(), 2) ||
        !CardsOfLabels(board, spot.board.data(), known)) {
        return std::nullopt;
    }
    std::array<Card, 7> cards{spot.hole[0], spot.hole[1]};
    std::copy_n(spot.board.begin(), known, cards.begin() + 2);
    for (int a = 0; a < 2 + known; ++a) {
        for (int b = a + 1; b < 2 + known; ++b) {
            if (cards[static_cast<std::size_t>(a)] == cards[static_cast<std::size_t>(b)]) {
                return std::nullopt;
            }
        }
    }
    return spot;
}

} // namespace quillory::drill
