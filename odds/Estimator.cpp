#include "odds/Estimator.h"

#include "engine/FastEval.h"
#include "engine/Table.h"
#include "odds/StrengthTrial.h"
#include "odds/TrialDealer.h"
#include "platform/Random.h"

#include <algorithm>
#include <utility>

namespace quillory {

namespace {

using estimator::CountByStrength;
using estimator::CountFewByStrength;
using estimator::KnownCards;
using estimator::UnknownCards;

KnownCards MakeKnown(const Card& first, const Card& second, std::int32_t k,
                     const BoardCards& board) {
    return KnownCards{first, second, std::clamp(k, 0, 5), board};
}

bool ValidRun(std::int32_t n, std::int64_t trials) {
    return n >= kMinPlayers && n <= kMaxPlayers && trials > 0;
}

// Cards a trial draws: the unknown board cards and two per opponent.
std::uint32_t CardsNeeded(std::int32_t k, std::int32_t n) {
    return static_cast<std::uint32_t>(5 - k + 2 * (n - 1));
}

// One trial through a Table and its Showdown: true when seat 0 is among the
// winners. `winners` is reused across trials, so it allocates only once.
bool TrialByTable(const KnownCards& known, const UnknownCards& unknown, std::int32_t n,
                  std::uint32_t seed, WinnerList& winners) {
    TrialDealer deal(unknown.index, seed);
    deal.DrawUpTo(CardsNeeded(known.k, n), unknown.count, CardsNeeded(known.k, n));
    std::uint32_t next = 0;
    BoardCards full{};
    for (std::int32_t i = 0; i < 5; ++i) {
        full[static_cast<std::size_t>(i)] =
            i < known.k ? known.board[static_cast<std::size_t>(i)] : CardAtFreshIndex(deal[next++]);
    }
    Table table(static_cast<std::uint32_t>(n));
    table.SetSeat(0, known.first, known.second);
    table.SetFlop(full[0], full[1], full[2]);
    table.SetTurn(full[3]);
    table.SetRiver(full[4]);
    for (std::int32_t s = 1; s < n; ++s) {
        const Card a = CardAtFreshIndex(deal[next++]);
        const Card b = CardAtFreshIndex(deal[next++]);
        table.SetSeat(static_cast<std::uint32_t>(s), a, b);
    }
    table.Showdown(winners);
    return std::count(winners.begin(), winners.end(), 0) > 0;
}

bool KnownRealAndDistinct(const KnownCards& known) {
    std::array<Card, 7> cards{known.first, known.second};
    std::copy_n(known.board.begin(), known.k, cards.begin() + 2);
    return AllRealAndDistinct(cards.data(), 2 + known.k);
}

std::int32_t CountByTable(const KnownCards& known, std::int32_t n, std::int64_t firstTrial,
                          std::int32_t count, const SeedSource& seeds) {
    const UnknownCards unknown(known);
    WinnerList winners;
    winners.reserve(static_cast<std::size_t>(n));
    const std::uint32_t base = seeds.Read();
    std::int32_t wins = 0;
    for (std::int64_t t = firstTrial; t < firstTrial + count; ++t) {
        wins += TrialByTable(known, unknown, n, SeedSource::SeedOf(base, t), winners) ? 1 : 0;
    }
    return wins;
}

} // namespace

std::int32_t EstimateWinsOfTrials(const Card& first, const Card& second, std::int32_t k,
                                  const BoardCards& board, std::int32_t n, std::int64_t firstTrial,
                                  std::int32_t count, const SeedSource& seeds) {
    if (!ValidRun(n, count)) {
        return 0;
    }
    const KnownCards known = MakeKnown(first, second, k, board);
    if (!KnownRealAndDistinct(known)) {
        return CountByTable(known, n, firstTrial, count, seeds);
    }
    const std::uint32_t base = seeds.Read();
    if (n > 1 && CardsNeeded(known.k, n) < kDrawsPerNumber) {
        switch (known.k) { // preflop a trial needs seven cards or more
        case 1:
            return CountFewByStrength<4>(known, n, firstTrial, count, base);
        case 2:
            return CountFewByStrength<3>(known, n, firstTrial, count, base);
        case 3:
            return CountFewByStrength<2>(known, n, firstTrial, count, base);
        case 4:
            return CountFewByStrength<1>(known, n, firstTrial, count, base);
        default:
            return CountFewByStrength<0>(known, n, firstTrial, count, base);
        }
    }
    switch (known.k) {
    case 0:
        return CountByStrength<5>(known, n, firstTrial, count, base);
    case 1:
        return CountByStrength<4>(known, n, firstTrial, count, base);
    case 2:
        return CountByStrength<3>(known, n, firstTrial, count, base);
    case 3:
        return CountByStrength<2>(known, n, firstTrial, count, base);
    case 4:
        return CountByStrength<1>(known, n, firstTrial, count, base);
    default:
        return CountByStrength<0>(known, n, firstTrial, count, base);
    }
}

std::int32_t EstimateWins(const Card& first, const Card& second, std::int32_t k,
                          const BoardCards& board, std::int32_t n, std::int32_t trials,
                          const SeedSource& seeds) {
    return EstimateWinsOfTrials(first, second, k, board, n, 0, trials, seeds);
}

std::int32_t EstimateWins(const Card& first, const Card& second, std::int32_t k,
                          const BoardCards& board, std::int32_t n, std::int32_t trials) {
    return EstimateWins(first, second, k, board, n, trials, SeedSource::Clock());
}

std::int32_t EstimateWinsByTable(const Card& first, const Card& second, std::int32_t k,
                                 const BoardCards& board, std::int32_t n, std::int32_t trials,
                                 const SeedSource& seeds) {
    if (!ValidRun(n, trials)) {
        return 0;
    }
    return CountByTable(MakeKnown(first, second, k, board), n, 0, trials, seeds);
}

std::int32_t EstimateWinsByTable(const Card& first, const Card& second, std::int32_t k,
                                 const BoardCards& board, std::int32_t n, std::int32_t trials) {
    return EstimateWinsByTable(first, second, k, board, n, trials, SeedSource::Clock());
}

} // namespace quillory
