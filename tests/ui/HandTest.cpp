// Playing a hand in the main window: Draw, Flop, Turn, River and Showdown in
// practice mode, the same through the card picker in entry mode, the Fix
// buttons, and a player count changed during the hand.
//
// The tick count is fixed, so every deal and every estimate repeats: the
// expected values are worked out here from the engine and the estimator.
#include "engine/Deck.h"
#include "engine/Table.h"
#include "odds/Estimator.h"
#include "odds/Labels.h"
#include "odds/Profit.h"
#include "platform/TickCount.h"
#include "res/ResourceIds.h"
#include "tests/ui/PickerScript.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/ListView.h"
#include "ui/TrainerDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <set>

using namespace quillory;
using testing::PickerVisit;
using testing::Seam;
using testing::TemporarySettings;
namespace ids = res::trainer;

namespace {

constexpr std::uint32_t kTick = 7340033;
std::uint32_t FixedTick() {
    return kTick;
}

QString Row(const Card& first, const Card& second) {
    return QString::fromStdString(CardLabel(first) + ", " + CardLabel(second));
}

// The rate text an estimate of this hand gives at the fixed tick count.
QString ExpectedRate(const Card& first, const Card& second, int known, const BoardCards& board,
                     int players, int trials) {
    return QString::fromStdString(
        FormatWinningRate(EstimateWins(first, second, known, board, players, trials), trials));
}

} // namespace

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

    void practiceModePlaysAWholeHand_data() {
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("trials");
        QTest::newRow("2 players") << 2 << 5000;
        QTest::newRow("4 players") << 4 << 2500;
        QTest::newRow("10 players") << 10 << 1000;
    }

    void practiceModePlaysAWholeHand() {
        QFETCH(int, players);
        QFETCH(int, trials);
        ScopedTickSource tick(&FixedTick);
        Open(true, players);
        Click(ids::kDraw);

        // One deck: the board first, then each seat's first and second card.
        Deck deck;
        deck.Shuffle(static_cast<std::int32_t>(kTick - 1));
        deck.Shuffle(static_cast<std::int32_t>(kTick - 1));
        BoardCards board;
        for (Card& card : board) {
            deck.Deal(card);
        }
        std::vector<Card> first(static_cast<std::size_t>(players));
        std::vector<Card> second(static_cast<std::size_t>(players));
        for (std::size_t seat = 0; seat < first.size(); ++seat) {
            deck.Deal(first[seat]);
            deck.Deal(second[seat]);
        }
        QCOMPARE(m_dialog->m_board, board);
        QCOMPARE(m_dialog->m_firstCards, first);
        QCOMPARE(m_dialog->m_secondCards, second);
        std::set<int> distinct;
        for (const Card& card : board) {
            distinct.insert(FreshDeckIndex(card));
        }
        for (std::size_t seat = 0; seat < first.size(); ++seat) {
            distinct.insert(FreshDeckIndex(first[seat]));
            distinct.insert(FreshDeckIndex(second[seat]));
        }
        QCOMPARE(distinct.size(), std::size_t(5 + 2 * players));

        QCOMPARE(Hands()->GetItemCount(), 1);
        QCOMPARE(Hands()->GetItemText(0, 0), Row(first[0], second[0]));
        QCOMPARE(Hands()->GetItemText(0, 1), QString());
        CheckPictures({m_dialog->m_listHole1, m_dialog->m_listHole2}, {first[0], second[0]});
        CheckEmpty({m_dialog->m_listFlop1, m_dialog->m_listTurn, m_dialog->m_listRiver});
        CheckRate(ExpectedRate(first[0], second[0], 0, board, players, trials), 10 * players, 10);
        CheckStage(true, false, false);

        Click(ids::kFlop);
        CheckPictures({m_dialog->m_listFlop1, m_dialog->m_listFlop2, m_dialog->m_listFlop3},
                      {board[0], board[1], board[2]});
        CheckRate(ExpectedRate(first[0], second[0], 3, board, players, trials), 10 * players, 10);
        CheckStage(false, true, false);

        Click(ids::kTurn);
        CheckPictures({m_dialog->m_listTurn}, {board[3]});
        CheckRate(ExpectedRate(first[0], second[0], 4, board, players, trials), 10 * players, 10);
        CheckStage(false, false, true);

        Click(ids::kRiver);
        CheckPictures({m_dialog->m_listRiver}, {board[4]});
        CheckRate(ExpectedRate(first[0], second[0], 5, board, players, trials), 10 * players, 10);
        CheckStage(false, false, false);
        const QString rate = m_dialog->GetItemText(ids::kWinningRate);

        Click(ids::kShowdown);
        QCOMPARE(Hands()->GetItemCount(), players);
        for (int seat = 0; seat < players; ++seat) {
            const auto s = static_cast<std::size_t>(seat);
            QCOMPARE(Hands()->GetItemText(seat, 0), Row(first[s], second[s]));
        }
        CheckWinners(ShowdownOf(board, first, second));
        // A second press changes nothing.
        Click(ids::kShowdown);
        QCOMPARE(Hands()->GetItemCount(), players);
        QVERIFY(Seam().Messages().empty());
        QCOMPARE(m_dialog->GetItemText(ids::kWinningRate), rate);

        // Draw again starts a new hand and clears every view.
        Click(ids::kDraw);
        QCOMPARE(Hands()->GetItemCount(), 1);
        CheckEmpty({m_dialog->m_listFlop1, m_dialog->m_listFlop2, m_dialog->m_listFlop3,
                    m_dialog->m_listTurn, m_dialog->m_listRiver});
        CheckStage(true, false, false);
    }

    void aTieMarksEverySharingSeatTheUsersToo() {
        Open(true, 4);
        Click(ids::kDraw);
        // The user and seat 2 both hold a pair of aces with the board's
        // kickers; seats 1 and 3 hold less.
        m_dialog->m_board = {Card{kTwo, kHeart}, Card{kSeven, kDiamond}, Card{kNine, kClub},
                             Card{kJack, kSpade}, Card{kKing, kHeart}};
        m_dialog->m_firstCards = {Card{kAce, kSpade}, Card{kThree, kClub}, Card{kAce, kClub},
                                  Card{kFive, kSpade}};
        m_dialog->m_secondCards = {Card{kAce, kDiamond}, Card{kFour, kDiamond}, Card{kAce, kHeart},
                                   Card{kSix, kHeart}};
        Click(ids::kShowdown);
        QCOMPARE(Hands()->GetItemCount(), 4);
        CheckWinners({0, 2});
    }

    void showdownBeforeDrawDoesNothing() {
        Open(true, 4);
        Click(ids::kShowdown);
        QCOMPARE(Hands()->GetItemCount(), 0);
        QVERIFY(Seam().Messages().empty());
    }

    void aCountChangedAfterDrawIsUsedByTheNextEstimateAndRefusesTheShowdown() {
        ScopedTickSource tick(&FixedTick);
        Open(true, 4);
        Click(ids::kDraw);
        auto* players = m_dialog->Item<QLineEdit>(ids::kPlayers);
        players->setFocus();
        players->selectAll();
        QTest::keyClicks(players, QStringLiteral("6"));
        // A real click: the edit's focus loss takes the new count first.
        QTest::mouseClick(m_dialog->GetDlgItem(ids::kFlop), Qt::LeftButton);
        QCOMPARE(m_dialog->m_nPlayers, 6);
        QCOMPARE(m_dialog->GetItemText(ids::kWinningRate),
                 ExpectedRate(m_dialog->m_firstCards[0], m_dialog->m_secondCards[0], 3,
                              m_dialog->m_board, 6, 1666));
        QCOMPARE(m_dialog->GetItemText(ids::kAverageRate), QStringLiteral("17-18 %"));
        QCOMPARE(m_dialog->m_firstCards.size(), std::size_t(4));
        QCOMPARE(m_dialog->GetItemText(ids::kPot), QStringLiteral("40")); // until the next reset

        QTest::mouseClick(m_dialog->GetDlgItem(ids::kShowdown), Qt::LeftButton);
        QCOMPARE(Seam().Messages().size(), std::size_t(1));
        QCOMPARE(Seam().Messages().front().text,
                 QStringLiteral("Showdown unavailable because the number of players have been "
                                "changed during the game."));
        QCOMPARE(Seam().Messages().front().icon, MessageIcon::Information);
        QCOMPARE(Hands()->GetItemCount(), 1);

        Click(ids::kDraw);
        QCOMPARE(m_dialog->m_firstCards.size(), std::size_t(6));
        QCOMPARE(m_dialog->GetItemText(ids::kPot), QStringLiteral("60"));
    }

    void aCountStillRefusedWhenAStepRunsIsHeldToTheRange() {
        ScopedTickSource tick(&FixedTick);
        Open(true, 4);
        Click(ids::kDraw);
        auto* players = m_dialog->Item<QLineEdit>(ids::kPlayers);
        players->setText(QStringLiteral("11")); // not yet left, so not yet clamped
        m_dialog->OnFlop();
        QCOMPARE(Seam().Messages().size(), std::size_t(1));
        QCOMPARE(m_dialog->m_nPlayers, 10);
        QCOMPARE(players->text(), QStringLiteral("10"));
        QCOMPARE(m_dialog->GetItemText(ids::kWinningRate),
                 ExpectedRate(m_dialog->m_firstCards[0], m_dialog->m_secondCards[0], 3,
                              m_dialog->m_board, 10, 1000));
    }

    void entryModePlaysAWholeHandThroughThePicker() {
        ScopedTickSource tick(&FixedTick);
        Open(false, 4);
        QVERIFY(!m_dialog->IsItemEnabled(ids::kShowdown));
        const Card ten{kTen, kHeart};
        const Card ace{kAce, kSpade};
        const BoardCards board{Card{kKing, kDiamond}, Card{kQueen, kClub}, Card{kTwo, kSpade},
                               Card{kJack, kHeart}, Card{kTen, kClub}};
        PickerVisit draw;
        PickerVisit flop;
        PickerVisit turn;
        Seam().QueueDialog(testing::PickCards({ten, ace}, &draw));
        Click(ids::kDraw);
        QCOMPARE(draw.cards, 2);
        QCOMPARE(draw.title, QStringLiteral("Select Card"));
        QCOMPARE(Hands()->GetItemText(0, 0), QStringLiteral("10(H), A(S)"));
        QCOMPARE(m_dialog->m_listHole1->GetItemImage(0), 22);
        QCOMPARE(m_dialog->m_listHole2->GetItemImage(0), 0);
        CheckRate(ExpectedRate(ten, ace, 0, board, 4, 2500), 40, 10);
        CheckStage(true, false, false);
        QCOMPARE(m_dialog->m_firstCards[1], kNoCard); // the opponents are never known

        Seam().QueueDialog(testing::PickCards({board[0], board[1], board[2]}, &flop));
        Click(ids::kFlop);
        QCOMPARE(flop.cards, 3);
        CheckPictures({m_dialog->m_listFlop1, m_dialog->m_listFlop2, m_dialog->m_listFlop3},
                      {board[0], board[1], board[2]});
        CheckRate(ExpectedRate(ten, ace, 3, board, 4, 2500), 40, 10);
        CheckStage(false, true, false);

        Seam().QueueDialog(testing::PickCards({board[3]}, &turn));
        Click(ids::kTurn);
        QCOMPARE(turn.cards, 1);
        QCOMPARE(turn.columnEnabled, (std::array<bool, 3>{true, false, false}));
        CheckPictures({m_dialog->m_listTurn}, {board[3]});
        CheckRate(ExpectedRate(ten, ace, 4, board, 4, 2500), 40, 10);

        Seam().QueueDialog(testing::PickCards({board[4]}));
        Click(ids::kRiver);
        CheckPictures({m_dialog->m_listRiver}, {board[4]});
        QCOMPARE(m_dialog->m_board, board);
        CheckRate(ExpectedRate(ten, ace, 5, board, 4, 2500), 40, 10);
        CheckStage(false, false, false);
        QCOMPARE(Hands()->GetItemCount(), 1);
        QCOMPARE(Seam().DialogTitles().size(), std::size_t(4));
    }

    void cancellingThePickerStopsTheStep() {
        Open(false, 4);
        Seam().QueueDialog(testing::CancelPicker());
        Click(ids::kDraw);
        CheckEmpty({Hands(), m_dialog->m_listHole1, m_dialog->m_listHole2});
        CheckStage(false, false, false);
        QCOMPARE(m_dialog->GetItemText(ids::kWinningRate), QString());
        QCOMPARE(m_dialog->m_firstCards[0], kNoCard);

        Seam().QueueDialog(testing::PickCards({Card{kNine, kClub}, Card{kNine, kDiamond}}));
        Click(ids::kDraw);
        const QString rate = m_dialog->GetItemText(ids::kWinningRate);
        const QString profit = m_dialog->GetItemText(ids::kExpectingProfit);
        Seam().QueueDialog(testing::CancelPicker());
        Click(ids::kFlop);
        QCOMPARE(Hands()->GetItemCount(), 1);
        QCOMPARE(m_dialog->GetItemText(ids::kWinningRate), rate);
        QCOMPARE(m_dialog->GetItemText(ids::kExpectingProfit), profit);
        CheckEmpty({m_dialog->m_listFlop1, m_dialog->m_listFlop2, m_dialog->m_listFlop3});
        QCOMPARE(m_dialog->m_board[0], kNoCard);
        CheckStage(true, false, false);
    }

    void fixReplacesAFilledSlotAndEstimatesAgain() {
        ScopedTickSource tick(&FixedTick);
        Open(false, 4);
        // Empty slots open nothing.
        for (int id : {ids::kFixHole1, ids::kFixHole2, ids::kFixFlop1, ids::kFixRiver}) {
            Click(id);
        }
        QVERIFY(Seam().DialogTitles().empty());

        const Card nine{kNine, kSpade};
        const Card king{kKing, kClub};
        Seam().QueueDialog(testing::PickCards({nine, king}));
        Click(ids::kDraw);
        Click(ids::kFixFlop1); // no flop yet
        QCOMPARE(Seam().DialogTitles().size(), std::size_t(1));

        PickerVisit visit;
        const Card ten{kTen, kHeart};
        Seam().QueueDialog(testing::PickCards({ten}, &visit));
        Click(ids::kFixHole1);
        QCOMPARE(visit.cards, 1);
        QCOMPARE(visit.opening[0], (Card{kAce, kSpade})); // not the card it replaces
        QCOMPARE(m_dialog->m_firstCards[0], ten);
        QCOMPARE(m_dialog->m_listHole1->GetItemCount(), 1);
        QCOMPARE(m_dialog->m_listHole1->GetItemImage(0), 22);
        QCOMPARE(Hands()->GetItemCount(), 1);
        QCOMPARE(Hands()->GetItemText(0, 0), QStringLiteral("10(H), K(C)"));
        const BoardCards none{};
        CheckRate(ExpectedRate(ten, king, 0, none, 4, 2500), 40, 10);
        CheckStage(true, false, false); // the stage stays

        // A cancelled Fix changes nothing.
        const QString rate = m_dialog->GetItemText(ids::kWinningRate);
        Seam().QueueDialog(testing::CancelPicker());
        Click(ids::kFixHole2);
        QCOMPARE(m_dialog->m_secondCards[0], king);
        QCOMPARE(m_dialog->m_listHole2->GetItemImage(0), CardImageIndex(king));
        QCOMPARE(m_dialog->GetItemText(ids::kWinningRate), rate);

        // The same card as the other hole card is accepted and estimated as is.
        Seam().QueueDialog(testing::PickCards({ten}));
        Click(ids::kFixHole2);
        QCOMPARE(m_dialog->m_secondCards[0], ten);
        QCOMPARE(Hands()->GetItemText(0, 0), QStringLiteral("10(H), 10(H)"));
        CheckRate(ExpectedRate(ten, ten, 0, none, 4, 2500), 40, 10);

        // After the flop a fixed board card is estimated with the three known.
        const BoardCards board{Card{kTwo, kClub}, Card{kFive, kDiamond}, Card{kEight, kHeart}};
        Seam().QueueDialog(testing::PickCards({board[0], board[1], board[2]}));
        Click(ids::kFlop);
        Click(ids::kFixTurn); // no turn yet
        Seam().QueueDialog(testing::PickCards({Card{kQueen, kSpade}}));
        Click(ids::kFixFlop2);
        BoardCards fixed = board;
        fixed[1] = Card{kQueen, kSpade};
        QCOMPARE(m_dialog->m_board, fixed);
        QCOMPARE(m_dialog->m_listFlop2->GetItemImage(0), CardImageIndex(fixed[1]));
        CheckRate(ExpectedRate(ten, ten, 3, fixed, 4, 2500), 40, 10);
        CheckStage(false, true, false);
        QCOMPARE(Seam().DialogTitles().size(), std::size_t(6));
    }

private:
    void Open(bool practice, int players) {
        TemporarySettings::Write(QStringLiteral("Setting/Demonstration"), practice ? 1 : 0);
        TemporarySettings::Write(QStringLiteral("Setting/NumPlayers"), players);
        m_dialog = std::make_unique<CTrainerDialog>();
        m_dialog->Create();
        QVERIFY(testing::Activate(*m_dialog));
    }

    void Click(int id) { m_dialog->Item<QPushButton>(id)->click(); }

    ListView* Hands() const { return m_dialog->m_listHands; }

    static WinnerList ShowdownOf(const BoardCards& board, const std::vector<Card>& first,
                                 const std::vector<Card>& second) {
        Table table(static_cast<std::uint32_t>(first.size()));
        table.SetFlop(board[0], board[1], board[2]);
        table.SetTurn(board[3]);
        table.SetRiver(board[4]);
        for (std::uint32_t seat = 0; seat < first.size(); ++seat) {
            table.SetSeat(seat, first[seat], second[seat]);
        }
        WinnerList winners;
        table.Showdown(winners);
        return winners;
    }

    void CheckWinners(const WinnerList& winners) {
        for (int row = 0; row < Hands()->GetItemCount(); ++row) {
            const bool won = std::find(winners.begin(), winners.end(), row) != winners.end();
            QCOMPARE(Hands()->GetItemText(row, 1), won ? QStringLiteral("Winner!") : QString());
        }
    }

    void CheckPictures(std::initializer_list<ListView*> views, std::initializer_list<Card> cards) {
        auto card = cards.begin();
        for (ListView* view : views) {
            QCOMPARE(view->GetItemCount(), 1);
            QCOMPARE(view->GetItemImage(0), CardImageIndex(*card++));
        }
    }

    void CheckEmpty(std::initializer_list<ListView*> views) {
        for (ListView* view : views) {
            QCOMPARE(view->GetItemCount(), 0);
        }
    }

    // The rate shown, and the figures computed from its whole percent.
    void CheckRate(const QString& rate, int pot, int invest) {
        QCOMPARE(m_dialog->GetItemText(ids::kWinningRate), rate);
        std::int32_t addUpTo = 0;
        std::int32_t profit = 0;
        CalcProfit(RateFromText(rate.toStdString()), pot, invest, addUpTo, profit);
        QCOMPARE(m_dialog->GetItemText(ids::kExpectingProfit), QString::number(profit));
        QCOMPARE(m_dialog->GetItemText(ids::kAddUpTo), QString::number(addUpTo));
        QCOMPARE(m_dialog->GetItemText(ids::kPot), QString::number(pot));
        QCOMPARE(m_dialog->GetItemText(ids::kAverageRate),
                 QString::fromStdString(AverageWinningRate(m_dialog->m_nPlayers)));
    }

    // Draw is always enabled; Flop, Turn and River by the stage.
    void CheckStage(bool flop, bool turn, bool river) {
        QVERIFY(m_dialog->IsItemEnabled(ids::kDraw));
        QCOMPARE(m_dialog->IsItemEnabled(ids::kFlop), flop);
        QCOMPARE(m_dialog->IsItemEnabled(ids::kTurn), turn);
        QCOMPARE(m_dialog->IsItemEnabled(ids::kRiver), river);
    }

    std::unique_ptr<CTrainerDialog> m_dialog;
};

QUILLORY_UI_TEST_MAIN(HandTest)
#include "HandTest.moc"
