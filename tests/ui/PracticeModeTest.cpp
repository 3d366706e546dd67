// Practice mode and the player count in the window: a count left by Tab or
// by a click is read, reported and shown clamped, the focus goes back to a
// refused entry, a click after a refused entry is lost, and the mode's
// controls are enabled. The rules are the trainer's (tests/trainer).
#include "odds/Labels.h"
#include "res/ResourceIds.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/ListView.h"
#include "ui/TrainerDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

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
        m_players = m_dialog->Bind<QLineEdit>(ids::kPlayers);
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
        m_dialog->Bind<QPushButton>(ids::kDraw)->click();
        const QString rate = m_dialog->GetItemText(ids::kWinningRate);
        Type(m_players, QStringLiteral("7"));
        LeaveWithTab(m_players);
        QVERIFY(Seam().Messages().empty());
        QCOMPARE(m_dialog->State().m_nPlayers, 7);
        QCOMPARE(m_dialog->GetItemText(ids::kPot), QStringLiteral("40"));
        QCOMPARE(m_dialog->GetItemText(ids::kWinningRate), rate);
        QCOMPARE(m_dialog->CardView(CardSlot::Hole1)->rowCount(), 1);
        QCOMPARE(m_dialog->GetItemText(ids::kAverageRate), QStringLiteral("25-27 %"));
    }

    void switchingTheModeSetsTheEnabledControlsAndStartsAFreshHand() {
        // A hand in progress.
        m_dialog->Bind<QPushButton>(ids::kDraw)->click();
        m_dialog->Bind<QPushButton>(ids::kFlop)->click();
        Type(m_players, QStringLiteral("5"));
        LeaveWithTab(m_players);

        m_dialog->Bind<QCheckBox>(ids::kPracticeMode)->click();
        QCOMPARE(m_dialog->State().m_bPracticeMode, 0);
        QVERIFY(!m_dialog->IsItemEnabled(ids::kHands));
        QVERIFY(!m_dialog->IsItemEnabled(ids::kShowdown));
        for (int id : kFixButtons) {
            QVERIFY(m_dialog->IsItemEnabled(id));
        }
        CheckFreshHand(5);

        m_dialog->Bind<QCheckBox>(ids::kPracticeMode)->click();
        QCOMPARE(m_dialog->State().m_bPracticeMode, 1);
        QVERIFY(m_dialog->IsItemEnabled(ids::kHands));
        QVERIFY(m_dialog->IsItemEnabled(ids::kShowdown));
        for (int id : kFixButtons) {
            QVERIFY(!m_dialog->IsItemEnabled(id));
        }
        CheckFreshHand(5);
        QVERIFY(Seam().Messages().empty());
    }

    void aClickAfterARefusedCountIsLost() {
        auto* mode = m_dialog->Bind<QCheckBox>(ids::kPracticeMode);
        Type(m_players, QStringLiteral("1"));
        QTest::mouseClick(mode, Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(Seam().Messages().size(), std::size_t(1));
        QVERIFY(mode->isChecked());
        QCOMPARE(m_dialog->State().m_bPracticeMode, 1);
        QVERIFY(!m_dialog->IsItemEnabled(ids::kFixHole1));
        QCOMPARE(m_players->text(), QStringLiteral("2"));
        // A click with nothing to refuse goes through.
        QTest::mouseClick(mode, Qt::LeftButton);
        QCOMPARE(m_dialog->State().m_bPracticeMode, 0);
        QVERIFY(m_dialog->IsItemEnabled(ids::kFixHole1));
    }

    void aClickRunsAfterTheFocusLossItFollows() {
        Type(m_players, QStringLiteral("7"));
        m_dialog->GetDlgItem(ids::kPot)->setFocus(); // the focus loss is still pending
        m_dialog->Bind<QCheckBox>(ids::kPracticeMode)->click();
        QCOMPARE(m_dialog->State().m_bPracticeMode, 0);
        QCOMPARE(m_dialog->State().m_nPlayers, 7);
        QCOMPARE(m_dialog->GetItemText(ids::kPot), QStringLiteral("70"));
        QVERIFY(Seam().Messages().empty());
    }

private:
    void CheckFreshHand(int players) {
        for (ListView* view :
             {m_dialog->HandsList(), m_dialog->CardView(CardSlot::Hole1),
              m_dialog->CardView(CardSlot::Hole2), m_dialog->CardView(CardSlot::Flop1),
              m_dialog->CardView(CardSlot::Flop2), m_dialog->CardView(CardSlot::Flop3),
              m_dialog->CardView(CardSlot::Turn), m_dialog->CardView(CardSlot::River)}) {
            QCOMPARE(view->rowCount(), 0);
        }
        QCOMPARE(m_dialog->State().m_nPlayers, players);
        QCOMPARE(m_dialog->GetItemText(ids::kPot), QString::number(10 * players));
        QCOMPARE(m_dialog->GetItemText(ids::kInvest), QStringLiteral("10"));
        QCOMPARE(m_dialog->GetItemText(ids::kExpectingProfit), QStringLiteral("0"));
        QCOMPARE(m_dialog->GetItemText(ids::kAddUpTo), QStringLiteral("0"));
        QCOMPARE(m_dialog->GetItemText(ids::kWinningRate), QString());
        QCOMPARE(m_dialog->GetItemText(ids::kAverageRate),
                 QString::fromStdString(AverageWinningRate(players)));
        QVERIFY(m_dialog->IsItemEnabled(ids::kDraw));
        QVERIFY(!m_dialog->IsItemEnabled(ids::kFlop));
        QVERIFY(!m_dialog->IsItemEnabled(ids::kTurn));
        QVERIFY(!m_dialog->IsItemEnabled(ids::kRiver));
    }

    std::unique_ptr<CTrainerDialog> m_dialog;
    QLineEdit* m_players{};
};

QUILLORY_UI_TEST_MAIN(PracticeModeTest)
#include "PracticeModeTest.moc"
