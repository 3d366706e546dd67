#include "engine/HandEval.h"

#include <algorithm>

namespace quillory {

const std::array<std::array<std::int8_t, 5>, kCombinations> kCombinationPositions{{
    {0, 1, 2, 3, 4}, {0, 1, 2, 3, 5}, {0, 1, 2, 3, 6}, {0, 1, 2, 4, 5}, {0, 1, 2, 4, 6},
    {0, 1, 2, 5, 6}, {0, 1, 3, 4, 5}, {0, 1, 3, 4, 6}, {0, 1, 3, 5, 6}, {0, 1, 4, 5, 6},
    {0, 2, 3, 4, 5}, {0, 2, 3, 4, 6}, {0, 2, 3, 5, 6}, {0, 2, 4, 5, 6}, {0, 3, 4, 5, 6},
    {1, 2, 3, 4, 5}, {1, 2, 3, 4, 6}, {1, 2, 3, 5, 6}, {1, 2, 4, 5, 6}, {1, 3, 4, 5, 6},
    {2, 3, 4, 5, 6},
}};

int CompareCardsByRank(const Card& a, const Card& b) {
    return a.rank - b.rank;
}

int CompareRanks(std::int32_t a, std::int32_t b) {
    return RankValue(a) - RankValue(b);
}

void SortByRank(FiveCards& cards) {
    // Insertion sort: five elements, stable, and the same result everywhere.
    for (std::size_t i = 1; i < cards.size(); ++i) {
        const Card c = cards[i];
        std::size_t j = i;
        while (j > 0 && CompareCardsByRank(cards[j - 1], c) > 0) {
            cards[j] = cards[j - 1];
            --j;
        }
        cards[j] = c;
    }
}

bool SelectCombination(const SevenCards& seven, int index, FiveCards& out, std::int32_t& holeUsed) {
    if (index < 0 || index >= kCombinations) {
        return false;
    }
    std::int32_t hole = 0;
    const auto& positions = kCombinationPositions[static_cast<std::size_t>(index)];
    for (std::size_t i = 0; i < 5; ++i) {
        const auto p = static_cast<std::size_t>(positions[i]);
        out[i] = seven[p];
        if (p >= 5) {
            ++hole;
        }
    }
    holeUsed = hole;
    return true;
}

namespace {

// Rank numbers h0 <= h1 <= ... <= h4 of a sorted hand.
struct Ranks {
    std::int32_t h0, h1, h2, h3, h4;
    explicit Ranks(const FiveCards& s)
        : h0(s[0].rank), h1(s[1].rank), h2(s[2].rank), h3(s[3].rank), h4(s[4].rank) {}
};

// The two ranks with the higher value first.
void OrderPair(std::int32_t a, std::int32_t b, std::int32_t& high, std::int32_t& low) {
    if (CompareRanks(a, b) > 0) {
        high = a;
        low = b;
    } else {
        high = b;
        low = a;
    }
}

bool ByValueDescending(std::int32_t a, std::int32_t b) {
    return CompareRanks(a, b) > 0;
}

} // namespace

bool IsStraightFlush(const FiveCards& sorted, HandKey& key) {
    HandKey flush{};
    HandKey straight{};
    if (!IsFlush(sorted, flush) || !IsStraight(sorted, straight)) {
        return false;
    }
    key.k1 = straight.k1;
    return true;
}

bool IsFourOfKind(const FiveCards& sorted, HandKey& key) {
    const Ranks r(sorted);
    if (r.h0 == r.h1 && r.h1 == r.h2 && r.h2 == r.h3) {
        key.k1 = r.h0;
        key.k2 = r.h4;
        return true;
    }
    if (r.h1 == r.h2 && r.h2 == r.h3 && r.h3 == r.h4) {
        key.k1 = r.h4;
        key.k2 = r.h0;
        return true;
    }
    return false;
}

bool IsFullHouse(const FiveCards& sorted, HandKey& key) {
    const Ranks r(sorted);
    if (r.h0 == r.h1 && r.h1 == r.h2 && r.h3 == r.h4) {
        key.k1 = r.h0;
        key.k2 = r.h3;
        return true;
    }
    if (r.h0 == r.h1 && r.h2 == r.h3 && r.h3 == r.h4) {
        key.k1 = r.h2;
        key.k2 = r.h0;
        return true;
    }
    return false;
}

bool IsFlush(const FiveCards& sorted, HandKey& key) {
    const std::int32_t suit = sorted[0].suit;
    for (const Card& c : sorted) {
        if (c.suit != suit) {
            return false;
        }
    }
    HighCardKeys(sorted, key);
    return true;
}

bool IsStraight(const FiveCards& sorted, HandKey& key) {
    const Ranks r(sorted);
    if (r.h0 == kAce && r.h1 == kTen && r.h2 == kJack && r.h3 == kQueen && r.h4 == kKing) {
        key.k1 = kAce;
        return true;
    }
    if (r.h1 == r.h0 + 1 && r.h2 == r.h0 + 2 && r.h3 == r.h0 + 3 && r.h4 == r.h0 + 4) {
        key.k1 = r.h4;
        return true;
    }
    return false;
}

bool IsThreeOfKind(const FiveCards& sorted, HandKey& key) {
    const Ranks r(sorted);
    std::int32_t three;
    std::int32_t a;
    std::int32_t b;
    if (r.h0 == r.h1 && r.h1 == r.h2) {
        three = r.h0, a = r.h3, b = r.h4;
    } else if (r.h1 == r.h2 && r.h2 == r.h3) {
        three = r.h1, a = r.h0, b = r.h4;
    } else if (r.h2 == r.h3 && r.h3 == r.h4) {
        three = r.h2, a = r.h0, b = r.h1;
    } else {
        return false;
    }
    key.k1 = three;
    OrderPair(a, b, key.k2, key.k3);
    return true;
}

bool IsTwoPair(const FiveCards& sorted, HandKey& key) {
    const Ranks r(sorted);
    std::int32_t p;
    std::int32_t q;
    std::int32_t kicker;
    if (r.h0 == r.h1 && r.h2 == r.h3) {
        p = r.h0, q = r.h2, kicker = r.h4;
    } else if (r.h0 == r.h1 && r.h3 == r.h4) {
        p = r.h0, q = r.h3, kicker = r.h2;
    } else if (r.h1 == r.h2 && r.h3 == r.h4) {
        p = r.h1, q = r.h3, kicker = r.h0;
    } else {
        return false;
    }
    OrderPair(p, q, key.k1, key.k2);
    key.k3 = kicker;
    return true;
}

bool IsOnePair(const FiveCards& sorted, HandKey& key) {
    const Ranks r(sorted);
    std::array<std::int32_t, 3> kickers{};
    std::int32_t pair;
    if (r.h0 == r.h1) {
        pair = r.h0, kickers = {r.h2, r.h3, r.h4};
    } else if (r.h1 == r.h2) {
        pair = r.h1, kickers = {r.h0, r.h3, r.h4};
    } else if (r.h2 == r.h3) {
        pair = r.h2, kickers = {r.h0, r.h1, r.h4};
    } else if (r.h3 == r.h4) {
        pair = r.h3, kickers = {r.h0, r.h1, r.h2};
    } else {
        return false;
    }
    std::sort(kickers.begin(), kickers.end(), ByValueDescending);
    key.k1 = pair;
    key.k2 = kickers[0];
    key.k3 = kickers[1];
    key.k4 = kickers[2];
    return true;
}

void HighCardKeys(const FiveCards& sorted, HandKey& key) {
    std::array<std::int32_t, 5> ranks{sorted[0].rank, sorted[1].rank, sorted[2].rank,
                                      sorted[3].rank, sorted[4].rank};
    std::sort(ranks.begin(), ranks.end(), ByValueDescending);
    key.k1 = ranks[0];
    key.k2 = ranks[1];
    key.k3 = ranks[2];
    key.k4 = ranks[3];
    key.k5 = ranks[4];
}

HandKey Classify(const FiveCards& sorted) {
    using Detector = bool (*)(const FiveCards&, HandKey&);
    struct Entry {
        Detector detect;
        HandCategory category;
    };
    static constexpr Entry kDetectors[] = {
        {IsStraightFlush, StraightFlush},
        {IsFourOfKind, FourOfKind},
        {IsFullHouse, FullHouse},
        {IsFlush, Flush},
        {IsStraight, Straight},
        {IsThreeOfKind, ThreeOfKind},
        {IsTwoPair, TwoPair},
        {IsOnePair, OnePair},
    };
    for (const Entry& entry : kDetectors) {
        HandKey key{};
        if (entry.detect(sorted, key)) {
            key.category = entry.category;
            return key;
        }
    }
    HandKey key{};
    HighCardKeys(sorted, key);
    key.category = HighCard;
    return key;
}

int CompareKeys(const HandKey& a, const HandKey& b) {
    if (a.category != b.category) {
        return a.category - b.category;
    }
    const std::int32_t ka[] = {a.k1, a.k2, a.k3, a.k4};
    const std::int32_t kb[] = {b.k1, b.k2, b.k3, b.k4};
    for (int i = 0; i < 4; ++i) {
        if (ka[i] != kb[i]) {
            return CompareRanks(ka[i], kb[i]);
        }
    }
    return CompareRanks(a.k5, b.k5);
}

int CompareHands(const FiveCards& a, const FiveCards& b) {
    return CompareKeys(Classify(a), Classify(b));
}

void BestOfSeven(const SevenCards& seven, FiveCards& best, std::int32_t& holeUsed) {
    SelectCombination(seven, 0, best, holeUsed);
    SortByRank(best);
    for (int index = 1; index < kCombinations; ++index) {
        FiveCards candidate{};
        std::int32_t candidateHole = 0;
        SelectCombination(seven, index, candidate, candidateHole);
        SortByRank(candidate);
        if (CompareHands(best, candidate) < 0) {
            best = candidate;
            holeUsed = candidateHole;
        }
    }
}

} // namespace quillory
