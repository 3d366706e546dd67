#include "odds/ExactOdds.h"

#include "engine/FastEval.h"

#include <array>

namespace quillory {

namespace {

double Choose(std::int32_t n, std::int32_t r) {
    double result = 1.0;
    for (std::int32_t i = 1; i <= r; ++i) {
        result = result * static_cast<double>(n - r + i) / static_cast<double>(i);
    }
    return result;
}

std::uint64_t Bit(std::int32_t freshIndex) {
    return std::uint64_t{1} << freshIndex;
}

// An opponent holding that does not beat seat 0, as a card mask and whether it
// ties. Holdings that beat seat 0 are dropped: no showdown containing one
// counts for seat 0.
struct Holding {
    std::uint64_t mask{0};
    bool ties{false};
};

// The opponents' side of one completed board: every pair of the cards left
// that does not beat seat 0, and the ordered, disjoint choices of them.
class OpponentCount {
public:
    // Collects the holdings of the cards in `pool` against seat 0's strength
    // `own` on the completed `board`.
    void Fill(const HandMasks& board, HandStrength own, const std::int32_t* pool,
              std::int32_t poolSize) {
        m_count = 0;
        for (std::int32_t i = 0; i < poolSize; ++i) {
            HandMasks one = board;
            one.Add(CardAtFreshIndex(pool[i]));
            for (std::int32_t j = i + 1; j < poolSize; ++j) {
                HandMasks two = one;
                two.Add(CardAtFreshIndex(pool[j]));
                const HandStrength theirs = two.Evaluate();
                if (theirs <= own) {
                    m_holdings[m_count++] = Holding{Bit(pool[i]) | Bit(pool[j]), theirs == own};
                }
            }
        }
    }

    // Adds, over every ordered choice of `seats` disjoint holdings none of
    // which beats seat 0, one to `ties` if any of them ties and to `winsAlone`
    // otherwise.
    void Count(std::int32_t seats, std::uint64_t used, bool tied, ExactOdds& out) const {
        if (seats == 0) {
            (tied ? out.ties : out.winsAlone) += 1;
            return;
        }
        for (std::size_t h = 0; h < m_count; ++h) {
            const Holding& holding = m_holdings[h];
            if ((holding.mask & used) == 0) {
                Count(seats - 1, used | holding.mask, tied || holding.ties, out);
            }
        }
    }

private:
    // 45 cards are left for the opponents once the board is complete.
    std::array<Holding, 45 * 44 / 2> m_holdings{};
    std::size_t m_count{0};
};

} // namespace

double ExactShowdownCount(std::int32_t k, std::int32_t n) {
    double count = Choose(50 - k, 5 - k);
    for (std::int32_t s = 1; s < n; ++s) {
        count *= Choose(45 - 2 * (s - 1), 2);
    }
    return count;
}

bool EnumerateExactOdds(const Card& first, const Card& second, std::int32_t k,
                        const BoardCards& board, std::int32_t n, ExactOdds& out) {
    if (k < 0 || k > 5 || n < kMinPlayers || n > kMaxPlayers) {
        return false;
    }
    std::array<Card, 7> known{first, second};
    for (std::int32_t i = 0; i < k; ++i) {
        known[static_cast<std::size_t>(2 + i)] = board[static_cast<std::size_t>(i)];
    }
    if (!AllRealAndDistinct(known.data(), 2 + k)) {
        return false;
    }

    std::uint64_t knownMask = 0;
    HandMasks knownBoard;
    for (std::int32_t i = 0; i < 2 + k; ++i) {
        knownMask |= Bit(FreshDeckIndex(known[static_cast<std::size_t>(i)]));
        if (i >= 2) {
            knownBoard.Add(known[static_cast<std::size_t>(i)]);
        }
    }
    std::array<std::int32_t, kDeckSize> rest{};
    std::int32_t restSize = 0;
    for (std::int32_t c = 0; c < kDeckSize; ++c) {
        if ((knownMask & Bit(c)) == 0) {
            rest[static_cast<std::size_t>(restSize++)] = c;
        }
    }

    out = ExactOdds{};
    const std::int32_t missing = 5 - k;
    // The missing board cards as increasing positions in `rest`, stepped
    // through every combination in lexicographic order.
    std::array<std::int32_t, 5> pick{};
    for (std::int32_t i = 0; i < missing; ++i) {
        pick[static_cast<std::size_t>(i)] = i;
    }
    // Filled anew for every board; built once, as it holds 990 entries.
    OpponentCount opponents;
    std::uint64_t perBoard = 1;
    for (std::int32_t s = 1; s < n; ++s) {
        const auto left = static_cast<std::uint64_t>(45 - 2 * (s - 1));
        perBoard *= left * (left - 1) / 2;
    }
    for (;;) {
        HandMasks full = knownBoard;
        std::uint64_t boardMask = 0;
        for (std::int32_t i = 0; i < missing; ++i) {
            const std::int32_t c =
                rest[static_cast<std::size_t>(pick[static_cast<std::size_t>(i)])];
            full.Add(CardAtFreshIndex(c));
            boardMask |= Bit(c);
        }
        HandMasks mine = full;
        mine.Add(first);
        mine.Add(second);
        std::array<std::int32_t, kDeckSize> pool{};
        std::int32_t poolSize = 0;
        for (std::int32_t i = 0; i < restSize; ++i) {
            const std::int32_t c = rest[static_cast<std::size_t>(i)];
            if ((boardMask & Bit(c)) == 0) {
                pool[static_cast<std::size_t>(poolSize++)] = c;
            }
        }
        opponents.Fill(full, mine.Evaluate(), pool.data(), poolSize);
        opponents.Count(n - 1, 0, false, out);
        out.showdowns += perBoard;

        // Next combination: advance the rightmost position that can move.
        std::int32_t i = missing - 1;
        while (i >= 0 && pick[static_cast<std::size_t>(i)] == restSize - missing + i) {
            --i;
        }
        if (i < 0) {
            break;
        }
        ++pick[static_cast<std::size_t>(i)];
        for (std::int32_t j = i + 1; j < missing; ++j) {
            pick[static_cast<std::size_t>(j)] = pick[static_cast<std::size_t>(j - 1)] + 1;
        }
    }
    return true;
}

} // namespace quillory
