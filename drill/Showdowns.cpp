#include "drill/Showdowns.h"

#include "engine/FastEval.h"

#include <algorithm>
#include <random>
#include <vector>

namespace quillory::drill {
namespace {

// The fresh-deck indices of the cards not among the hole and known board cards.
std::vector<int> UnknownCards(const std::array<Card, 2>& hole, const std::array<Card, 5>& board,
                              int known) {
    std::array<bool, kDeckSize> used{};
    for (const Card& card : hole) {
        used[static_cast<std::size_t>(FreshDeckIndex(card))] = true;
    }
    for (int i = 0; i < known; ++i) {
        used[static_cast<std::size_t>(FreshDeckIndex(board[static_cast<std::size_t>(i)]))] = true;
    }
    std::vector<int> unknown;
    for (int index = 0; index < kDeckSize; ++index) {
        if (!used[static_cast<std::size_t>(index)]) {
            unknown.push_back(index);
        }
    }
    return unknown;
}

HandMasks MasksOf(const Card* cards, int count) {
    HandMasks masks;
    for (int i = 0; i < count; ++i) {
        masks.Add(cards[i]);
    }
    return masks;
}

// One showdown heads-up on a complete board: the opponent's holding a, b.
void AddHeadsUp(const HandMasks& board, HandOrdinal mine, int a, int b, const EvalTables& tables,
                Tally& tally) {
    HandMasks theirs = board;
    theirs.AddIndex(a);
    theirs.AddIndex(b);
    const HandOrdinal other = theirs.Ordinal(tables);
    tally.showdowns += 1;
    if (mine > other) {
        tally.wins += 1;
        tally.share += 1;
    } else if (mine == other) {
        tally.wins += 1;
        tally.share += 0.5;
    }
}

} // namespace

Tally& Tally::operator+=(const Tally& other) {
    showdowns += other.showdowns;
    wins += other.wins;
    share += other.share;
    return *this;
}

Tally CountHeadsUp(const std::array<Card, 2>& hole, const std::array<Card, 5>& board, int known) {
    const EvalTables& tables = GetEvalTables();
    const std::vector<int> unknown = UnknownCards(hole, board, known);
    const int n = static_cast<int>(unknown.size());
    const HandMasks knownBoard = MasksOf(board.data(), known);
    const HandMasks holeMasks = MasksOf(hole.data(), 2);
    Tally tally;
    // The board's missing cards: none, one or two, chosen as index pairs
    // (first, second) with -1 for a card not needed.
    const int missing = 5 - known;
    const auto visit = [&](int first, int second) {
        HandMasks full = knownBoard;
        if (first >= 0) {
            full.AddIndex(unknown[static_cast<std::size_t>(first)]);
        }
        if (second >= 0) {
            full.AddIndex(unknown[static_cast<std::size_t>(second)]);
        }
        const HandOrdinal mine = (full + holeMasks).Ordinal(tables);
        for (int a = 0; a < n; ++a) {
            if (a == first || a == second) {
                continue;
            }
            for (int b = a + 1; b < n; ++b) {
                if (b == first || b == second) {
                    continue;
                }
                AddHeadsUp(full, mine, unknown[static_cast<std::size_t>(a)],
                           unknown[static_cast<std::size_t>(b)], tables, tally);
            }
        }
    };
    if (missing == 0) {
        visit(-1, -1);
    } else if (missing == 1) {
        for (int first = 0; first < n; ++first) {
            visit(first, -1);
        }
    } else {
        for (int first = 0; first < n; ++first) {
            for (int second = first + 1; second < n; ++second) {
                visit(first, second);
            }
        }
    }
    return tally;
}

Tally SampleShowdowns(const std::array<Card, 2>& hole, const std::array<Card, 5>& board, int known,
                      int players, std::int32_t deals, std::uint64_t seed) {
    const EvalTables& tables = GetEvalTables();
    std::vector<int> deck = UnknownCards(hole, board, known);
    const int n = static_cast<int>(deck.size());
    const int missing = 5 - known;
    const int opponents = std::clamp(players, 2, 10) - 1;
    const int needed = missing + 2 * opponents;
    const HandMasks knownBoard = MasksOf(board.data(), known);
    const HandMasks holeMasks = MasksOf(hole.data(), 2);
    std::mt19937_64 generator(seed);
    Tally tally;
    for (std::int32_t deal = 0; deal < deals; ++deal) {
        // A partial Fisher-Yates pass: the first `needed` places are the deal.
        for (int i = 0; i < needed; ++i) {
            const std::uint64_t draw = generator() >> 32;
            const int j = i + static_cast<int>((draw * static_cast<std::uint64_t>(n - i)) >> 32);
            std::swap(deck[static_cast<std::size_t>(i)], deck[static_cast<std::size_t>(j)]);
        }
        HandMasks full = knownBoard;
        for (int i = 0; i < missing; ++i) {
            full.AddIndex(deck[static_cast<std::size_t>(i)]);
        }
        const HandOrdinal mine = (full + holeMasks).Ordinal(tables);
        int tied = 1;
        bool beaten = false;
        for (int seat = 0; seat < opponents && !beaten; ++seat) {
            HandMasks theirs = full;
            theirs.AddIndex(deck[static_cast<std::size_t>(missing + 2 * seat)]);
            theirs.AddIndex(deck[static_cast<std::size_t>(missing + 2 * seat + 1)]);
            const HandOrdinal other = theirs.Ordinal(tables);
            beaten = other > mine;
            tied += other == mine ? 1 : 0;
        }
        tally.showdowns += 1;
        if (!beaten) {
            tally.wins += 1;
            tally.share += 1.0 / tied;
        }
    }
    return tally;
}

} // namespace quillory::drill
