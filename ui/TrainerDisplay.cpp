// The main window as the trainer's view: the exchange of the controls, the
// card picker, messages, the wait cursor, and the hand's rows, pictures and
// enabled states shown in the controls.
#include "engine/CardNames.h"
#include "odds/Labels.h"
#include "res/ResourceIds.h"
#include "ui/CardPickerDialog.h"
#include "ui/ListView.h"
#include "ui/TrainerDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>

namespace quillory {
namespace {

namespace ids = res::trainer;
using Clock = std::chrono::steady_clock;

// The wait cursor shows over an estimate once estimates have been seen to
// block the window for a noticeable time (a slow machine, a debug build). An
// estimate normally takes about a millisecond, and a cursor that flickered
// on every click would only distract.
bool g_slowEstimates = false;

} // namespace

void CTrainerDialog::StateChanged(Changed changed) {
    if (changed == Changed::HandAndFigures) {
        ShowState();
    } else {
        ShowHand();
    }
}

// The message, then the field gets the focus with its text selected.
void CTrainerDialog::FieldRefused(const FieldRefusal& refusal) {
    MessageBox(QString::fromStdString(refusal.message), MessageIcon::Warning);
    QLineEdit* edit = refusal.field == Field::Players ? m_players
                      : refusal.field == Field::Pot   ? m_pot
                                                      : m_invest;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

// A text is replaced only where it differs; written texts raise no change
// notification, so only the user's own typing reaches the pot handlers.
void CTrainerDialog::ShowState() {
    const TrainerState& s = m_trainer.State();
    {
        NotificationLockout lockout(*this);
        SetItemText(ids::kWinningRate, QString::fromStdString(s.WinningRateText()));
        SetItemText(ids::kPlayers, QString::number(s.m_nPlayers));
        if (m_practiceMode->isChecked() != (s.m_bPracticeMode != 0)) {
            m_practiceMode->setChecked(s.m_bPracticeMode != 0);
        }
        SetItemText(ids::kAverageRate, QString::fromStdString(s.m_strAverageRate));
        SetItemText(ids::kPot, QString::number(s.m_nPot));
        SetItemText(ids::kExpectingProfit, QString::number(s.m_nExpectingProfit));
        SetItemText(ids::kInvest, QString::number(s.m_nInvest));
        SetItemText(ids::kAddUpTo, QString::number(s.m_nAddUpTo));
    }
    ShowHand();
}

std::optional<PickedCards> CTrainerDialog::PickCards(std::int32_t count) {
    CCardPickerDialog picker(count, this);
    if (picker.DoModal() != res::kIdOk) {
        return std::nullopt;
    }
    PickedCards cards;
    picker.GetCard1(cards[0]);
    picker.GetCard2(cards[1]);
    picker.GetCard3(cards[2]);
    return cards;
}

void CTrainerDialog::ShowInformation(std::string_view text) {
    MessageBox(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
               MessageIcon::Information);
}

void CTrainerDialog::EstimateStarting() {
    m_estimateStart = Clock::now();
    m_estimateCursor = g_slowEstimates;
    if (m_estimateCursor) {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
}

void CTrainerDialog::EstimateFinished() {
    const auto elapsed = Clock::now() - m_estimateStart;
    if (elapsed > std::chrono::milliseconds(100)) {
        g_slowEstimates = true;
    } else if (elapsed < std::chrono::milliseconds(50)) {
        g_slowEstimates = false;
    }
    if (m_estimateCursor) {
        QApplication::restoreOverrideCursor();
        m_estimateCursor = false;
    }
}

// Shows what the trainer's state holds beyond the exchanged members; a view
// that already shows it is left untouched.
void CTrainerDialog::ShowHand() {
    const TrainerState& s = m_trainer.State();
    ShowRows();
    for (std::size_t slot = 0; slot < kCardSlots; ++slot) {
        ListView* view = m_cardViews[slot];
        const Card card = s.m_shown[slot];
        if (!HoldsCard(card)) {
            if (view->rowCount() != 0) {
                view->DeleteAllItems();
            }
        } else if (view->rowCount() != 1 || view->GetItemImage(0) != CardImageIndex(card)) {
            view->DeleteAllItems();
            view->InsertItem(0, QString(), CardImageIndex(card));
        }
    }
    m_draw->setEnabled(true);
    m_flop->setEnabled(s.FlopEnabled());
    m_turn->setEnabled(s.TurnEnabled());
    m_river->setEnabled(s.RiverEnabled());
    const bool practice = s.m_modeControls == ModeControls::Practice;
    m_listHands->setEnabled(practice);
    m_showdown->setEnabled(practice);
    for (QPushButton* fix : m_fixButtons) {
        fix->setEnabled(!practice);
    }
}

void CTrainerDialog::ShowRows() {
    const std::vector<HandRow>& rows = m_trainer.State().m_rows;
    if (static_cast<std::size_t>(m_listHands->rowCount()) > rows.size()) {
        m_listHands->DeleteAllItems();
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        const QString hands = QString::fromStdString(rows[i].hands);
        const QString result = QString::fromStdString(rows[i].result);
        if (row >= m_listHands->rowCount()) {
            m_listHands->InsertItem(row, hands);
        } else if (m_listHands->GetItemText(row, 0) != hands) {
            m_listHands->SetItemText(row, 0, hands);
        }
        if (m_listHands->GetItemText(row, 1) != result) {
            m_listHands->SetItemText(row, 1, result);
        }
    }
}

} // namespace quillory
