#include "ui/drill/RecordDialog.h"

#include "drill/Summary.h"
#include "files/AtomicFile.h"
#include "ui/ModalSeam.h"
#include "ui/SystemPath.h"
#include "ui/drill/CalibrationChart.h"
#include "ui/drill/ErrorChart.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

namespace quillory {
namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int kColumns = 4;

// Puts one accuracy into a row: answers, mean error, share within 5 points,
// and the bias (mean signed error, + too high, - too low).
void FillRow(QTableWidget& table, int row, const QString& heading,
             const drill::Accuracy& accuracy) {
    table.setVerticalHeaderItem(row, new QTableWidgetItem(heading));
    const bool none = accuracy.answers == 0;
    const QString cells[] = {
        QString::number(accuracy.answers),
        none ? QStringLiteral("-") : QString::number(accuracy.meanAbsoluteError, 'f', 1),
        none ? QStringLiteral("-") : QStringLiteral("%1%").arg(qRound(100.0 * accuracy.hitRate)),
        none ? QStringLiteral("-")
             : QStringLiteral("%1%2")
                   .arg(accuracy.meanSignedError > 0 ? QStringLiteral("+") : QString())
                   .arg(accuracy.meanSignedError, 0, 'f', 1)};
    QString description =
        QStringLiteral("%1: %2").arg(heading, QString::fromStdString(drill::Describe(accuracy)));
    if (!none) {
        description += QStringLiteral(". ") + QString::fromStdString(drill::DescribeBias(accuracy));
    }
    for (int column = 0; column < kColumns; ++column) {
        auto* item = new QTableWidgetItem(cells[column]);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        item->setToolTip(description);
        table.setItem(row, column, item);
    }
}

} // namespace

RecordDialog::RecordDialog(const std::vector<drill::Answer>& answers, QWidget* parent)
    : QDialog(parent), m_answers(answers) {
    setWindowTitle(QStringLiteral("Your Record"));
    m_overall = new QLabel(this);
    // The headline is one line; the window is as wide as it needs.
    m_overall->setWordWrap(false);
    QFont strong = m_overall->font();
    strong.setBold(true);
    m_overall->setFont(strong);
    m_chart = new ErrorChart(this);
    m_bias = new QLabel(this);
    m_bias->setWordWrap(true);
    m_decisions = new QLabel(this);
    m_decisions->setWordWrap(true);
    m_calibration = new CalibrationChart(this);
    m_table = new QTableWidget(1 + drill::kStreets + 9 + drill::kOpponentKinds + drill::kSpotKinds,
                               kColumns, this);
    m_table->setAccessibleName(QStringLiteral("Accuracy by street and table size"));
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Answers"), QStringLiteral("Mean error (points)"),
         QStringLiteral("Within 5 points"), QStringLiteral("Bias (points, + too high)")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* buttons = new QDialogButtonBox(this);
    m_export = buttons->addButton(QStringLiteral("Export &CSV..."), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);
    connect(m_export, &QPushButton::clicked, this, [this] { ExportCsv(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_overall);
    layout->addWidget(m_bias);
    layout->addWidget(m_decisions);
    auto* charts = new QHBoxLayout;
    charts->addWidget(m_chart, 1);
    charts->addWidget(m_calibration);
    layout->addLayout(charts);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);
    Fill();
    // Every row shows where the screen has room; a small screen scrolls.
    m_table->setMinimumHeight(m_table->horizontalHeader()->sizeHint().height() +
                              6 * m_table->verticalHeader()->sectionSize(0));
    const int whole = m_table->horizontalHeader()->sizeHint().height() +
                      m_table->rowCount() * m_table->verticalHeader()->sectionSize(0) +
                      2 * m_table->frameWidth();
    const int room = screen() != nullptr ? screen()->availableGeometry().height() * 9 / 10 : 600;
    resize(sizeHint().width(),
           std::min(room, sizeHint().height() - m_table->sizeHint().height() + whole));
    m_table->setFocus();
    // The keyboard starts on "All spots" without the row looking chosen.
    m_table->setCurrentCell(0, 0, QItemSelectionModel::NoUpdate);
}

void RecordDialog::Fill() {
    const drill::Summary summary = drill::Summarize(m_answers);
    const QString overall = QStringLiteral("Your record: %1")
                                .arg(QString::fromStdString(drill::Describe(summary.overall)));
    m_overall->setText(overall);
    m_overall->setAccessibleName(overall);
    m_chart->SetSessions(summary.recentSessions);
    m_calibration->SetAnswers(m_answers);
    const QString bias = QString::fromStdString(drill::DescribeBias(summary.overall));
    m_bias->setText(bias.isEmpty() ? QString() : bias + QLatin1Char('.'));
    m_bias->setAccessibleName(m_bias->text().isEmpty() ? QStringLiteral("Bias") : m_bias->text());
    const QString decisions = QStringLiteral("Call or fold: %1")
                                  .arg(QString::fromStdString(drill::Describe(summary.decisions)));
    m_decisions->setText(decisions);
    m_decisions->setAccessibleName(decisions);
    int row = 0;
    FillRow(*m_table, row++, QStringLiteral("All spots"), summary.overall);
    for (int street = 0; street < drill::kStreets; ++street) {
        FillRow(*m_table, row++, Text(drill::StreetName(static_cast<drill::Street>(street))),
                summary.byStreet[static_cast<std::size_t>(street)]);
    }
    for (int players = 2; players <= 10; ++players) {
        FillRow(*m_table, row++, QStringLiteral("%1 players").arg(players),
                summary.byPlayers[static_cast<std::size_t>(players - 2)]);
    }
    FillRow(*m_table, row++, QStringLiteral("Random opponents"), summary.byOpponents[0]);
    FillRow(*m_table, row++, QStringLiteral("Opponents with a range"), summary.byOpponents[1]);
    for (int kind = 0; kind < drill::kSpotKinds; ++kind) {
        FillRow(*m_table, row++, Text(drill::KindName(static_cast<drill::SpotKind>(kind))),
                summary.byKind[static_cast<std::size_t>(kind)]);
    }
    m_export->setEnabled(!m_answers.empty());
}

bool RecordDialog::ExportCsv() {
    const QString path =
        ChooseSaveFile(this, SaveFileRequest{QStringLiteral("Export Record as CSV"),
                                             QStringLiteral("drill-record.csv")});
    if (path.isEmpty()) {
        return false;
    }
    // The same writer as the other exports: a complete file or none, and a
    // FIFO without a reader is an error rather than a frozen window.
    AtomicFile file(SystemPath(path), FifoWithoutReader::Fail);
    if (!file.Open() || !file.Write(drill::ToCsv(m_answers)) || !file.Commit()) {
        ShowMessageBox(
            this,
            QStringLiteral("The record could not be exported to \"%1\".\n\n%2")
                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(file.Reason())),
            MessageIcon::Warning);
        return false;
    }
    return true;
}

} // namespace quillory
