// The pot figures in the main window: typing a pot or an investment
// recomputes the figures at once, a typed number is shown in its plain form,
// an emptied edit becomes 0 when left, and a refused pot is reported. The
// worked cases are the trainer's (tests/trainer).
#include "res/ResourceIds.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/TrainerDialog.h"

#include <QLineEdit>
#include <QPushButton>

using namespace quillory;
using testing::Seam;
using testing::TemporarySettings;
using testing::Type;
namespace ids = res::trainer;

class PotFiguresTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Seam().Reset();
        TemporarySettings::Clear();
        TemporarySettings::Write(QStringLiteral("Setting/Demonstration"), 0);
        m_dialog = std::make_unique<CTrainerDialog>();
        m_dialog->Create();
        QVERIFY(testing::Activate(*m_dialog));
        m_pot = m_dialog->Bind<QLineEdit>(ids::kPot);
        m_invest = m_dialog->Bind<QLineEdit>(ids::kInvest);
    }

    void cleanup() {
        m_dialog.reset();
        QCOMPARE(Seam().UnexpectedDialogs(), 0);
    }

    void typedFiguresGiveTheWorkedCases_data() {
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("pot");
        QTest::addColumn<QString>("invest");
        QTest::addColumn<QString>("profit");
        QTest::addColumn<QString>("addUpTo");
        // clang-format off
        QTest::newRow("half")              << "50.00%"  << "100" << "20" << "30"  << "60";
        QTest::newRow("toward zero")       << "45.67%"  << "35"  << "20" << "-4"  << "-8";
        QTest::newRow("no rate yet")       << ""        << "100" << "10" << "-10" << "-10";
        // clang-format on
    }

    void typedFiguresGiveTheWorkedCases() {
        QFETCH(QString, rate);
        QFETCH(QString, pot);
        QFETCH(QString, invest);
        QFETCH(QString, profit);
        QFETCH(QString, addUpTo);
        SetRate(rate);
        Type(m_pot, pot);
        Type(m_invest, invest);
        QCOMPARE(Text(ids::kExpectingProfit), profit);
        QCOMPARE(Text(ids::kAddUpTo), addUpTo);
        QCOMPARE(Text(ids::kAverageRate), QStringLiteral("25-27 %"));
        QVERIFY(Seam().Messages().empty());
    }

    void anEmptiedEditChangesNothingUntilItIsLeft() {
        SetRate(QStringLiteral("50.00%"));
        Type(m_pot, QStringLiteral("100"));
        Type(m_invest, QStringLiteral("20"));
        m_pot->setFocus();
        m_pot->selectAll();
        QTest::keyClick(m_pot, Qt::Key_Backspace);
        QCOMPARE(m_pot->text(), QString());
        QCOMPARE(Text(ids::kExpectingProfit), QStringLiteral("30"));
        QCOMPARE(Text(ids::kAddUpTo), QStringLiteral("60"));
        QTest::keyClick(m_pot, Qt::Key_Tab);
        QCoreApplication::processEvents();
        QCOMPARE(m_pot->text(), QStringLiteral("0"));
        QCOMPARE(m_dialog->State().m_nPot, 0);
        QCOMPARE(Text(ids::kExpectingProfit), QStringLiteral("-20")); // 50 x 0 x 0.01 - 20
        QCOMPARE(Text(ids::kAddUpTo), QStringLiteral("-40"));         // (-20 x 50) / 50 - 20

        m_invest->setFocus();
        m_invest->selectAll();
        QTest::keyClick(m_invest, Qt::Key_Delete);
        QTest::keyClick(m_invest, Qt::Key_Tab, Qt::ShiftModifier);
        QCoreApplication::processEvents();
        QCOMPARE(m_invest->text(), QStringLiteral("0"));
        QCOMPARE(Text(ids::kExpectingProfit), QStringLiteral("0"));
        QCOMPARE(Text(ids::kAddUpTo), QStringLiteral("0"));
        QVERIFY(Seam().Messages().empty());
    }

    void aTypedNumberIsShownInItsPlainForm() {
        SetRate(QStringLiteral("50.00%"));
        Type(m_pot, QStringLiteral("05"));
        QCOMPARE(m_pot->text(), QStringLiteral("5"));
        m_invest->setFocus();
        m_invest->selectAll();
        m_invest->insert(QStringLiteral("007")); // as a paste does
        QCOMPARE(m_invest->text(), QStringLiteral("7"));
        QCOMPARE(m_dialog->State().m_nInvest, 7);
        QCOMPARE(Text(ids::kExpectingProfit), QStringLiteral("-4")); // 2.5 - 7
    }

    void aPotOutOfRangeIsReportedAndStillComputed() {
        SetRate(QStringLiteral("50.00%"));
        Type(m_pot, QStringLiteral("20000000"));
        QCOMPARE(Seam().Messages().size(), std::size_t(1));
        QCOMPARE(Seam().Messages().front().text,
                 QStringLiteral("Please enter an integer between 0 and 10000000."));
        QCOMPARE(m_dialog->State().m_nPot, 20000000);
        QCOMPARE(m_pot->text(), QStringLiteral("20000000"));
        QCOMPARE(Text(ids::kExpectingProfit), QStringLiteral("9999990"));
        QCOMPARE(Text(ids::kAddUpTo), QStringLiteral("19999980"));
    }

private:
    QString Text(int id) const { return m_dialog->GetItemText(id); }

    // The winning-rate text as an estimate would have left it.
    void SetRate(const QString& rate) {
        m_dialog->State().m_strWinningRate = rate.toStdString();
        m_dialog->UpdateData(false);
    }

    std::unique_ptr<CTrainerDialog> m_dialog;
    QLineEdit* m_pot{};
    QLineEdit* m_invest{};
};

QUILLORY_UI_TEST_MAIN(PotFiguresTest)
#include "PotFiguresTest.moc"
