#pragma once

#include "engine/Card.h"

#include <array>
#include <cstdint>

namespace quillory {

// The window's board: flop cards 0-2, turn 3, river 4. The estimator reads only
// the first k (the known cards); the rest may hold anything.
using BoardCards = std::array<Card, 5>;

// Table sizes the estimator plays: the user and up to nine opponents.
inline constexpr std::int32_t kMinPlayers = 1;
inline constexpr std::int32_t kMaxPlayers = 10;

// Monte Carlo estimate of the user's chance to win the showdown.
//
// Returns W, 0 <= W <= trials: the number of trials in which seat 0, holding
// `first` and `second`, is among the winners (a shared first place counts as a
// win). `k` is the number of known board cards, board[0] to board[k-1]; values
// below 0 act as 0 and above 5 as 5. `n` is the number of players including
// the user, 1 to 10; outside that range, or for trials <= 0, no trial runs and
// the result is 0. Callers pass trials = TrialCount(n) (odds/Labels.h).
//
// Trial t = 0, 1, ..., trials-1 deals exactly these cards: a fresh Deck is
// shuffled twice, each time with the seed GetTickCount() + t (the tick count
// read anew for each shuffle), and reserves first, second and board[0..k-1];
// the unknown board cards are then dealt in board order, then two cards for
// each opponent seat 1 to n-1 in turn. A fixed tick source (ScopedTickSource)
// thus makes trial t use the seed value + t, and the whole estimate repeat.
//
// The winners are those of Table::Showdown. When the user's cards and the known
// board are real and distinct, every dealt table is too, and the trial is
// decided from bit-mask strengths without building a Table, stopping at the
// first opponent that beats seat 0. Otherwise (duplicates or no-cards among
// the known cards, which entry mode allows) every trial builds the Table and
// runs its Showdown as it stands, so odd input behaves exactly as the literal
// procedure. Neither path allocates per trial.
std::int32_t EstimateWins(const Card& first, const Card& second, std::int32_t k,
                          const BoardCards& board, std::int32_t n, std::int32_t trials);

// The same estimate always through Table::Showdown and a winner list, with no
// shortcut. Gives the same result as EstimateWins for every input; kept for
// odd input and as the yardstick the fast path is measured against.
std::int32_t EstimateWinsByTable(const Card& first, const Card& second, std::int32_t k,
                                 const BoardCards& board, std::int32_t n, std::int32_t trials);

} // namespace quillory
