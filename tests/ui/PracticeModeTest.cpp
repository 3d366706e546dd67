// Practice mode and the player count in the window: a count left by Tab or
// by a click is read, reported and shown clamped, the focus goes back to a
// refused entry, a click after a refused entry is lost, and the mode's
// controls are enabled. The rules are the trainer's (tests/trainer).
#include "odds/Labels.h"
#include "res/ResourceIds.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/CardSlotView.h"
#include "ui/TrainerDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace quillory;
using testing::Seam;
using testing::TemporarySettings;
using testing::Type;
namespace ids = res::trainer;

namespace {

constexpr std::array kFixButtons{ids::kFixHole1, ids::kFixHole2, ids::kFixFlop1, ids::kFixFlop2,
                                 ids::kFixFlop3, ids::kFixTurn,  ids::kFixRiver};

// Leaves the players edit with the keyboard and lets the focus-loss handler run.
void LeaveWithTab(QLineEdit* edit) {
    QTest::keyClick(edit, Qt::Key_Tab);
    QCoreApplication::processEvents();
}

} // namespace

class PracticeModeTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Seam().Reset();
        TemporarySettings::Clear();
        m_dialog = std::make_unique<CTrainerDialog>();
        m_dialog->Create();
        QVERIFY(testing::Activate(*m_dialog));
        m_players = testing::Control<QLineEdit>(*m_dialog, ids::kPlayers);
    }

    void cleanup() {
        m_dialog.reset();
        QCOMPARE(Seam().UnexpectedDialogs(), 0);
    }

    void aCountOutsideTheRangeIsReportedThenClamped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("kept");
        QTest::newRow("1") << "1" << 2;
        QTest::newRow("0") << "0" << 2;
        QTest::newRow("11") << "11" << 10;
        QTest::newRow("99") << "99" << 10;
    }

    void aCountOutsideTheRangeIsReportedThenClamped() {
        QFETCH(QString, typed);
        QFETCH(int, kept);
        Type(m_players, typed);
        LeaveWithTab(m_players);
        QCOMPARE(Seam().Messages().size(), std::size_t(1));
        QCOMPARE(Seam().Messages().front().text,
                 QStringLiteral("Please enter an integer between 2 and 10."));
        QCOMPARE(m_dialog->State().m_nPlayers, kept);
        QCOMPARE(m_players->text(), QString::number(kept));
        QCOMPARE(QApplication::focusWidget(), m_players); // back where the entry was refused
        // Leaving again with a valid count says nothing more.
        LeaveWithTab(m_players);
        QCOMPARE(Seam().Messages().size(), std::size_t(1));
    }

    void aNegativeCountThatReachesTheFieldBecomesTwo() {
        m_players->setText(
            QStringLiteral("-5")); // the edit takes digits only; pasted text could not
        m_dialog->Model().Apply(Command::LeavePlayers, m_dialog->Fields());
        QCOMPARE(m_dialog->State().m_nPlayers, 2);
        QCOMPARE(m_players->text(), QStringLiteral("2"));
    }

    void anEmptyCountIsReportedAndThePreviousOneComesBack() {
        Type(m_players, QStringLiteral("6"));
        LeaveWithTab(m_players);
        QVERIFY(Seam().Messages().empty());
        Type(m_players, QString());
        LeaveWithTab(m_players);
        QCOMPARE(Seam().Messages().size(), std::size_t(1));
        QCOMPARE(Seam().Messages().front().text, QStringLiteral("Please enter an integer."));
        QCOMPARE(m_dialog->State().m_nPlayers, 6);
        QCOMPARE(m_players->text(), QStringLiteral("6"));
    }

    void aNewCountInTheMiddleOfAHandNeitherResetsNorRecomputes() {
        testing::Control<QPushButton>(*m_dialog, ids::kDraw)->click();
        const QString rate = testing::ShownText(*m_dialog, ids::kWinningRate);
        Type(m_players, QStringLiteral("7"));
        LeaveWithTab(m_players);
        QVERIFY(Seam().Messages().empty());
        QCOMPARE(m_dialog->State().m_nPlayers, 7);
        QCOMPARE(testing::ShownText(*m_dialog, ids::kPot), QStringLiteral("40"));
        QCOMPARE(testing::ShownText(*m_dialog, ids::kWinningRate), rate);
        QCOMPARE(testing::Control<QTableWidget>(*m_dialog, ids::kHole1)->rowCount(), 1);
        QCOMPARE(testing::ShownText(*m_dialog, ids::kAverageRate), QStringLiteral("25-27 %"));
    }

    void switchingTheModeSetsTheEnabledControlsAndStartsAFreshHand() {
        // A hand in progress.
        testing::Control<QPushButton>(*m_dialog, ids::kDraw)->click();
        testing::Control<QPushButton>(*m_dialog, ids::kFlop)->click();
        Type(m_players, QStringLiteral("5"));
        LeaveWithTab(m_players);

        testing::Control<QCheckBox>(*m_dialog, ids::kPracticeMode)->click();
        QCOMPARE(m_dialog->State().m_bPracticeMode, 0);
        QVERIFY(!m_dialog->Item(ids::kHands)->isEnabled());
        QVERIFY(!m_dialog->Item(ids::kShowdown)->isEnabled());
        for (int id : kFixButtons) {
            QVERIFY(m_dialog->Item(id)->isEnabled());
        }
        CheckFreshHand(5);

        testing::Control<QCheckBox>(*m_dialog, ids::kPracticeMode)->click();
        QCOMPARE(m_dialog->State().m_bPracticeMode, 1);
        QVERIFY(m_dialog->Item(ids::kHands)->isEnabled());
        QVERIFY(m_dialog->Item(ids::kShowdown)->isEnabled());
        for (int id : kFixButtons) {
            QVERIFY(!m_dialog->Item(id)->isEnabled());
        }
        CheckFreshHand(5);
        QVERIFY(Seam().Messages().empty());
    }

    void aClickAfterARefusedCountIsLost() {
        auto* mode = testing::Control<QCheckBox>(*m_dialog, ids::kPracticeMode);
        Type(m_players, QStringLiteral("1"));
        QTest::mouseClick(mode, Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(Seam().Messages().size(), std::size_t(1));
        QVERIFY(mode->isChecked());
        QCOMPARE(m_dialog->State().m_bPracticeMode, 1);
        QVERIFY(!m_dialog->Item(ids::kFixHole1)->isEnabled());
        QCOMPARE(m_players->text(), QStringLiteral("2"));
        // A click with nothing to refuse goes through.
        QTest::mouseClick(mode, Qt::LeftButton);
        QCOMPARE(m_dialog->State().m_bPracticeMode, 0);
        QVERIFY(m_dialog->Item(ids::kFixHole1)->isEnabled());
    }

    void aClickRunsAfterTheFocusLossItFollows() {
        Type(m_players, QStringLiteral("7"));
        m_dialog->Item(ids::kPot)->setFocus(); // the focus loss is still pending
        testing::Control<QCheckBox>(*m_dialog, ids::kPracticeMode)->click();
        QCOMPARE(m_dialog->State().m_bPracticeMode, 0);
        QCOMPARE(m_dialog->State().m_nPlayers, 7);
        QCOMPARE(testing::ShownText(*m_dialog, ids::kPot), QStringLiteral("70"));
        QVERIFY(Seam().Messages().empty());
    }

private:
    void CheckFreshHand(int players) {
        for (const int id : {ids::kHands, ids::kHole1, ids::kHole2, ids::kFlop1, ids::kFlop2,
                             ids::kFlop3, ids::kTurnCard, ids::kRiverCard}) {
            QCOMPARE(testing::Control<QTableWidget>(*m_dialog, id)->rowCount(), 0);
        }
        QCOMPARE(m_dialog->State().m_nPlayers, players);
        QCOMPARE(testing::ShownText(*m_dialog, ids::kPot), QString::number(10 * players));
        QCOMPARE(testing::ShownText(*m_dialog, ids::kInvest), QStringLiteral("10"));
        QCOMPARE(testing::ShownText(*m_dialog, ids::kExpectingProfit), QStringLiteral("0"));
        QCOMPARE(testing::ShownText(*m_dialog, ids::kAddUpTo), QStringLiteral("0"));
        QCOMPARE(testing::ShownText(*m_dialog, ids::kWinningRate), QString());
        QCOMPARE(testing::ShownText(*m_dialog, ids::kAverageRate),
                 QString::fromStdString(AverageWinningRate(players)));
        QVERIFY(m_dialog->Item(ids::kDraw)->isEnabled());
        QVERIFY(!m_dialog->Item(ids::kFlop)->isEnabled());
        QVERIFY(!m_dialog->Item(ids::kTurn)->isEnabled());
        QVERIFY(!m_dialog->Item(ids::kRiver)->isEnabled());
    }

    std::unique_ptr<CTrainerDialog> m_dialog;
    QLineEdit* m_players{};
};

QUILLORY_UI_TEST_MAIN(PracticeModeTest)
#include "PracticeModeTest.moc"
