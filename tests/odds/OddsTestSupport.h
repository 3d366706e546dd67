#pragma once

// What the estimator tests share: tick sources that make seeds repeatable, a
// word-for-word version of the trial procedure on the reference evaluation,
// and a way to write cards in tests.

#include "../engine/TestCards.h"
#include "engine/Deck.h"
#include "engine/HandEval.h"
#include "engine/Table.h"
#include "odds/Estimator.h"
#include "platform/TickCount.h"

#include <atomic>
#include <vector>

namespace quillory::test {

inline std::atomic<std::uint32_t> g_ticks{0};

// Returns the stored value at every read.
inline std::uint32_t FixedTicks() {
    return g_ticks.load();
}

// Advances by one at every read, like a clock that moves during an estimate.
inline std::uint32_t CountingTicks() {
    return g_ticks.fetch_add(1);
}

// Installs a tick source starting at `value` for the object's lifetime.
class TicksFrom {
public:
    TicksFrom(std::uint32_t value, TickSource source = FixedTicks) : m_scope(source) {
        g_ticks.store(value);
    }
    void Restart(std::uint32_t value) { g_ticks.store(value); }

private:
    ScopedTickSource m_scope;
};

// True when seat 0 is among the winners by the reference evaluation: each
// seat's best hand by BestHand, compared with CompareHands, seat by seat.
inline bool SeatZeroWinsByReference(const Table& table) {
    return ReferenceWinners(table, table.SeatCount()).front() == 0;
}

// The trial procedure step by step, with nothing shared between trials and
// the reference evaluation deciding every showdown. k must be 0 to 5.
inline std::int32_t LiteralEstimate(const Card& first, const Card& second, std::int32_t k,
                                    const BoardCards& board, std::int32_t n, std::int32_t trials) {
    std::int32_t wins = 0;
    for (std::int32_t t = 0; t < trials; ++t) {
        Deck deck;
        deck.Shuffle(static_cast<std::int32_t>(GetTickCount() + static_cast<std::uint32_t>(t)));
        deck.Shuffle(static_cast<std::int32_t>(GetTickCount() + static_cast<std::uint32_t>(t)));
        Table table(static_cast<std::uint32_t>(n));
        deck.Reserve(first);
        deck.Reserve(second);
        for (std::int32_t i = 0; i < k; ++i) {
            deck.Reserve(board[static_cast<std::size_t>(i)]);
        }
        table.SetSeat(0, first, second);
        Card flop[3];
        for (std::int32_t i = 0; i < 3; ++i) {
            if (k >= i + 1) {
                flop[i] = board[static_cast<std::size_t>(i)];
            } else {
                deck.Deal(flop[i]);
            }
        }
        table.SetFlop(flop[0], flop[1], flop[2]);
        Card turn;
        if (k >= 4) {
            turn = board[3];
        } else {
            deck.Deal(turn);
        }
        table.SetTurn(turn);
        Card river;
        if (k >= 5) {
            river = board[4];
        } else {
            deck.Deal(river);
        }
        table.SetRiver(river);
        for (std::int32_t s = 1; s < n; ++s) {
            Card a;
            Card b;
            deck.Deal(a);
            deck.Deal(b);
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
