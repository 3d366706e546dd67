#include "ui/CallAdvisorDialog.h"

#include "odds/CallTable.h"
#include "res/ResourceIds.h"
#include "ui/DataExchange.h"
#include "ui/ListView.h"

#include <QHeaderView>
#include <QPushButton>
#include <algorithm>

namespace quillory {
namespace {

namespace ids = res::advisor;

// Room around a cell's text, in pixels.
constexpr int kCellPadding = 16;

// Texts a column should show without widening: a large amount and a large
// loss. Larger figures widen their column when they appear.
const QString kAmountSample = QStringLiteral("$99999.00");
const QString kProfitSample = QStringLiteral("-$99999 (-100%)");

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

CCallAdvisorDialog::CCallAdvisorDialog(QWidget* parent)
    : TemplateDialog(res::kCallAdvisorDialog, parent),
      m_listCallers(Bind<ListView>(ids::kCallers)) {
    OnClicked(Bind<QPushButton>(ids::kCalculate), [this] { OnCalculate(); });
}

QString CCallAdvisorDialog::CallerHeading(std::int32_t column) {
    const std::int32_t others = column - 1;
    if (others <= 0) {
        return QStringLiteral("No caller");
    }
    return others == 1 ? QStringLiteral("1 caller") : QStringLiteral("%1 callers").arg(others);
}

void CCallAdvisorDialog::DoDataExchange(DataExchange& dx) {
    dx.Int(ids::kCurrentPot, m_nCurrentPot, 0, kMaxMoney);
    dx.Int(ids::kInvestSoFar, m_nInvestSoFar, 0, kMaxMoney);
    dx.Int(ids::kAdding, m_nAdding, 0, kMaxMoney);
    dx.Text(ids::kPrize, m_strPrize);
}

bool CCallAdvisorDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    m_listCallers->SetExtendedStyle(ListView::kGridLines | ListView::kFullRowSelect);
    AddMissingColumns();
    ShowSummary();
    return true;
}

void CCallAdvisorDialog::OnCalculate() {
    UpdateData(true); // a refused entry has been reported; go on with the members as they are

    const CallTable table =
        BuildCallTable(m_nWinRate, m_nCurrentPot, m_nInvestSoFar, m_nAdding, m_nCallers);
    m_strPrize = FromStd(table.prize);

    AddMissingColumns();
    m_listCallers->DeleteAllItems();
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        const CallTable::Row& entry = table.rows[row];
        const int item = m_listCallers->InsertItem(static_cast<int>(row), FromStd(entry.amount));
        for (std::size_t s = 0; s < entry.results.size(); ++s) {
            m_listCallers->SetItemText(item, static_cast<int>(s) + 1, FromStd(entry.results[s]));
        }
    }
    if (table.selectedRow >= 0) {
        m_listCallers->SetItemSelected(table.selectedRow, true);
        m_listCallers->SetSelectionMark(table.selectedRow);
        m_listCallers->setFocus(Qt::OtherFocusReason);
    }
    FitColumns();
    ShowSummary();
    UpdateData(false);
}

void CCallAdvisorDialog::AddMissingColumns() {
    const QFontMetrics metrics = m_listCallers->fontMetrics();
    if (m_listCallers->columnCount() == 0) {
        const QString heading = QStringLiteral("Amount");
        const int width =
            std::max(metrics.horizontalAdvance(heading), metrics.horizontalAdvance(kAmountSample)) +
            kCellPadding;
        m_listCallers->InsertColumn(0, heading, Qt::AlignRight, width);
    }
    const int profitWidth = metrics.horizontalAdvance(kProfitSample);
    for (int column = m_listCallers->columnCount(); column <= m_nCallers; ++column) {
        const QString heading = CallerHeading(column);
        const int width = std::max(metrics.horizontalAdvance(heading), profitWidth) + kCellPadding;
        m_listCallers->InsertColumn(column, heading, Qt::AlignRight, width);
    }
}

void CCallAdvisorDialog::FitColumns() {
    // Columns only ever widen, so the table does not jump about between
    // calculations of similar amounts.
    const QAbstractItemView& view = *m_listCallers;
    for (int column = 0; column < m_listCallers->columnCount(); ++column) {
        const int wanted = std::max(view.sizeHintForColumn(column),
                                    m_listCallers->horizontalHeader()->sectionSizeHint(column));
        if (wanted > m_listCallers->columnWidth(column)) {
            m_listCallers->setColumnWidth(column, wanted);
        }
    }
}

void CCallAdvisorDialog::ShowSummary() {
    QString summary = m_rateKnown ? QStringLiteral("Winning rate %1%.").arg(m_nWinRate)
                                  : QStringLiteral("No winning rate is known yet (press Draw in "
                                                   "the main window first); the figures use 0%.");
    if (m_listCallers->rowCount() == 0) {
        summary += QStringLiteral(" Enter the pot, your investment and an amount to add, then "
                                  "press Calculate.");
    } else if (m_strPrize == QStringLiteral("-")) {
        summary += QStringLiteral(" Adding $%1 neither wins nor loses on average.").arg(m_nAdding);
    } else {
        summary +=
            QStringLiteral(" Adding $%1: expected profit %2.").arg(m_nAdding).arg(m_strPrize);
    }
    // The line is also its own accessible name, so screen readers announce
    // the figures rather than a fixed title.
    SetItemText(ids::kSummary, summary);
    if (QWidget* line = GetDlgItem(ids::kSummary); line != nullptr) {
        line->setAccessibleName(summary);
    }
}

} // namespace quillory
