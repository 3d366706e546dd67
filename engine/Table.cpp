#include "engine/Table.h"

namespace quillory {

Table::Table(std::uint32_t seats) : m_seats(seats) {}

bool Table::SetSeat(std::uint32_t seat, const Card& first, const Card& second) {
    if (seat >= m_seats.Size()) {
        return false;
    }
    m_seats[seat] = SeatCards{first, second};
    return true;
}

bool Table::SetFlop(const Card& first, const Card& second, const Card& third) {
    if (HoldsCard(m_board[0])) {
        return false;
    }
    m_board = {first, second, third, kNoCard, kNoCard};
    return true;
}

bool Table::SetTurn(const Card& card) {
    if (!HoldsCard(m_board[0]) || HoldsCard(m_board[3])) {
        return false;
    }
    m_board[3] = card;
    m_board[4] = kNoCard;
    return true;
}

bool Table::SetRiver(const Card& card) {
    if (!HoldsCard(m_board[3]) || HoldsCard(m_board[4])) {
        return false;
    }
    m_board[4] = card;
    return true;
}

SevenCards Table::SevenOf(std::uint32_t seat) const {
    const SeatCards& s = m_seats[seat];
    return {m_board[0], m_board[1], m_board[2], m_board[3], m_board[4], s.first, s.second};
}

bool Table::BestHand(std::uint32_t seat, FiveCards& best, std::int32_t& holeUsed) const {
    if (seat >= m_seats.Size()) {
        return false;
    }
    BestOfSeven(SevenOf(seat), best, holeUsed);
    return true;
}

} // namespace quillory
