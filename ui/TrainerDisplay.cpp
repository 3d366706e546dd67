// The main window as the trainer's view: the fields it writes, the
// card picker, messages, the wait cursor, and the hand's rows, pictures and
// enabled states shown in the controls.
#include "engine/CardNames.h"
#include "res/ResourceIds.h"
#include "ui/CardPickerDialog.h"
#include "ui/CardSlotView.h"
#include "ui/TrainerDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <chrono>

namespace quillory {
namespace {

using Clock = std::chrono::steady_clock;

// The wait cursor shows over an estimate once estimates have been seen to
// block the window for a noticeable time (a slow machine, a debug build). An
// estimate normally takes about a millisecond, and a cursor that flickered
// on every click would only distract.
bool g_slowEstimates = false;

void SetText(QLineEdit& edit, const QString& text) {
    if (edit.text() != text) {
        edit.setText(text);
    }
}

} // namespace

// A label that shows a figure is announced as its name and the figure,
// "Winning rate: 49.36%", so screen readers read the value and hear of each
// change; with no figure it is the name alone.
void CTrainerDialog::SetFigure(QLabel* label, const QString& name, const QString& text) {
    if (label->text() != text) {
        label->setText(text);
        label->setAccessibleName(text.isEmpty() ? name : QStringLiteral("%1: %2").arg(name, text));
    }
}

void CTrainerDialog::StateChanged(Changed changed) {
    if (changed == Changed::HandAndFigures) {
        ShowState();
    } else {
        ShowHand();
    }
}

// The message, then the field gets the focus with its text selected.
void CTrainerDialog::FieldRefused(const FieldRefusal& refusal) {
    ShowMessage(QString::fromStdString(refusal.message), MessageIcon::Warning);
    QLineEdit* edit = refusal.field == Field::Players ? m_players
                      : refusal.field == Field::Pot   ? m_pot
                                                      : m_invest;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

// A text is replaced only where it differs; the edits' signals are blocked
// while the window writes them, so only the user's own typing reaches the
// pot handlers.
void CTrainerDialog::ShowState() {
    const TrainerState& s = m_trainer.State();
    {
        const QSignalBlocker pot(m_pot);
        const QSignalBlocker invest(m_invest);
        SetFigure(m_winningRate, QStringLiteral("Winning rate"),
                  QString::fromStdString(s.WinningRateText()));
        SetText(*m_players, QString::number(s.m_nPlayers));
        m_practiceMode->setChecked(s.m_bPracticeMode != 0); // no signal when unchanged
        SetFigure(m_averageRate, QStringLiteral("Average winning rate"),
                  QString::fromStdString(s.m_strAverageRate));
        SetText(*m_pot, QString::number(s.m_nPot));
        SetText(*m_expectingProfit, QString::number(s.m_nExpectingProfit));
        SetText(*m_invest, QString::number(s.m_nInvest));
        SetText(*m_addUpTo, QString::number(s.m_nAddUpTo));
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
    ShowMessage(QString::fromUtf8(text), MessageIcon::Information);
}

// The estimate runs on this thread without an event loop, so the flag cannot
// change between the two calls.
void CTrainerDialog::EstimateStarting() {
    m_estimateStart = Clock::now();
    if (g_slowEstimates) {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
}

void CTrainerDialog::EstimateFinished() {
    if (g_slowEstimates) {
        QApplication::restoreOverrideCursor();
    }
    const auto elapsed = Clock::now() - m_estimateStart;
    if (elapsed > std::chrono::milliseconds(100)) {
        g_slowEstimates = true;
    } else if (elapsed < std::chrono::milliseconds(50)) {
        g_slowEstimates = false;
    }
}

// Shows what the trainer's state holds beyond the written fields; a view
// that already shows it is left untouched.
void CTrainerDialog::ShowHand() {
    const TrainerState& s = m_trainer.State();
    ShowRows();
    for (std::size_t slot = 0; slot < kCardSlots; ++slot) {
        const Card card = s.m_shown[slot];
        m_cardViews[slot]->ShowCard(HoldsCard(card) ? CardImageIndex(card) : -1);
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
    QTableWidget& list = *m_listHands;
    if (static_cast<std::size_t>(list.rowCount()) > rows.size()) {
        list.setRowCount(0);
    }
    list.setRowCount(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::array texts{QString::fromStdString(rows[i].hands),
                               QString::fromStdString(rows[i].result)};
        for (int column = 0; column < 2; ++column) {
            QTableWidgetItem* cell = list.item(static_cast<int>(i), column);
            if (cell == nullptr) {
                list.setItem(static_cast<int>(i), column, new QTableWidgetItem(texts[column]));
            } else if (cell->text() != texts[column]) {
                cell->setText(texts[column]);
            }
        }
    }
}

} // namespace quillory
