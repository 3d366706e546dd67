#include "engine/Table.h"
#include "ui/HandSteps.h"
#include "ui/ListView.h"
#include "ui/TrainerDialog.h"

#include <algorithm>

namespace quillory {

// Lists every opponent's cards under the user's row (row i is seat i) and
// marks each seat that holds the best hand with "Winner!"; on a tie several
// rows, the user's included. The hand's table size is the length of the seat
// arrays, set by the last reset; a count changed since is refused with a
// message. Reads and writes no control value and changes no member.
//
// Nothing happens while the showdown is already on display (more than one
// row), and nothing before the hand is dealt: the hands list is empty then,
// and in entry mode the other seats never hold cards.
void CTrainerDialog::OnShowdown() {
    if (m_listHands->GetItemCount() != 1) {
        return;
    }
    if (m_firstCards.size() != static_cast<std::size_t>(m_nPlayers)) {
        MessageBox(QStringLiteral("Showdown unavailable because the number of players have been "
                                  "changed during the game."),
                   MessageIcon::Information);
        return;
    }
    const auto dealt = [](const Card& card) { return HoldsCard(card); };
    if (!std::all_of(m_board.begin(), m_board.end(), dealt) ||
        !std::all_of(m_firstCards.begin(), m_firstCards.end(), dealt) ||
        !std::all_of(m_secondCards.begin(), m_secondCards.end(), dealt)) {
        return;
    }

    const auto seats = static_cast<std::uint32_t>(m_firstCards.size());
    for (std::uint32_t seat = 1; seat < seats; ++seat) {
        m_listHands->InsertItem(static_cast<int>(seat),
                                HandRow(m_firstCards[seat], m_secondCards[seat]));
    }
    Table table(seats);
    table.SetFlop(m_board[0], m_board[1], m_board[2]);
    table.SetTurn(m_board[3]);
    table.SetRiver(m_board[4]);
    for (std::uint32_t seat = 0; seat < seats; ++seat) {
        table.SetSeat(seat, m_firstCards[seat], m_secondCards[seat]);
    }
    WinnerList winners;
    table.Showdown(winners);
    for (const std::int32_t seat : winners) {
        m_listHands->SetItemText(seat, 1, QStringLiteral("Winner!"));
    }
}

} // namespace quillory
