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
#include <QTableWidget>
#include <algorithm>
#include <array>
#include <initializer_list>

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
    // The prize field and its label stay hidden and disabled; the status line
    // under the table shows the prize instead.
    for (QWidget* hidden : std::initializer_list<QWidget*>{prizeLabel, m_prize}) {
        hidden->hide();
        hidden->setEnabled(false);
    }
    QLabel* callersLabel =
        layout::PlainLabel(*this, QStringLiteral("# of players who will call after you."));
    m_listCallers = new QTableWidget(this);
    m_listCallers->setAccessibleName(
        QStringLiteral("Expected profit by the number of players who call after you"));
    layout::MakeRowList(*m_listCallers);
    m_listCallers->setFocusPolicy(Qt::ClickFocus);
    m_listCallers->horizontalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // New columns start narrow and take the width they need when fitted.
    m_listCallers->horizontalHeader()->setDefaultSectionSize(0);
    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_summary = layout::PlainLabel(*this, QString());
    m_summary->setWordWrap(true);
    m_summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(m_calculate, &QPushButton::clicked, this, &CCallAdvisorDialog::OnCalculate);
    connect(m_close, &QPushButton::clicked, this, &CCallAdvisorDialog::reject);
    layout::PlaceControls(*this, QStringLiteral("Should I Call?"),
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
}

void CCallAdvisorDialog::Create() {
    Initialise();
    show();
}

int CCallAdvisorDialog::DoModal() {
    Initialise();
    return RunModalDialog(*this) == res::kIdOk ? res::kIdOk : res::kIdCancel;
}

void CCallAdvisorDialog::reject() {
    done(res::kIdCancel);
}

void CCallAdvisorDialog::Initialise() {
    m_currentPot->setText(QString::number(m_nCurrentPot));
    m_investSoFar->setText(QString::number(m_nInvestSoFar));
    m_adding->setText(QString::number(m_nAdding));
    ShowSummary();
    FitToContent();
    m_currentPot->setFocus(Qt::TabFocusReason);
}

// Reads the amounts in order and stops at the first refused one, which is
// reported and focused; an amount that is a whole number is kept even when
// it is out of range.
void CCallAdvisorDialog::ReadAmounts() {
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
            return;
        }
    }
}

void CCallAdvisorDialog::OnCalculate() {
    ReadAmounts(); // a refused entry has been reported; go on with the members as they are
    const CallTable table =
        BuildCallTable(m_nWinRate, m_nCurrentPot, m_nInvestSoFar, m_nAdding, m_nCallers);
    m_strPrize = QString::fromStdString(table.prize);
    m_prize->setPlainText(m_strPrize);

    // Removing every row also clears the selection and the current row.
    m_listCallers->setRowCount(0);
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
    if (table.selectedRow >= 0) {
        m_listCallers->selectRow(table.selectedRow);
        m_listCallers->setFocus(Qt::OtherFocusReason);
    }
    FitToContent();
    ShowSummary();
}

// Makes the columns (the amount, then one per number of callers) and fits
// them to their heading, their texts and a large figure; columns only ever
// widen, so the table does not jump about between calculations of similar
// amounts. The table then shows every column and a whole calculation's rows,
// and the window fits it, the fields above it and the status line under it,
// keeping the margin and the gaps of the fixed layout.
void CCallAdvisorDialog::FitToContent() {
    const int columns = std::max(m_listCallers->columnCount(), std::max(m_nCallers, 0) + 1);
    m_listCallers->setColumnCount(columns);
    QHeaderView& header = *m_listCallers->horizontalHeader();
    const QAbstractItemView& view = *m_listCallers; // where the width of the texts is public
    const QFontMetrics metrics = m_listCallers->fontMetrics();
    for (int column = 0; column < columns; ++column) {
        m_listCallers->setHorizontalHeaderItem(
            column, new QTableWidgetItem(QString::fromStdString(CallerHeading(column))));
        const QString& sample = column == 0 ? kAmountSample : kProfitSample;
        m_listCallers->setColumnWidth(
            column, std::max({m_listCallers->columnWidth(column), header.sectionSizeHint(column),
                              view.sizeHintForColumn(column),
                              metrics.horizontalAdvance(sample) + kCellPadding}));
    }
    const int frame = 2 * m_listCallers->frameWidth() + 2;
    const int tableHeight = frame + header.sizeHint().height() +
                            kShownRows * m_listCallers->verticalHeader()->defaultSectionSize();

    const QRect table = m_listCallers->geometry();
    const int margin = table.x();
    const int closeGap = m_close->y() - table.y() - table.height();
    const int summaryGap = m_summary->y() - m_close->y();
    const auto bottom = [this] {
        return std::max(m_close->geometry().bottom(), m_summary->geometry().bottom()) + 1;
    };
    const int bottomGap = height() - bottom();
    const int width =
        std::max(margin + frame + header.length(), m_calculate->geometry().right() + 1) + margin;
    m_listCallers->resize(width - 2 * margin, tableHeight);
    m_close->move(width - margin - m_close->width(), table.y() + tableHeight + closeGap);
    const int summaryWidth = m_close->x() - 2 * margin;
    // The status line is as high as its longest text, the one before a calculation.
    const QString longest =
        QString::fromStdString(CallSummary(WinRate::Unknown, 0, 0, std::nullopt));
    const int summaryHeight =
        m_summary->fontMetrics()
            .boundingRect(QRect(0, 0, summaryWidth, 0), Qt::TextWordWrap, longest)
            .height();
    m_summary->setGeometry(margin, m_close->y() + summaryGap, summaryWidth, summaryHeight);
    setFixedSize(width, bottom() + bottomGap);
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
