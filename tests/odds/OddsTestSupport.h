#pragma once

// What the estimator tests share: a moving clock for SeedSource::Ticks, a
// word-for-word version of the trial procedure on the reference evaluation,
// and a way to write cards in tests.

#include "../engine/TestCards.h"
#include "engine/Deck.h"
#include "engine/HandEval.h"
#include "engine/Table.h"
#include "odds/Estimator.h"
#include "platform/Random.h"
#include "platform/TickCount.h"

#include <algorithm>
#include <atomic>
#include <vector>

namespace quillory::test {

inline std::atomic<std::uint32_t> g_ticks{0};

// Advances by one at every read, like a clock that moves during an estimate;
// starts where g_ticks was last set.
inline std::uint32_t CountingTicks() {
    return g_ticks.fetch_add(1);
}

// True when seat 0 is among the winners by the reference evaluation: each
// seat's best hand by BestHand, compared with CompareHands, seat by seat.
inline bool SeatZeroWinsByReference(const Table& table) {
    return ReferenceWinners(table, table.SeatCount()).front() == 0;
}

// The trial procedure step by step, with nothing shared between trials and
// the reference evaluation deciding every showdown: trial t takes the state
// (base + t XOR kTrialSeedMask) * kTrialSeedMultiplier, lists the cards that
// are not known, and draws by a partial Fisher-Yates pass the unknown board
// cards and then two cards per opponent. Step j reads the 64-bit number
// Mix64(state + (j / 7 + 1) * golden) as a fraction of 2^64 for j % 7 = 0,
// takes the integer part of fraction * (cards left) as the offset of the card
// to swap in, and keeps the fractional part for step j + 1. k must be 0 to 5.
inline std::int32_t LiteralEstimate(const Card& first, const Card& second, std::int32_t k,
                                    const BoardCards& board, std::int32_t n, std::int32_t trials,
                                    std::uint32_t base) {
    __extension__ using Wide = unsigned __int128;
    std::int32_t wins = 0;
    for (std::int32_t t = 0; t < trials; ++t) {
        const std::uint64_t state =
            (std::uint64_t{base + static_cast<std::uint32_t>(t)} ^ kTrialSeedMask) *
            kTrialSeedMultiplier;
        std::vector<Card> unknown;
        for (int i = 0; i < kDeckSize; ++i) {
            const Card c = CardAtFreshIndex(i);
            const bool onBoard =
                std::find(board.begin(), board.begin() + k, c) != board.begin() + k;
            if (c != first && c != second && !onBoard) {
                unknown.push_back(c);
            }
        }
        std::size_t next = 0;
        Wide fraction = 0;
        auto draw = [&] {
            if (next % 7 == 0) {
                fraction = detail::Mix64(state + (next / 7 + 1) * detail::kGolden);
            }
            const Wide scaled = fraction * (unknown.size() - next);
            fraction = scaled % (Wide{1} << 64);
            const auto j = next + static_cast<std::size_t>(scaled >> 64);
            std::swap(unknown[next], unknown[j]);
            return unknown[next++];
        };
        std::array<Card, 5> full{};
        for (std::int32_t i = 0; i < 5; ++i) {
            full[static_cast<std::size_t>(i)] = i < k ? board[static_cast<std::size_t>(i)] : draw();
        }
        Table table(static_cast<std::uint32_t>(n));
        table.SetSeat(0, first, second);
        table.SetFlop(full[0], full[1], full[2]);
        table.SetTurn(full[3]);
        table.SetRiver(full[4]);
        for (std::int32_t s = 1; s < n; ++s) {
            const Card a = draw();
            const Card b = draw();
            table.SetSeat(static_cast<std::uint32_t>(s), a, b);
        }
        wins += SeatZeroWinsByReference(table) ? 1 : 0;
    }
    return wins;
}

// A board from card text ("Qh Jh 2c"); the slots after the given cards hold
// no card.
inline BoardCards Board(std::string_view text) {
    BoardCards board{};
    const auto cards = ParseCards(text);
    for (std::size_t i = 0; i < cards.size() && i < 5; ++i) {
        board[i] = cards[i];
    }
    return board;
}

} // namespace quillory::test
