// The showdown of a table. Both operations take a fast path on bit masks when
// every card at the table is real and distinct (always the case for dealt
// hands) and the reference evaluation otherwise; the two decide identically.
#include "engine/FastEval.h"
#include "engine/Table.h"

namespace quillory {

namespace {

// True when all board cards and the hole cards of seats 0 to n-1 are real and
// distinct, so the fast evaluation applies.
bool FastPathApplies(const std::array<Card, 5>& board, const Table& table, std::uint32_t n) {
    std::uint64_t seen = 0;
    auto take = [&seen](const Card& c) {
        if (!IsRealCard(c)) {
            return false;
        }
        const std::uint64_t bit = 1ULL << FreshDeckIndex(c);
        const bool fresh = (seen & bit) == 0;
        seen |= bit;
        return fresh;
    };
    for (const Card& c : board) {
        if (!take(c)) {
            return false;
        }
    }
    for (std::uint32_t s = 0; s < n; ++s) {
        if (!take(table.Seat(s).first) || !take(table.Seat(s).second)) {
            return false;
        }
    }
    return true;
}

HandMasks BoardMasks(const std::array<Card, 5>& board) {
    HandMasks masks;
    for (const Card& c : board) {
        masks.Add(c);
    }
    return masks;
}

HandStrength SeatStrength(const HandMasks& board, const SeatCards& seat) {
    HandMasks masks = board;
    masks.Add(seat.first);
    masks.Add(seat.second);
    return masks.Evaluate();
}

// Folds one more seat into the running best and winners list.
template <typename Value, typename Compare>
void TakeSeat(std::int32_t seat, const Value& value, Value& best, WinnerList& winners,
              Compare compare) {
    const int order = compare(best, value);
    if (order == 0) {
        winners.push_back(seat);
    } else if (order < 0) {
        best = value;
        winners.assign(1, seat);
    }
}

int CompareStrengths(HandStrength a, HandStrength b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

} // namespace

void Table::Showdown(WinnerList& winners) const {
    winners.assign(1, 0);
    const std::uint32_t n = SeatCount();
    if (FastPathApplies(m_board, *this, n)) {
        const HandMasks board = BoardMasks(m_board);
        HandStrength best = SeatStrength(board, m_seats[0]);
        for (std::uint32_t s = 1; s < n; ++s) {
            TakeSeat(static_cast<std::int32_t>(s), SeatStrength(board, m_seats[s]), best, winners,
                     CompareStrengths);
        }
        return;
    }
    FiveCards best{};
    std::int32_t hole = 0;
    BestHand(0, best, hole);
    for (std::uint32_t s = 1; s < n; ++s) {
        FiveCards hand{};
        hand.fill(kNoCard);
        BestHand(s, hand, hole);
        TakeSeat(static_cast<std::int32_t>(s), hand, best, winners, CompareHands);
    }
}

void Table::ShowdownDetail(std::int32_t n, WinnerList& winners,
                           std::vector<std::int32_t>& categories,
                           std::vector<std::int32_t>& leadingRanks,
                           std::vector<std::int32_t>& holeCardsUsed) const {
    const auto count = static_cast<std::size_t>(n);
    categories.resize(count);
    leadingRanks.resize(count);
    holeCardsUsed.resize(count);
    winners.assign(1, 0);

    const bool fast = FastPathApplies(m_board, *this, static_cast<std::uint32_t>(n));
    const HandMasks board = BoardMasks(m_board);
    HandKey bestKey{};
    for (std::uint32_t s = 0; s < static_cast<std::uint32_t>(n); ++s) {
        HandKey key{};
        if (fast) {
            const HandStrength strength = SeatStrength(board, m_seats[s]);
            key = KeyOf(strength);
            holeCardsUsed[s] = HoleCardsUsed(SevenOf(s), strength);
        } else {
            FiveCards hand{};
            BestHand(s, hand, holeCardsUsed[s]);
            key = Classify(hand);
        }
        categories[s] = key.category;
        leadingRanks[s] = key.k1;
        if (s == 0) {
            bestKey = key;
        } else {
            TakeSeat(static_cast<std::int32_t>(s), key, bestKey, winners, CompareKeys);
        }
    }
}

} // namespace quillory
