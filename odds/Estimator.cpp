#include "odds/Estimator.h"

#include "engine/FastEval.h"
#include "engine/Table.h"
#include "platform/Random.h"

#include <algorithm>
#include <utility>

namespace quillory {

namespace {

// The known cards of one estimate.
struct KnownCards {
    Card first{};
    Card second{};
    std::int32_t k{0};
    BoardCards board{};
};

KnownCards MakeKnown(const Card& first, const Card& second, std::int32_t k,
                     const BoardCards& board) {
    return KnownCards{first, second, std::clamp(k, 0, 5), board};
}

bool ValidRun(std::int32_t n, std::int64_t trials) {
    return n >= kMinPlayers && n <= kMaxPlayers && trials > 0;
}

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

// One trial's cards: a partial Fisher-Yates pass over a copy of the unknown
// cards. Step j swaps position j with a position drawn uniformly from j to
// count - 1, so positions 0, 1, 2, ... come out as a uniform sample without
// replacement, in order. Each 64-bit number of the generator serves two steps.
class TrialDealer {
public:
    // Draws the first `cards` positions (at most 25; at least 45 cards are
    // unknown).
    TrialDealer(const UnknownCards& unknown, std::uint32_t seed, std::uint32_t cards)
        : m_cards(unknown.index) {
        RandomStream random(seed);
        const std::uint32_t count = unknown.count;
        for (std::uint32_t j = 0; j < cards; j += 2) {
            const std::uint64_t bits = random.Next64();
            Step(j, count, static_cast<std::uint32_t>(bits));
            Step(j + 1, count, static_cast<std::uint32_t>(bits >> 32));
        }
    }

    // The fresh-deck index of the card drawn at position j.
    int operator[](std::uint32_t j) const { return m_cards[j]; }

private:
    void Step(std::uint32_t j, std::uint32_t count, std::uint32_t bits) {
        std::swap(m_cards[j], m_cards[j + ScaleToBound(bits, count - j)]);
    }

    std::array<std::uint8_t, kDeckSize> m_cards;
};

// Cards a trial draws: the unknown board cards and two per opponent.
std::uint32_t CardsNeeded(std::int32_t k, std::int32_t n) {
    return static_cast<std::uint32_t>(5 - k + 2 * (n - 1));
}

// One trial through a Table and its Showdown: true when seat 0 is among the
// winners. `winners` is reused across trials, so it allocates only once.
bool TrialByTable(const KnownCards& known, const UnknownCards& unknown, std::int32_t n,
                  std::uint32_t seed, WinnerList& winners) {
    const TrialDealer deal(unknown, seed, CardsNeeded(known.k, n));
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

constexpr std::int32_t kOpponentGroup = 3;

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

// One trial decided from strengths. Requires real, distinct known cards: the
// drawn cards are then real and distinct too, and seat 0 is among the winners
// exactly when no opponent's strength exceeds its own. Opponents after the
// first one that beats seat 0 need not be dealt.
bool TrialByStrength(const UnknownCards& unknown, const KnownMasks& masks, std::int32_t k,
                     std::int32_t n, std::uint32_t seed, const EvalTables& tables) {
    const TrialDealer deal(unknown, seed, CardsNeeded(k, n));
    std::uint32_t next = 0;
    HandMasks board = masks.board;
    for (std::int32_t i = k; i < 5; ++i) {
        board.AddIndex(deal[next++]);
    }
    const HandOrdinal own = k == 5 ? masks.own : (board + masks.hole).Ordinal(tables);
    // Opponents are compared in groups without a branch between them, which
    // keeps the processor's pipeline full; a group that holds a better hand
    // ends the trial.
    HandOrdinal best = 0;
    for (std::int32_t s = 1; s < n; ++s) {
        best = std::max(best, OrdinalWithTwo(board, deal[next], deal[next + 1], tables));
        next += 2;
        if (s % kOpponentGroup == 0 && best > own) {
            return false;
        }
    }
    return best <= own;
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
    const UnknownCards unknown(known);
    const KnownMasks masks(known);
    const EvalTables& tables = GetEvalTables();
    const std::uint32_t base = seeds.Read();
    std::int32_t wins = 0;
    for (std::int64_t t = firstTrial; t < firstTrial + count; ++t) {
        const std::uint32_t seed = SeedSource::SeedOf(base, t);
        wins += TrialByStrength(unknown, masks, known.k, n, seed, tables) ? 1 : 0;
    }
    return wins;
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
