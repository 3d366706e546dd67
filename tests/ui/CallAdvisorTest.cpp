// "Should I Call?": the worked cases through the dialog, the table's shape,
// selection and focus, entry checks, and opening it from the program.
#include "app/CallAdvisorApp.h"
#include "res/ResourceIds.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/CallAdvisorDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <memory>

using namespace quillory;
using testing::Seam;
using testing::Type;

namespace {

QString Cell(const QTableWidget& list, int row, int column) {
    const QTableWidgetItem* item = list.item(row, column);
    return item != nullptr ? item->text() : QString();
}

} // namespace

class CallAdvisorTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Seam().Reset(); }

    void cleanup() {
        m_dialog.reset();
        QCOMPARE(Seam().UnexpectedDialogs(), 0);
    }

    void opensAsTheTemplateSaysWithAnEmptyTable() {
        Open(50, 3);
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Should I Call?"));
        QVERIFY(m_dialog->m_prize->isHidden());
        QVERIFY(!m_dialog->m_prize->isEnabled());
        QVERIFY(m_dialog->m_prize->isReadOnly());
        QCOMPARE(m_dialog->m_listCallers->rowCount(), 0);
        QVERIFY(m_dialog->m_listCallers->showGrid());
        QCOMPARE(m_dialog->m_listCallers->selectionBehavior(), QAbstractItemView::SelectRows);
        const QStringList headings{QStringLiteral("Amount"), QStringLiteral("No caller"),
                                   QStringLiteral("1 caller"), QStringLiteral("2 callers")};
        // The window fits the table: every column shows without scrolling.
        QVERIFY(!m_dialog->m_listCallers->horizontalScrollBar()->isVisible());
        QVERIFY(m_dialog->m_listCallers->geometry().right() < m_dialog->width());
        QCOMPARE(m_dialog->m_listCallers->columnCount(), int(headings.size()));
        const QFontMetrics metrics = m_dialog->m_listCallers->fontMetrics();
        for (int column = 0; column < headings.size(); ++column) {
            QCOMPARE(m_dialog->m_listCallers->horizontalHeaderItem(column)->text(),
                     headings[column]);
            const QString widest =
                column == 0 ? QStringLiteral("$9999.00") : QStringLiteral("-$9999 (-100%)");
            QVERIFY(m_dialog->m_listCallers->columnWidth(column) >
                    metrics.horizontalAdvance(widest));
        }
        QCOMPARE(m_dialog->m_currentPot->text(), QStringLiteral("0"));
        QVERIFY(Summary().contains(QStringLiteral("50%")));
        // The focus starts in the first amount; Close cancels.
        QCOMPARE(QApplication::focusWidget(), m_dialog->m_currentPot);
        m_dialog->m_close->click();
        QCOMPARE(m_dialog->result(), res::kIdCancel);
    }

    void theWorkedCaseFillsTwentyOneRows() {
        Open(50, 2);
        Calculate(100, 20, 20);
        const QTableWidget& list = *m_dialog->m_listCallers;
        QCOMPARE(m_dialog->m_strPrize, QStringLiteral("+$20 (50%)"));
        QCOMPARE(m_dialog->m_prize->toPlainText(), QStringLiteral("+$20 (50%)"));
        QVERIFY(Summary().contains(QStringLiteral("+$20 (50%)")));
        QCOMPARE(m_dialog->m_summary->accessibleName(), Summary());
        QCOMPARE(list.rowCount(), 21);
        const char* amounts[] = {"$0.00",   "$2.00",   "$4.00",  "$6.00",   "$8.00",   "$10.00",
                                 "$12.00",  "$14.00",  "$16.00", "$18.00",  "$20.00",  "$30.00",
                                 "$40.00",  "$60.00",  "$80.00", "$100.00", "$120.00", "$140.00",
                                 "$160.00", "$180.00", "$200.00"};
        for (int row = 0; row < 21; ++row) {
            QCOMPARE(Cell(list, row, 0), QString::fromLatin1(amounts[row]));
        }
        QCOMPARE(Cell(list, 10, 1), QStringLiteral("+$20 (50%)"));
        QCOMPARE(Cell(list, 10, 2), QStringLiteral("+$30 (75%)"));
        QCOMPARE(Cell(list, 0, 1), QStringLiteral("+$30 (150%)"));
        QCOMPARE(Cell(list, 0, 2), QStringLiteral("+$30 (150%)"));
        // Row 10, the amount itself, is selected, marked and focused.
        for (int row = 0; row < 21; ++row) {
            QCOMPARE(list.selectionModel()->isRowSelected(row, {}), row == 10);
        }
        QCOMPARE(list.currentRow(), 10);
        QCOMPARE(QApplication::focusWidget(), static_cast<const QWidget*>(&list));
        // Every text fits its column.
        const QFontMetrics metrics = list.fontMetrics();
        for (int row = 0; row < 21; ++row) {
            for (int column = 0; column < 3; ++column) {
                QVERIFY(list.columnWidth(column) >
                        metrics.horizontalAdvance(Cell(list, row, column)));
            }
        }
    }

    void addingNothingGivesOneRowAndNoSelection() {
        Open(50, 4);
        Calculate(100, 20, 20);
        Calculate(100, 20, 0);
        const QTableWidget& list = *m_dialog->m_listCallers;
        QCOMPARE(list.rowCount(), 1);
        QCOMPARE(Cell(list, 0, 0), QStringLiteral("$0.00"));
        QCOMPARE(Cell(list, 0, 1), QStringLiteral("+$30 (150%)"));
        QCOMPARE(Cell(list, 0, 2), QString()); // one result column only
        QVERIFY(!list.selectionModel()->isRowSelected(0, {}));
        QCOMPARE(list.currentRow(), -1);
    }

    // Callers of 0 or less: the amount column alone.
    void withoutResultColumnsTheAmountsStillShow() {
        for (const int callers : {0, -3}) {
            Open(50, callers);
            Calculate(100, 20, 20);
            QCOMPARE(m_dialog->m_listCallers->columnCount(), 1);
            QCOMPARE(m_dialog->m_listCallers->rowCount(), 21);
            QCOMPARE(Cell(*m_dialog->m_listCallers, 20, 0), QStringLiteral("$200.00"));
            QVERIFY(m_dialog->m_listCallers->selectionModel()->isRowSelected(10, {}));
            QCOMPARE(m_dialog->m_strPrize, QStringLiteral("+$20 (50%)"));
        }
    }

    void anAmountOutOfRangeIsReportedAndTheRestGoesOn() {
        Open(50, 1);
        m_dialog->m_investSoFar->setText(QStringLiteral("20"));
        m_dialog->m_adding->setText(QStringLiteral("20"));
        Type(m_dialog->m_currentPot, QStringLiteral("10000001"));
        m_dialog->m_calculate->click();
        QCOMPARE(Seam().Messages().size(), std::size_t(1));
        QCOMPARE(Seam().Messages().front().text,
                 QStringLiteral("Please enter an integer between 0 and 10000000."));
        // The read stopped at the pot, which parsed and is kept; the others
        // were not read.
        QCOMPARE(m_dialog->m_nCurrentPot, 10000001);
        QCOMPARE(m_dialog->m_nAdding, 0);
        QCOMPARE(m_dialog->m_listCallers->rowCount(), 1);
    }

    void enterCalculatesAndKeepsTheDialogOpen() {
        Open(50, 2);
        m_dialog->m_currentPot->setText(QStringLiteral("100"));
        m_dialog->m_investSoFar->setText(QStringLiteral("20"));
        QLineEdit* adding = m_dialog->m_adding;
        Type(adding, QStringLiteral("20"));
        QTest::keyClick(adding, Qt::Key_Return);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_dialog->m_strPrize, QStringLiteral("+$20 (50%)"));
        QCOMPARE(m_dialog->m_listCallers->rowCount(), 21);
    }

    void theProgramOpensItWithTheRateAndCallersGiven() {
        int columns = 0;
        int rate = -1;
        Seam().QueueDialog([&](QDialog& dialog) {
            auto& advisor = static_cast<CCallAdvisorDialog&>(dialog);
            rate = advisor.m_nWinRate;
            columns = advisor.m_listCallers->columnCount();
            advisor.m_close->click();
            return advisor.result();
        });
        QCOMPARE(RunCallAdvisorApp(30, 4), 0);
        QCOMPARE(Seam().DialogTitles(), std::vector<QString>{QStringLiteral("Should I Call?")});
        QCOMPARE(rate, 30);
        QCOMPARE(columns, 6); // the amount, then 0 to 4 callers
    }

private:
    void Open(std::int32_t rate, std::int32_t callers) {
        m_dialog = std::make_unique<CCallAdvisorDialog>();
        m_dialog->m_nWinRate = rate;
        m_dialog->m_nCallers = callers;
        m_dialog->Create();
        QVERIFY(testing::Activate(*m_dialog));
    }

    void Calculate(int pot, int invest, int adding) {
        m_dialog->m_currentPot->setText(QString::number(pot));
        m_dialog->m_investSoFar->setText(QString::number(invest));
        m_dialog->m_adding->setText(QString::number(adding));
        m_dialog->m_calculate->click();
    }

    QString Summary() const { return m_dialog->m_summary->text(); }

    std::unique_ptr<CCallAdvisorDialog> m_dialog;
};

QUILLORY_UI_TEST_MAIN(CallAdvisorTest)
#include "CallAdvisorTest.moc"
