#pragma once

#include "engine/Card.h"
#include "platform/TickCount.h"

#include <array>
#include <cstdint>

namespace quillory {

// The window's board: flop cards 0-2, turn 3, river 4. The estimator reads only
// the first k (the known cards); the rest may hold anything.
using BoardCards = std::array<Card, 5>;

// Table sizes the estimator plays: the user and up to nine opponents.
inline constexpr std::int32_t kMinPlayers = 1;
inline constexpr std::int32_t kMaxPlayers = 10;

// The trial's random stream (see EstimateWins): its state starts at
// ((B + t) XOR kTrialSeedMask) * kTrialSeedMultiplier.
inline constexpr std::uint64_t kTrialSeedMask = 0x5851F42D4C957F2DULL;
inline constexpr std::uint64_t kTrialSeedMultiplier = 0xD1B54A32D192ED03ULL;

// Monte Carlo estimate of the user's chance to win the showdown.
//
// Returns W, 0 <= W <= trials: the number of trials in which seat 0, holding
// `first` and `second`, is among the winners (a shared first place counts as a
// win). `k` is the number of known board cards, board[0] to board[k-1]; values
// below 0 act as 0 and above 5 as 5. `n` is the number of players including
// the user, 1 to 10; outside that range, or for trials <= 0, no trial runs and
// the result is 0. Callers pass trials = TrialCount(n) (odds/Labels.h).
//
// The seed source is read once, at the start; call the value B. Trial t = 0,
// 1, ..., trials-1 draws the cards it needs uniformly, without replacement,
// from the unknown cards: the 52 cards less the real cards among first,
// second and board[0..k-1], listed in increasing fresh-deck order. The draw
// is a partial Fisher-Yates pass over that list: the unknown board cards in
// board order first, then two cards for each opponent seat 1 to n-1 in turn.
// Its random bits come from one SplitMix64 stream per trial: the state
// starts at ((B + t) XOR kTrialSeedMask) * kTrialSeedMultiplier (modulo
// 2^64), and the trial's i-th 64-bit number (i = 0, 1, ...) is
// Mix64(state + (i + 1) * golden) (platform/Random.h). Number i serves steps
// 7i to 7i + 6: step j reads it as a fraction f of 2^64, swaps position j
// with position j + floor(f * (count - j)) and keeps the fractional part of
// f * (count - j) for step j + 1 (count being the number of unknown cards).
// Seven steps use under 40 of the 64 bits, so no card is more than 2^-24
// more likely than another. A Fixed source thus repeats an estimate exactly,
// and trial t does not depend on any other trial, so any split of the trials
// over threads gives the same counts.
//
// The winners are those of Table::Showdown. When the user's cards and the
// known board are real and distinct, the trial is decided from the hands'
// ordinals without building a Table, stopping once a group of opponents
// holds a better hand; the cards of the opponents after it are then not
// drawn, which leaves the others as they are, since a step never moves an
// earlier position. Otherwise (duplicates or no-cards among the known cards,
// which entry mode allows) every trial builds the Table with the same drawn
// cards and runs its Showdown as it stands. Neither path allocates per trial.
std::int32_t EstimateWins(const Card& first, const Card& second, std::int32_t k,
                          const BoardCards& board, std::int32_t n, std::int32_t trials,
                          const SeedSource& seeds);

// The window's form: seeds from the tick count (SeedSource::Clock()).
std::int32_t EstimateWins(const Card& first, const Card& second, std::int32_t k,
                          const BoardCards& board, std::int32_t n, std::int32_t trials);

// Trials firstTrial to firstTrial + count - 1 of the estimate above, trial t
// seeded with B + t (B read from `seeds` at the start of this call): the share
// of one worker when an estimate is split over threads. With a Fixed source
// the counts of disjoint ranges add up to the whole estimate's.
std::int32_t EstimateWinsOfTrials(const Card& first, const Card& second, std::int32_t k,
                                  const BoardCards& board, std::int32_t n, std::int64_t firstTrial,
                                  std::int32_t count, const SeedSource& seeds);

// The same estimate always through Table::Showdown and a winner list, with no
// shortcut, from the same drawn cards. Gives the same result as EstimateWins
// for every input; kept as the yardstick the fast path is checked against.
std::int32_t EstimateWinsByTable(const Card& first, const Card& second, std::int32_t k,
                                 const BoardCards& board, std::int32_t n, std::int32_t trials,
                                 const SeedSource& seeds);
std::int32_t EstimateWinsByTable(const Card& first, const Card& second, std::int32_t k,
                                 const BoardCards& board, std::int32_t n, std::int32_t trials);

} // namespace quillory
