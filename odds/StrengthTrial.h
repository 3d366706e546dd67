#pragma once

// The estimator's fast path (odds/Estimator.cpp): trials decided from the
// hands' ordinals, two at a time, without building a Table. Requires real,
// distinct known cards. Used by odds/Estimator.cpp only; a header beside
// TrialDealer.h so that the draw and the comparisons inline into one loop.

#include "engine/Card.h"
#include "engine/FastEval.h"
#include "odds/Estimator.h"
#include "odds/TrialDealer.h"
#include "platform/Random.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace quillory::estimator {

// The known cards of one estimate.
struct KnownCards {
    Card first{};
    Card second{};
    std::int32_t k{0};
    BoardCards board{};
};

// The cards a trial may draw: every card that is not a real known card, as
// fresh-deck indices in increasing order. Duplicates and no-cards among the
// known cards take nothing more out.
struct UnknownCards {
    std::array<std::uint8_t, kDeckSize> index{};
    std::uint32_t count{0};

    explicit UnknownCards(const KnownCards& known) {
        std::uint64_t taken = 0;
        auto take = [&taken](const Card& c) {
            if (IsRealCard(c)) {
                taken |= std::uint64_t{1} << FreshDeckIndex(c);
            }
        };
        take(known.first);
        take(known.second);
        for (std::int32_t i = 0; i < known.k; ++i) {
            take(known.board[static_cast<std::size_t>(i)]);
        }
        for (int c = 0; c < kDeckSize; ++c) {
            if (((taken >> c) & 1U) == 0) {
                index[count++] = static_cast<std::uint8_t>(c);
            }
        }
    }
};

// Opponents compared before the one check for a better hand than seat 0's;
// the opponents after them are compared together. Measured at ten players:
// 3 then 6 beats 4, 4, 1 (one unpredictable branch less, and the fourth
// number's steps are taken at once) and 2 then 7 (the first check stops
// too few trials).
inline constexpr std::int32_t kFirstGroup = 3;
// Tables up to this many players compare every opponent as one group,
// without the check: at five and six players that is 2-5 ns a trial faster
// than stopping after three; at seven it is even.
inline constexpr std::int32_t kOneGroupPlayers = 6;

// The masks that stay the same in every trial: the known board cards, seat
// 0's hole cards, and seat 0's strength once the board is known.
struct KnownMasks {
    HandMasks board{};
    HandMasks hole{};
    HandOrdinal own{0};

    explicit KnownMasks(const KnownCards& known) {
        for (std::int32_t i = 0; i < known.k; ++i) {
            board.Add(known.board[static_cast<std::size_t>(i)]);
        }
        hole.Add(known.first);
        hole.Add(known.second);
        if (known.k == 5) {
            own = (board + hole).Ordinal(GetEvalTables());
        }
    }
};

// A trial decided from strengths, with `BoardDraws` (5 - k) board cards to
// draw as a constant so that the board's sum is written out. Requires real,
// distinct known cards: the drawn cards are then real and distinct too, and
// seat 0 is among the winners exactly when no opponent's strength exceeds
// its own. Opponents are compared in two groups, without a branch inside a
// group (the processor's pipeline stays full); when the first group holds a
// better hand, the trial ends and the opponents after it are not dealt.
template <std::uint32_t BoardDraws> class StrengthTrial {
public:
    // Seven known cards, all real and distinct: 45 + BoardDraws are unknown.
    static constexpr std::uint32_t kCount = 45 + BoardDraws;

    StrengthTrial(const UnknownCards& unknown, std::uint32_t seed) : m_deal(unknown.index, seed) {}

    // The opponent after the first group, and the cards drawn up to it.
    static std::int32_t FirstGroupEnd(std::int32_t n) {
        return n <= kOneGroupPlayers ? n : 1 + kFirstGroup;
    }
    static std::uint32_t CardsBefore(std::int32_t seat) {
        return BoardDraws + 2 * static_cast<std::uint32_t>(seat - 1);
    }

    TrialDealer& Deal() { return m_deal; }

    // Seat 0's ordinal, once the board's cards are drawn.
    void Begin(const KnownMasks& masks, const EvalTables& tables) {
        m_board = masks.board;
        for (std::uint32_t i = 0; i < BoardDraws; ++i) {
            m_board.AddIndex(m_deal[i]);
        }
        m_own = BoardDraws == 0 ? masks.own : (m_board + masks.hole).Ordinal(tables);
    }

    // Compares the drawn opponents first to end - 1, one at a time.
    void Compare(std::int32_t first, std::int32_t end, const EvalTables& tables) {
        for (std::int32_t s = first; s < end; ++s) {
            const std::uint32_t at = CardsBefore(s);
            m_best = std::max(m_best, OrdinalWithTwo(m_board, m_deal[at], m_deal[at + 1], tables));
        }
    }

    // The same for two trials, opponent by opponent in turn.
    static void CompareBoth(StrengthTrial& a, StrengthTrial& b, std::int32_t first,
                            std::int32_t end, const EvalTables& tables) {
        for (std::int32_t s = first; s < end; ++s) {
            const std::uint32_t at = CardsBefore(s);
            a.m_best = std::max(a.m_best,
                                OrdinalWithTwo(a.m_board, a.m_deal[at], a.m_deal[at + 1], tables));
            b.m_best = std::max(b.m_best,
                                OrdinalWithTwo(b.m_board, b.m_deal[at], b.m_deal[at + 1], tables));
        }
    }

    // Draws and compares the opponents from `first` on, after a check that
    // ends the trial when one already beats seat 0; 1 when seat 0 wins,
    // else 0. That outcome is counted without a branch: it is the least
    // predictable one.
    std::int32_t Finish(std::int32_t first, std::int32_t n, const EvalTables& tables) {
        if (first < n) {
            if (m_best > m_own) {
                return 0;
            }
            m_deal.DrawUpTo(CardsBefore(n), kCount, CardsBefore(n));
            Compare(first, n, tables);
        }
        return m_best <= m_own ? 1 : 0;
    }

    // Finish for two trials: when both go on, their remaining opponents are
    // drawn and compared step by step in turn.
    static std::int32_t FinishBoth(StrengthTrial& a, StrengthTrial& b, std::int32_t first,
                                   std::int32_t n, const EvalTables& tables) {
        if (first < n && a.m_best <= a.m_own && b.m_best <= b.m_own) {
            TrialDealer::DrawBothUpTo(a.m_deal, b.m_deal, CardsBefore(n), kCount, CardsBefore(n));
            CompareBoth(a, b, first, n, tables);
            return (a.m_best <= a.m_own ? 1 : 0) + (b.m_best <= b.m_own ? 1 : 0);
        }
        return a.Finish(first, n, tables) + b.Finish(first, n, tables);
    }

private:
    TrialDealer m_deal;
    HandMasks m_board{};
    HandOrdinal m_own{0};
    HandOrdinal m_best{0};
};

// Wins of trials firstTrial to firstTrial + count - 1 by StrengthTrial. Two
// trials at a time share the first group's work step by step, which lets the
// processor overlap their chains of dependent loads and multiplications.
template <std::uint32_t BoardDraws>
std::int32_t CountByStrength(const KnownCards& known, std::int32_t n, std::int64_t firstTrial,
                             std::int32_t count, std::uint32_t base) {
    using Trial = StrengthTrial<BoardDraws>;
    const UnknownCards unknown(known);
    const KnownMasks masks(known);
    const EvalTables& tables = GetEvalTables();
    const std::int32_t end = Trial::FirstGroupEnd(n);
    std::int32_t wins = 0;
    std::int64_t t = firstTrial;
    for (; t + 1 < firstTrial + count; t += 2) {
        Trial a(unknown, SeedSource::SeedOf(base, t));
        Trial b(unknown, SeedSource::SeedOf(base, t + 1));
        TrialDealer::DrawBothUpTo(a.Deal(), b.Deal(), Trial::CardsBefore(end), Trial::kCount,
                                  Trial::CardsBefore(n));
        a.Begin(masks, tables);
        b.Begin(masks, tables);
        Trial::CompareBoth(a, b, 1, end, tables);
        wins += Trial::FinishBoth(a, b, end, n, tables);
    }
    if (t < firstTrial + count) {
        Trial last(unknown, SeedSource::SeedOf(base, t));
        last.Deal().DrawUpTo(Trial::CardsBefore(end), Trial::kCount, Trial::CardsBefore(n));
        last.Begin(masks, tables);
        last.Compare(1, end, tables);
        wins += last.Finish(end, n, tables);
    }
    return wins;
}

// The same for trials that need fewer than seven cards in all (heads-up
// and three-handed from the flop on, four-handed on the river): each
// trial's cards come from part of one number, one trial at a time. Kept
// apart from CountByStrength so that the common case's code stays as it is.
template <std::uint32_t BoardDraws>
[[gnu::noinline]] std::int32_t CountFewByStrength(const KnownCards& known, std::int32_t n,
                                                  std::int64_t firstTrial, std::int32_t count,
                                                  std::uint32_t base) {
    using Trial = StrengthTrial<BoardDraws>;
    const UnknownCards unknown(known);
    const KnownMasks masks(known);
    const EvalTables& tables = GetEvalTables();
    std::int32_t wins = 0;
    for (std::int64_t t = firstTrial; t < firstTrial + count; ++t) {
        Trial trial(unknown, SeedSource::SeedOf(base, t));
        trial.Deal().DrawFew(Trial::CardsBefore(n), Trial::kCount);
        trial.Begin(masks, tables);
        trial.Compare(1, n, tables);
        wins += trial.Finish(n, n, tables);
    }
    return wins;
}

} // namespace quillory::estimator
