#include "odds/Estimator.h"

#include "engine/Deck.h"
#include "engine/FastEval.h"
#include "engine/Table.h"
#include "platform/TickCount.h"

#include <algorithm>

namespace quillory {

namespace {

// The shuffle seed of trial t: the tick count read now, plus t, as the deck's
// signed seed (wrapping like the 32-bit counter does).
std::int32_t TrialSeed(std::int32_t t) {
    return static_cast<std::int32_t>(GetTickCount() + static_cast<std::uint32_t>(t));
}

// The known cards of one estimate and the steps every trial shares: preparing
// the deck and completing the board.
struct KnownCards {
    Card first{};
    Card second{};
    std::int32_t k{0};
    BoardCards board{};

    // A fresh deck shuffled twice for trial t, with the known cards reserved.
    void PrepareDeck(Deck& deck, std::int32_t t) const {
        deck.Shuffle(TrialSeed(t));
        deck.Shuffle(TrialSeed(t));
        deck.Reserve(first);
        deck.Reserve(second);
        for (std::int32_t i = 0; i < k; ++i) {
            deck.Reserve(board[static_cast<std::size_t>(i)]);
        }
    }

    // The five board cards of a trial: the known ones, then the rest dealt in
    // board order.
    BoardCards CompleteBoard(Deck& deck) const {
        BoardCards full{};
        for (std::int32_t i = 0; i < 5; ++i) {
            if (i < k) {
                full[static_cast<std::size_t>(i)] = board[static_cast<std::size_t>(i)];
            } else {
                deck.Deal(full[static_cast<std::size_t>(i)]);
            }
        }
        return full;
    }
};

KnownCards MakeKnown(const Card& first, const Card& second, std::int32_t k,
                     const BoardCards& board) {
    return KnownCards{first, second, std::clamp(k, 0, 5), board};
}

bool ValidRun(std::int32_t n, std::int32_t trials) {
    return n >= kMinPlayers && n <= kMaxPlayers && trials > 0;
}

// One trial through a Table and its Showdown: true when seat 0 is among the
// winners. `winners` is reused across trials, so it allocates only once.
bool TrialByTable(const KnownCards& known, std::int32_t n, std::int32_t t, WinnerList& winners) {
    Deck deck;
    known.PrepareDeck(deck, t);
    Table table(static_cast<std::uint32_t>(n));
    table.SetSeat(0, known.first, known.second);
    const BoardCards full = known.CompleteBoard(deck);
    table.SetFlop(full[0], full[1], full[2]);
    table.SetTurn(full[3]);
    table.SetRiver(full[4]);
    for (std::int32_t s = 1; s < n; ++s) {
        Card a;
        Card b;
        deck.Deal(a);
        deck.Deal(b);
        table.SetSeat(static_cast<std::uint32_t>(s), a, b);
    }
    table.Showdown(winners);
    return std::count(winners.begin(), winners.end(), 0) > 0;
}

// The masks that stay the same in every trial: the known board cards alone
// and with seat 0's hole cards, and seat 0's strength once the board is known.
struct KnownMasks {
    HandMasks board{};
    HandMasks mine{};
    HandStrength own{0};

    explicit KnownMasks(const KnownCards& known) {
        for (std::int32_t i = 0; i < known.k; ++i) {
            board.Add(known.board[static_cast<std::size_t>(i)]);
        }
        mine = board;
        mine.Add(known.first);
        mine.Add(known.second);
        if (known.k == 5) {
            own = mine.Evaluate();
        }
    }
};

// One trial decided from strengths. Requires real, distinct known cards: the
// dealt cards are then real and distinct too, the table's showdown takes its
// bit-mask path, and seat 0 is among the winners exactly when no opponent's
// strength exceeds its own. The deck is discarded after the trial, so the
// opponents after the first one that beats seat 0 need not be dealt.
bool TrialByStrength(const KnownCards& known, const KnownMasks& masks, std::int32_t n,
                     std::int32_t t) {
    Deck deck;
    known.PrepareDeck(deck, t);
    HandMasks board = masks.board;
    HandMasks mine = masks.mine;
    for (std::int32_t i = known.k; i < 5; ++i) {
        Card c;
        deck.Deal(c);
        board.Add(c);
        mine.Add(c);
    }
    const HandStrength own = known.k == 5 ? masks.own : mine.Evaluate();
    for (std::int32_t s = 1; s < n; ++s) {
        Card a;
        Card b;
        deck.Deal(a);
        deck.Deal(b);
        HandMasks theirs = board;
        theirs.Add(a);
        theirs.Add(b);
        if (theirs.Evaluate() > own) {
            return false;
        }
    }
    return true;
}

} // namespace

std::int32_t EstimateWinsByTable(const Card& first, const Card& second, std::int32_t k,
                                 const BoardCards& board, std::int32_t n, std::int32_t trials) {
    if (!ValidRun(n, trials)) {
        return 0;
    }
    const KnownCards known = MakeKnown(first, second, k, board);
    WinnerList winners;
    winners.reserve(static_cast<std::size_t>(n));
    std::int32_t wins = 0;
    for (std::int32_t t = 0; t < trials; ++t) {
        wins += TrialByTable(known, n, t, winners) ? 1 : 0;
    }
    return wins;
}

std::int32_t EstimateWins(const Card& first, const Card& second, std::int32_t k,
                          const BoardCards& board, std::int32_t n, std::int32_t trials) {
    if (!ValidRun(n, trials)) {
        return 0;
    }
    const KnownCards known = MakeKnown(first, second, k, board);
    std::array<Card, 7> cards{known.first, known.second};
    std::copy_n(known.board.begin(), known.k, cards.begin() + 2);
    if (!AllRealAndDistinct(cards.data(), 2 + known.k)) {
        return EstimateWinsByTable(first, second, k, board, n, trials);
    }
    const KnownMasks masks(known);
    std::int32_t wins = 0;
    for (std::int32_t t = 0; t < trials; ++t) {
        wins += TrialByStrength(known, masks, n, t) ? 1 : 0;
    }
    return wins;
}

} // namespace quillory
