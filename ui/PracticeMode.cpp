#include "odds/Labels.h"
#include "res/ResourceIds.h"
#include "ui/ListView.h"
#include "ui/TrainerDialog.h"

#include <algorithm>

namespace quillory {
namespace {

namespace ids = res::trainer;

constexpr std::array kFixButtons{ids::kFixHole1, ids::kFixHole2, ids::kFixFlop1, ids::kFixFlop2,
                                 ids::kFixFlop3, ids::kFixTurn,  ids::kFixRiver};

} // namespace

void CTrainerDialog::OnPracticeMode() {
    UpdateData(true);
    const bool practice = m_bPracticeMode != 0;
    EnableItem(ids::kHands, practice);
    EnableItem(ids::kShowdown, practice);
    for (int id : kFixButtons) {
        EnableItem(id, !practice);
    }
    ResetHand();
}

void CTrainerDialog::ResetHand() {
    for (ListView* view : AllListViews()) {
        if (view != nullptr) {
            view->DeleteAllItems();
        }
    }
    // The seat arrays and the pot are sized by the count, so it is held to the
    // range every handler relies on even if a refused entry is still stored.
    m_nPlayers = std::clamp(m_nPlayers, kMinPlayers, kMaxPlayers);
    m_nInvest = 10;
    m_nAddUpTo = 0;
    m_nPot = 10 * m_nPlayers;
    m_nExpectingProfit = 0;
    m_strWinningRate.clear();
    m_strAverageRate = QString::fromStdString(AverageWinningRate(m_nPlayers));
    const auto seats = static_cast<std::size_t>(m_nPlayers);
    m_firstCards.assign(seats, kNoCard);
    m_secondCards.assign(seats, kNoCard);
    m_board.fill(kNoCard);
    EnableItem(ids::kDraw, true);
    EnableItem(ids::kFlop, false);
    EnableItem(ids::kTurn, false);
    EnableItem(ids::kRiver, false);
    // A new hand starts from these figures; the pot handlers must not redo
    // them from the empty winning rate.
    NotificationLockout lockout(*this);
    UpdateData(false);
}

void CTrainerDialog::OnKillFocusPlayers() {
    UpdateData(true);
    m_nPlayers = std::clamp(m_nPlayers, kMinPlayers, kMaxPlayers);
    UpdateData(false);
}

} // namespace quillory
