// Playing a hand in the main window: the views show what the trainer holds
// after each click, the picker is opened with the right columns, and a count
// typed and left with a real click reaches the step that follows. The rules
// themselves are the trainer's and tested without a window
// (tests/trainer).
#include "engine/CardNames.h"
#include "odds/Labels.h"
#include "res/ResourceIds.h"
#include "tests/ui/PickerScript.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/CardSlotView.h"
#include "ui/TrainerDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace quillory;
using testing::PickerVisit;
using testing::Seam;
using testing::TemporarySettings;
namespace ids = res::trainer;

class HandTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Seam().Reset();
        TemporarySettings::Clear();
    }

    void cleanup() {
        m_dialog.reset();
        QCOMPARE(Seam().UnexpectedDialogs(), 0);
    }

    // Each step of a practice hand shows the trainer's state: the card
    // pictures, the hands list with its winners, the figures and the stage.
    void practiceHandShowsEachStepInTheViews() {
        Open(true, 4);
        for (int step : {ids::kDraw, ids::kFlop, ids::kTurn, ids::kRiver, ids::kShowdown}) {
            Click(step);
            CheckViews();
        }
        QCOMPARE(Hands()->rowCount(), 4);
        QVERIFY(Seam().Messages().empty());
        const Card river = m_dialog->State().m_board[4];
        QCOMPARE(View(CardSlot::River)->Image(), CardImageIndex(river));
        QVERIFY(!m_dialog->Item(ids::kRiver)->isEnabled());

        Click(ids::kDraw); // a new hand clears every view
        CheckViews();
        QCOMPARE(Hands()->rowCount(), 1);
        QCOMPARE(View(CardSlot::Flop1)->rowCount(), 0);
    }

    // Entry mode: each step opens the picker for its cards with the columns
    // beyond them disabled; Fix opens one only on a filled slot.
    void entryModeAsksThePickerAndShowsThePickedCards() {
        Open(false, 4);
        QVERIFY(!m_dialog->Item(ids::kShowdown)->isEnabled());
        QVERIFY(!m_dialog->Item(ids::kHands)->isEnabled());
        Click(ids::kFixHole1); // an empty slot opens nothing
        QVERIFY(Seam().DialogTitles().empty());

        Seam().QueueDialog(testing::CancelPicker());
        Click(ids::kDraw);
        CheckViews();
        QVERIFY(!m_dialog->Item(ids::kFlop)->isEnabled());

        PickerVisit draw;
        Seam().QueueDialog(testing::PickCards({Card{kTen, kHeart}, Card{kAce, kSpade}}, &draw));
        Click(ids::kDraw);
        QCOMPARE(draw.cards, 2);
        QCOMPARE(draw.title, QStringLiteral("Select Card"));
        QCOMPARE(draw.columnEnabled, (std::array<bool, 3>{true, true, false}));
        QCOMPARE(Hands()->item(0, 0)->text(), QStringLiteral("10(H), A(S)"));
        QCOMPARE(View(CardSlot::Hole1)->Image(), 22);
        QCOMPARE(View(CardSlot::Hole2)->Image(), 0);
        CheckViews();

        PickerVisit flop;
        Seam().QueueDialog(testing::PickCards(
            {Card{kKing, kDiamond}, Card{kQueen, kClub}, Card{kTwo, kSpade}}, &flop));
        Click(ids::kFlop);
        QCOMPARE(flop.columnEnabled, (std::array<bool, 3>{true, true, true}));
        CheckViews();

        PickerVisit fix;
        Seam().QueueDialog(testing::PickCards({Card{kNine, kClub}}, &fix));
        Click(ids::kFixFlop2);
        QCOMPARE(fix.columnEnabled, (std::array<bool, 3>{true, false, false}));
        QCOMPARE(fix.opening[0], (Card{kAce, kSpade})); // not the card it replaces
        QCOMPARE(View(CardSlot::Flop2)->rowCount(), 1);
        QCOMPARE(View(CardSlot::Flop2)->Image(), CardImageIndex(Card{kNine, kClub}));
        CheckViews();
        QCOMPARE(Seam().DialogTitles().size(), std::size_t(4));
    }

    // A count typed after Draw reaches the trainer when a real click leaves
    // the edit: the Flop estimates for it and the Showdown is refused.
    void aCountChangedAfterDrawReachesTheNextStepAndRefusesTheShowdown() {
        Open(true, 4);
        Click(ids::kDraw);
        auto* players = testing::Control<QLineEdit>(*m_dialog, ids::kPlayers);
        players->setFocus();
        players->selectAll();
        QTest::keyClicks(players, QStringLiteral("6"));
        QTest::mouseClick(m_dialog->Item(ids::kFlop), Qt::LeftButton);
        QCOMPARE(m_dialog->State().m_nPlayers, 6);
        QCOMPARE(testing::ShownText(*m_dialog, ids::kAverageRate), QStringLiteral("17-18 %"));
        QCOMPARE(testing::ShownText(*m_dialog, ids::kPot),
                 QStringLiteral("40")); // until the next reset

        QTest::mouseClick(m_dialog->Item(ids::kShowdown), Qt::LeftButton);
        QCOMPARE(Seam().Messages().size(), std::size_t(1));
        QCOMPARE(Seam().Messages().front().text,
                 QStringLiteral("Showdown unavailable because the number of players have been "
                                "changed during the game."));
        QCOMPARE(Seam().Messages().front().icon, MessageIcon::Information);
        QCOMPARE(Hands()->rowCount(), 1);
    }

    // A count still in the edit, refused by the step's read, is reported and
    // the edit then shows the count the step used.
    void aCountStillRefusedWhenAStepRunsIsReportedAndShownClamped() {
        Open(true, 4);
        Click(ids::kDraw);
        auto* players = testing::Control<QLineEdit>(*m_dialog, ids::kPlayers);
        players->setText(QStringLiteral("11")); // not yet left, so not yet clamped
        Click(ids::kFlop);
        QCOMPARE(Seam().Messages().size(), std::size_t(1));
        QCOMPARE(m_dialog->State().m_nPlayers, 10);
        QCOMPARE(players->text(), QStringLiteral("10"));
    }

private:
    void Open(bool practice, int players) {
        TemporarySettings::Write(QStringLiteral("Setting/Demonstration"), practice ? 1 : 0);
        TemporarySettings::Write(QStringLiteral("Setting/NumPlayers"), players);
        m_dialog = std::make_unique<CTrainerDialog>(nullptr, DealSeeds::Fixed(7340033));
        m_dialog->Create();
        QVERIFY(testing::Activate(*m_dialog));
    }

    void Click(int id) { testing::Control<QPushButton>(*m_dialog, id)->click(); }

    QTableWidget* Hands() const { return testing::Control<QTableWidget>(*m_dialog, ids::kHands); }

    CardSlotView* View(CardSlot slot) const {
        return testing::Control<CardSlotView>(*m_dialog, ids::kHole1 + static_cast<int>(slot));
    }

    // The views, texts and buttons against the trainer's state.
    void CheckViews() {
        const TrainerState& s = m_dialog->State();
        QCOMPARE(Hands()->rowCount(), static_cast<int>(s.m_rows.size()));
        for (std::size_t row = 0; row < s.m_rows.size(); ++row) {
            const int r = static_cast<int>(row);
            QCOMPARE(Hands()->item(r, 0)->text(), QString::fromStdString(s.m_rows[row].hands));
            QCOMPARE(Hands()->item(r, 1)->text(), QString::fromStdString(s.m_rows[row].result));
        }
        for (std::size_t slot = 0; slot < kCardSlots; ++slot) {
            CardSlotView* view = View(static_cast<CardSlot>(slot));
            const Card card = s.m_shown[slot];
            QCOMPARE(view->rowCount(), HoldsCard(card) ? 1 : 0);
            if (HoldsCard(card)) {
                QCOMPARE(view->Image(), CardImageIndex(card));
            }
        }
        QCOMPARE(testing::ShownText(*m_dialog, ids::kWinningRate),
                 QString::fromStdString(s.WinningRateText()));
        QCOMPARE(testing::ShownText(*m_dialog, ids::kExpectingProfit),
                 QString::number(s.m_nExpectingProfit));
        QCOMPARE(testing::ShownText(*m_dialog, ids::kAddUpTo), QString::number(s.m_nAddUpTo));
        QCOMPARE(testing::ShownText(*m_dialog, ids::kPot), QString::number(s.m_nPot));
        QVERIFY(m_dialog->Item(ids::kDraw)->isEnabled());
        QCOMPARE(m_dialog->Item(ids::kFlop)->isEnabled(), s.FlopEnabled());
        QCOMPARE(m_dialog->Item(ids::kTurn)->isEnabled(), s.TurnEnabled());
        QCOMPARE(m_dialog->Item(ids::kRiver)->isEnabled(), s.RiverEnabled());
    }

    std::unique_ptr<CTrainerDialog> m_dialog;
};

QUILLORY_UI_TEST_MAIN(HandTest)
#include "HandTest.moc"
