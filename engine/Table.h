#pragma once

#include "engine/Card.h"
#include "engine/HandEval.h"
#include "engine/InlineVector.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quillory {

// A seat's two hole cards.
struct SeatCards {
    Card first{};
    Card second{};

    friend constexpr bool operator==(const SeatCards&, const SeatCards&) = default;
};

// Seat indices, in increasing order, of every seat holding the best hand.
using WinnerList = std::vector<std::int32_t>;

// One hand of Texas hold'em: two hole cards per seat (seat 0 is the user's by
// convention) and five board cards (0-2 the flop, 3 the turn, 4 the river).
// The number of seats is fixed at construction. Cards are not checked for
// being real or distinct. A board position is filled when its suit is not -1.
class Table {
public:
    // Up to this many seats live inside the object without a heap allocation.
    static constexpr std::size_t kInlineSeats = 10;

    explicit Table(std::uint32_t seats);

    std::uint32_t SeatCount() const { return static_cast<std::uint32_t>(m_seats.Size()); }
    const SeatCards& Seat(std::uint32_t seat) const { return m_seats[seat]; }
    const std::array<Card, 5>& Board() const { return m_board; }

    // Stores both hole cards of a seat. False (nothing changed) when the seat
    // index is not less than the number of seats.
    bool SetSeat(std::uint32_t seat, const Card& first, const Card& second);

    // The board fills in order: flop, turn, river. Each setter returns false and
    // changes nothing when the board is not in the state before it (SetFlop: no
    // flop yet; SetTurn: flop and no turn; SetRiver: turn and no river). SetFlop
    // clears turn and river, SetTurn clears the river.
    bool SetFlop(const Card& first, const Card& second, const Card& third);
    bool SetTurn(const Card& card);
    bool SetRiver(const Card& card);

    // The seat's seven cards in evaluation order: board 0-4, then first and
    // second hole card.
    SevenCards SevenOf(std::uint32_t seat) const;

    // Reference evaluation of a seat: its best five cards sorted by rank number
    // and how many of its hole cards they use (earliest combination on a tie).
    // False, outputs untouched, when the seat index is out of range.
    bool BestHand(std::uint32_t seat, FiveCards& best, std::int32_t& holeUsed) const;

    // Replaces `winners` with every seat whose best hand equals the best at the
    // table, in increasing order. Needs at least one seat and a full table.
    void Showdown(WinnerList& winners) const;

    // As Showdown over seats 0 to n-1 only (1 <= n <= seats), and also fills,
    // for each of those seats, its best hand's class, leading rank k1 and the
    // number of hole cards it uses. Each per-seat list is resized to n.
    void ShowdownDetail(std::int32_t n, WinnerList& winners, std::vector<std::int32_t>& categories,
                        std::vector<std::int32_t>& leadingRanks,
                        std::vector<std::int32_t>& holeCardsUsed) const;

private:
    InlineVector<SeatCards, kInlineSeats> m_seats;
    std::array<Card, 5> m_board{};
};

} // namespace quillory
