// The hand steps of the trainer: Draw, Flop, Turn, River, the showdown and
// the Fix buttons.
#include "engine/Deck.h"
#include "engine/Table.h"
#include "trainer/Trainer.h"

#include <algorithm>

namespace quillory {
namespace {

bool AllDealt(const auto& cards) {
    return std::all_of(cards.begin(), cards.end(),
                       [](const Card& card) { return HoldsCard(card); });
}

} // namespace

// One deck for the whole hand, shuffled twice: the board first, then each
// seat's first and second card, seat 0 (the user) first.
void Trainer::DealPracticeHand() {
    TrainerState& s = m_state;
    Deck deck;
    deck.Shuffle(m_seeds.Next());
    deck.Shuffle(m_seeds.Next());
    for (Card& card : s.m_board) {
        deck.Deal(card);
    }
    for (std::size_t seat = 0; seat < s.m_firstCards.size(); ++seat) {
        deck.Deal(s.m_firstCards[seat]);
        deck.Deal(s.m_secondCards[seat]);
    }
}

void Trainer::OnDraw() {
    TrainerState& s = m_state;
    ResetHand();
    if (s.m_bPracticeMode != 0) {
        DealPracticeHand();
    } else {
        // The picker opens over the reset hand.
        m_view.StateChanged(Changed::HandAndFigures);
        const std::optional<PickedCards> picked = m_view.PickCards(2);
        if (!picked) {
            return;
        }
        s.m_firstCards[0] = (*picked)[0];
        s.m_secondCards[0] = (*picked)[1];
    }
    EstimateWinningRate(0);
    s.m_rows.insert(s.m_rows.begin(), HandRow{HandText(s.m_firstCards[0], s.m_secondCards[0]), {}});
    s.m_shown[static_cast<std::size_t>(CardSlot::Hole1)] = s.m_firstCards[0];
    s.m_shown[static_cast<std::size_t>(CardSlot::Hole2)] = s.m_secondCards[0];
    s.m_stage = HandStage::Drawn;
    RefreshProfit();
}

// Flop, Turn and River: uncovers (or, in entry mode, asks for) `count` board
// cards from position `first` on, estimates with every board card known so
// far and moves the stage on. Nothing happens before Draw or when the picker
// is cancelled.
void Trainer::UncoverBoardCards(std::size_t first, std::size_t count, HandStage reached) {
    TrainerState& s = m_state;
    if (s.m_firstCards.empty()) {
        return;
    }
    if (s.m_bPracticeMode == 0) {
        const std::optional<PickedCards> picked =
            m_view.PickCards(static_cast<std::int32_t>(count));
        if (!picked) {
            return;
        }
        std::copy_n(picked->begin(), count, s.m_board.begin() + static_cast<std::ptrdiff_t>(first));
    }
    EstimateWinningRate(static_cast<std::int32_t>(first + count));
    // The board's card views follow the two hole cards, in board order.
    for (std::size_t board = first; board < first + count; ++board) {
        s.m_shown[static_cast<std::size_t>(CardSlot::Flop1) + board] = s.m_board[board];
    }
    s.m_stage = reached;
    RefreshProfit();
}

// Row i is seat i. The hand's table size is the length of the seat arrays,
// set by the last reset. Nothing happens while the showdown is already on
// display (more than one row), and nothing before the hand is dealt: the
// hands list is empty then, and in entry mode the other seats hold no cards.
void Trainer::OnShowdown() {
    TrainerState& s = m_state;
    if (s.m_rows.size() != 1) {
        return;
    }
    if (s.m_firstCards.size() != static_cast<std::size_t>(s.m_nPlayers)) {
        m_view.ShowInformation(kCountChangedMessage);
        return;
    }
    if (!AllDealt(s.m_board) || !AllDealt(s.m_firstCards) || !AllDealt(s.m_secondCards)) {
        return;
    }
    s.m_rows = ShowdownRows(s);
}

std::vector<HandRow> ShowdownRows(const TrainerState& s) {
    std::vector<HandRow> rows;
    const auto seats = static_cast<std::uint32_t>(s.m_firstCards.size());
    for (std::uint32_t seat = 0; seat < seats; ++seat) {
        rows.push_back(HandRow{HandText(s.m_firstCards[seat], s.m_secondCards[seat]), {}});
    }
    Table table(seats);
    table.SetFlop(s.m_board[0], s.m_board[1], s.m_board[2]);
    table.SetTurn(s.m_board[3]);
    table.SetRiver(s.m_board[4]);
    for (std::uint32_t seat = 0; seat < seats; ++seat) {
        table.SetSeat(seat, s.m_firstCards[seat], s.m_secondCards[seat]);
    }
    WinnerList winners;
    table.Showdown(winners);
    for (const std::int32_t seat : winners) {
        rows[static_cast<std::size_t>(seat)].result = "Winner!";
    }
    return rows;
}

Card* Trainer::SlotCard(CardSlot slot) {
    TrainerState& s = m_state;
    switch (slot) {
    case CardSlot::Hole1:
        return s.m_firstCards.empty() ? nullptr : &s.m_firstCards[0];
    case CardSlot::Hole2:
        return s.m_secondCards.empty() ? nullptr : &s.m_secondCards[0];
    default:
        return &s.m_board[static_cast<std::size_t>(slot) -
                          static_cast<std::size_t>(CardSlot::Flop1)];
    }
}

void Trainer::RefreshEstimate() {
    TrainerState& s = m_state;
    if (s.m_firstCards.empty()) {
        return;
    }
    const auto known = static_cast<std::int32_t>(std::count_if(
        s.m_board.begin(), s.m_board.end(), [](const Card& card) { return HoldsCard(card); }));
    EstimateWinningRate(known);
    s.m_rows.assign(1, HandRow{HandText(s.m_firstCards[0], s.m_secondCards[0]), {}});
    RefreshProfit();
}

} // namespace quillory
