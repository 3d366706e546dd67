#include "odds/Labels.h"
#include "odds/Profit.h"
#include "res/ResourceIds.h"
#include "ui/TrainerDialog.h"

namespace quillory {
namespace {

namespace ids = res::trainer;

} // namespace

// The figures from the whole percent at the start of the winning-rate text
// (none yet reads 0), the pot and the investment as the members hold them.
// After a refused entry the members can hold up to the largest 32-bit
// number; the products are then taken in 64 bits and a result beyond the
// 32-bit range shows its nearest end (2147483647 or -2147483648).
void CTrainerDialog::RefreshProfit() {
    CalcProfit(RateFromText(m_strWinningRate.toStdString()), m_nPot, m_nInvest, m_nAddUpTo,
               m_nExpectingProfit);
    m_strAverageRate = QString::fromStdString(AverageWinningRate(m_nPlayers));
    UpdateData(false);
}

// Typing recomputes at once. An edit emptied by the user changes nothing
// until it loses the focus, where it becomes 0. The write-back shows a typed
// number in its plain form ("007" becomes "7"); its own change notification
// then finds every text as written and stops there.
void CTrainerDialog::OnChangePot() {
    if (GetItemText(ids::kPot).isEmpty()) {
        return;
    }
    UpdateData(true);
    RefreshProfit();
}

void CTrainerDialog::OnChangeInvest() {
    if (GetItemText(ids::kInvest).isEmpty()) {
        return;
    }
    UpdateData(true);
    RefreshProfit();
}

void CTrainerDialog::OnKillFocusPot() {
    if (!GetItemText(ids::kPot).isEmpty()) {
        return;
    }
    m_nPot = 0;
    UpdateData(false); // the edit's new "0" recomputes through OnChangePot
}

void CTrainerDialog::OnKillFocusInvest() {
    if (!GetItemText(ids::kInvest).isEmpty()) {
        return;
    }
    m_nInvest = 0;
    UpdateData(false);
}

} // namespace quillory
