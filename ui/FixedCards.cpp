#include "odds/Labels.h"
#include "ui/HandSteps.h"
#include "ui/ListView.h"
#include "ui/TrainerDialog.h"

#include <algorithm>

namespace quillory {

// Each Fix button replaces the card in its own slot through a one-card
// picker. An empty slot opens nothing; a cancelled picker changes nothing.
void CTrainerDialog::OnFixHole1() {
    FixCard(m_firstCards.empty() ? nullptr : &m_firstCards[0], m_listHole1);
}

void CTrainerDialog::OnFixHole2() {
    FixCard(m_secondCards.empty() ? nullptr : &m_secondCards[0], m_listHole2);
}

void CTrainerDialog::OnFixFlop1() {
    FixCard(&m_board[0], m_listFlop1);
}

void CTrainerDialog::OnFixFlop2() {
    FixCard(&m_board[1], m_listFlop2);
}

void CTrainerDialog::OnFixFlop3() {
    FixCard(&m_board[2], m_listFlop3);
}

void CTrainerDialog::OnFixTurn() {
    FixCard(&m_board[3], m_listTurn);
}

void CTrainerDialog::OnFixRiver() {
    FixCard(&m_board[4], m_listRiver);
}

void CTrainerDialog::FixCard(Card* slot, ListView* view) {
    if (slot == nullptr || !HoldsCard(*slot)) {
        return;
    }
    std::array<Card, 3> picked;
    if (!PickCards(this, 1, picked)) {
        return;
    }
    // The same card in another slot is accepted: the hand is estimated as
    // it stands.
    *slot = picked[0];
    view->DeleteAllItems();
    ShowCard(view, *slot);
    RefreshEstimate();
}

void CTrainerDialog::RefreshEstimate() {
    UpdateData(true);
    if (m_firstCards.empty()) {
        return;
    }
    const auto known = static_cast<std::int32_t>(std::count_if(
        m_board.begin(), m_board.end(), [](const Card& card) { return HoldsCard(card); }));
    EstimateWinningRate(known);
    m_listHands->DeleteAllItems();
    m_listHands->InsertItem(0, HandRow(m_firstCards[0], m_secondCards[0]));
    RefreshProfit();
}

} // namespace quillory
