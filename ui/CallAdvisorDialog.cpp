#include "ui/CallAdvisorDialog.h"

#include "odds/CallTable.h"
#include "res/ResourceIds.h"
#include "trainer/Fields.h"
#include "ui/DialogLayout.h"
#include "ui/ModalSeam.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>
#include <array>

namespace quillory {
namespace {

// Room around a cell's text, in pixels.
constexpr int kCellPadding = 16;
// The rows the table shows without scrolling: a whole calculation.
constexpr int kShownRows = 21;

// Texts a column should show without widening: a large amount and a large
// loss. Larger figures widen their column when they appear.
const QString kAmountSample = QStringLiteral("$99999.00");
const QString kProfitSample = QStringLiteral("-$99999 (-100%)");
// The longest status line, which the line's height is made for.
QString LongestSummary() {
    return QString::fromStdString(CallSummary(WinRate::Unknown, 0, 0, std::nullopt));
}

} // namespace

CCallAdvisorDialog::CCallAdvisorDialog(QWidget* parent) : QDialog(parent) {
    QLabel* potLabel = layout::PlainLabel(*this, QStringLiteral("Current Pot:"));
    m_currentPot = layout::DigitsEdit(*this, QStringLiteral("Current pot"), potLabel);
    QLabel* investLabel = layout::PlainLabel(*this, QStringLiteral("Your Investment so far:"));
    m_investSoFar =
        layout::DigitsEdit(*this, QStringLiteral("Your investment so far"), investLabel);
    QLabel* addingLabel = layout::PlainLabel(*this, QStringLiteral("Hou much adding:"));
    m_adding = layout::DigitsEdit(*this, QStringLiteral("How much you are adding"), addingLabel);
    m_calculate = new QPushButton(QStringLiteral("Calculate"), this);
    m_calculate->setDefault(true);
    QLabel* prizeLabel = layout::PlainLabel(*this, QStringLiteral("Expecting prize:"));
    m_prize = new QPlainTextEdit(this);
    m_prize->setReadOnly(true);
    m_prize->setAccessibleName(QStringLiteral("Expected prize"));
    for (QWidget* hidden : {static_cast<QWidget*>(prizeLabel), static_cast<QWidget*>(m_prize)}) {
        hidden->setHidden(true);
        hidden->setEnabled(false);
        hidden->setFocusPolicy(Qt::NoFocus);
    }
    QLabel* callersLabel =
        layout::PlainLabel(*this, QStringLiteral("# of players who will call after you."));
    m_listCallers = new QTableWidget(this);
    m_listCallers->setAccessibleName(
        QStringLiteral("Expected profit by the number of players who call after you"));
    layout::MakeRowList(*m_listCallers);
    m_listCallers->setFocusPolicy(Qt::ClickFocus);
    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_summary = layout::PlainLabel(*this, QString());
    m_summary->setWordWrap(true);
    m_summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_summary->setAccessibleName(QStringLiteral("Summary"));

    connect(m_calculate, &QPushButton::clicked, this, &CCallAdvisorDialog::OnCalculate);
    connect(m_close, &QPushButton::clicked, this, &CCallAdvisorDialog::reject);
    const layout::BaseUnits units = layout::PlaceControls(*this, QStringLiteral("Should I Call?"),
                                                          layout::DialogFont("Verdana", 10),
                                                          {{potLabel, {7, 9, 88, 8}},
                                                           {m_currentPot, {100, 7, 60, 14}},
                                                           {investLabel, {7, 27, 88, 8}},
                                                           {m_investSoFar, {100, 25, 60, 14}},
                                                           {addingLabel, {7, 45, 88, 8}},
                                                           {m_adding, {100, 43, 60, 14}},
                                                           {m_calculate, {170, 43, 60, 14}},
                                                           {prizeLabel, {250, 9, 80, 8}},
                                                           {m_prize, {250, 19, 120, 28}},
                                                           {callersLabel, {7, 67, 200, 8}},
                                                           {m_listCallers, {7, 77, 488, 233}},
                                                           {m_close, {445, 316, 50, 14}},
                                                           {m_summary, {7, 319, 430, 8}}},
                                                          502, 337);
    m_unitX = units.x;
    m_unitY = units.y;
}

void CCallAdvisorDialog::Create() {
    Initialise();
    show();
}

int CCallAdvisorDialog::DoModal() {
    Initialise();
    const int result = RunModalDialog(*this);
    return result == res::kIdOk ? result : res::kIdCancel;
}

void CCallAdvisorDialog::reject() {
    done(res::kIdCancel);
}

void CCallAdvisorDialog::Initialise() {
    if (m_initialised) {
        return;
    }
    m_initialised = true;
    m_currentPot->setText(QString::number(m_nCurrentPot));
    m_investSoFar->setText(QString::number(m_nInvestSoFar));
    m_adding->setText(QString::number(m_nAdding));
    AddMissingColumns();
    ShowSummary();
    FitToContent();
    m_currentPot->setFocus(Qt::TabFocusReason);
}

// Reads the amounts in order and stops at the first refused one, which is
// reported and focused; an amount that is a whole number is kept even when
// it is out of range.
bool CCallAdvisorDialog::ReadAmounts() {
    const std::array<std::pair<QLineEdit*, std::int32_t*>, 3> amounts{
        {{m_currentPot, &m_nCurrentPot}, {m_investSoFar, &m_nInvestSoFar}, {m_adding, &m_nAdding}}};
    for (const auto& [edit, member] : amounts) {
        const NumberField read = ReadNumberField(edit->text().toStdString(), 0, kMaxMoney);
        if (read.value) {
            *member = *read.value;
        }
        if (!read.refusal.empty()) {
            ShowMessageBox(this, QString::fromStdString(read.refusal), MessageIcon::Warning);
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
            return false;
        }
    }
    return true;
}

void CCallAdvisorDialog::OnCalculate() {
    ReadAmounts(); // a refused entry has been reported; go on with the members as they are
    const CallTable table =
        BuildCallTable(m_nWinRate, m_nCurrentPot, m_nInvestSoFar, m_nAdding, m_nCallers);
    m_strPrize = QString::fromStdString(table.prize);
    m_prize->setPlainText(m_strPrize);

    AddMissingColumns();
    m_listCallers->clearContents();
    m_listCallers->setRowCount(static_cast<int>(table.rows.size()));
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        const CallTable::Row& entry = table.rows[row];
        for (std::size_t column = 0; column <= entry.results.size(); ++column) {
            auto* cell = new QTableWidgetItem(
                QString::fromStdString(column == 0 ? entry.amount : entry.results[column - 1]));
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_listCallers->setItem(static_cast<int>(row), static_cast<int>(column), cell);
        }
    }
    m_listCallers->clearSelection();
    m_listCallers->setCurrentItem(nullptr);
    if (table.selectedRow >= 0) {
        m_listCallers->selectRow(table.selectedRow);
        m_listCallers->setFocus(Qt::OtherFocusReason);
    }
    FitColumns();
    FitToContent();
    ShowSummary();
}

void CCallAdvisorDialog::AddMissingColumns() {
    const QFontMetrics metrics = m_listCallers->fontMetrics();
    const int profitWidth = metrics.horizontalAdvance(kProfitSample);
    for (int column = m_listCallers->columnCount(); column <= m_nCallers; ++column) {
        const QString heading = QString::fromStdString(CallerHeading(column));
        const int sample = column == 0 ? metrics.horizontalAdvance(kAmountSample) : profitWidth;
        m_listCallers->insertColumn(column);
        auto* header = new QTableWidgetItem(heading);
        header->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_listCallers->setHorizontalHeaderItem(column, header);
        m_listCallers->setColumnWidth(column, std::max(metrics.horizontalAdvance(heading), sample) +
                                                  kCellPadding);
    }
}

// Columns only ever widen, so the table does not jump about between
// calculations of similar amounts.
void CCallAdvisorDialog::FitColumns() {
    const QAbstractItemView& view = *m_listCallers;
    for (int column = 0; column < m_listCallers->columnCount(); ++column) {
        const int wanted = std::max(view.sizeHintForColumn(column),
                                    m_listCallers->horizontalHeader()->sectionSizeHint(column));
        if (wanted > m_listCallers->columnWidth(column)) {
            m_listCallers->setColumnWidth(column, wanted);
        }
    }
}

// The table shows every column and a whole calculation's rows; the window
// fits it, the fields above it and the status line under it, with the
// margins of the fixed layout.
void CCallAdvisorDialog::FitToContent() {
    const int frame = 2 * m_listCallers->frameWidth();
    int tableWidth = frame + 2;
    for (int column = 0; column < m_listCallers->columnCount(); ++column) {
        tableWidth += m_listCallers->columnWidth(column);
    }
    const int tableHeight = frame + 2 + m_listCallers->horizontalHeader()->sizeHint().height() +
                            kShownRows * m_listCallers->verticalHeader()->defaultSectionSize();
    const int margin = (7 * m_unitX + 2) / 4;
    const auto down = [this](int units) { return (units * m_unitY + 4) / 8; };
    const QRect table = m_listCallers->geometry();
    const int width =
        std::max(table.x() + tableWidth, m_calculate->geometry().right() + 1) + margin;
    m_listCallers->setGeometry(table.x(), table.y(), width - table.x() - margin, tableHeight);

    const int closeY = table.y() + tableHeight + down(6);
    m_close->move(width - margin - m_close->width(), closeY);
    const int summaryWidth = m_close->x() - margin - table.x();
    const int summaryHeight =
        m_summary->fontMetrics()
            .boundingRect(QRect(0, 0, summaryWidth, 0), Qt::TextWordWrap, LongestSummary())
            .height();
    m_summary->setGeometry(table.x(), closeY + down(3), summaryWidth, summaryHeight);
    setFixedSize(width, std::max(m_close->geometry().bottom(), m_summary->geometry().bottom()) + 1 +
                            down(7));
}

void CCallAdvisorDialog::ShowSummary() {
    const std::string prize = m_strPrize.toStdString();
    const QString summary = QString::fromStdString(CallSummary(
        m_rateKnown ? WinRate::Known : WinRate::Unknown, m_nWinRate, m_nAdding,
        m_listCallers->rowCount() == 0 ? std::nullopt : std::optional<std::string_view>(prize)));
    // The line is also its own accessible name, so screen readers announce
    // the figures rather than a fixed title.
    m_summary->setText(summary);
    m_summary->setAccessibleName(summary);
}

} // namespace quillory
