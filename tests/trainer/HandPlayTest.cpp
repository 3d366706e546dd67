// Playing a hand through the trainer: Draw, Flop, Turn, River and Showdown in
// practice mode, the same through the picker in entry mode, the Fix buttons,
// and a player count changed during the hand. No window and no Qt.
//
// The deal's seeds are given to the trainer as fixed ticks, and its estimates
// read the same ticks, so every estimate repeats and is worked out here.
#include "engine/CardNames.h"
#include "engine/Deck.h"
#include "engine/Table.h"
#include "platform/TickCount.h"
#include "tests/engine/TestCards.h"
#include "tests/trainer/ScriptedView.h"

#include <algorithm>
#include <set>

using namespace quillory;
using quillory::test::ExpectedRate;
using quillory::test::ExpectFigures;
using quillory::test::TrainerRig;

namespace {

constexpr std::uint32_t kTick = quillory::test::kTestTick;

std::string Row(const Card& first, const Card& second) {
    return CardLabel(first) + ", " + CardLabel(second);
}

WinnerList ShowdownOf(const TrainerState& s) {
    const auto seats = static_cast<std::uint32_t>(s.m_firstCards.size());
    Table table(seats);
    table.SetFlop(s.m_board[0], s.m_board[1], s.m_board[2]);
    table.SetTurn(s.m_board[3]);
    table.SetRiver(s.m_board[4]);
    for (std::uint32_t seat = 0; seat < seats; ++seat) {
        table.SetSeat(seat, s.m_firstCards[seat], s.m_secondCards[seat]);
    }
    // The reference evaluation decides, not the showdown the trainer ran.
    return test::ReferenceWinners(table, seats);
}

void ExpectStage(const TrainerState& s, HandStage stage) {
    EXPECT_EQ(s.m_stage, stage);
    EXPECT_EQ(s.FlopEnabled(), stage == HandStage::Drawn);
    EXPECT_EQ(s.TurnEnabled(), stage == HandStage::FlopShown);
    EXPECT_EQ(s.RiverEnabled(), stage == HandStage::TurnShown);
}

void ExpectShown(const TrainerState& s, std::initializer_list<Card> cards) {
    std::size_t slot = 0;
    for (const Card& card : cards) {
        EXPECT_EQ(s.m_shown[slot], card) << "card view " << slot;
        ++slot;
    }
    for (; slot < kCardSlots; ++slot) {
        EXPECT_EQ(s.m_shown[slot], kNoCard) << "card view " << slot;
    }
}

class PracticeHand : public ::testing::TestWithParam<std::int32_t> {};

} // namespace

// A whole practice hand at several table sizes: the deal follows the deck
// procedure, each step estimates with its known board cards, the showdown
// marks the winners re-derived here, and the next Draw starts afresh.
TEST_P(PracticeHand, WalksFromDrawToShowdown) {
    const std::int32_t players = GetParam();
    TrainerRig rig(1, players, DealSeeds::Fixed(kTick));
    const TrainerState& s = rig.State();
    rig.Send(Command::Draw);

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
    EXPECT_EQ(s.m_board, board);
    EXPECT_EQ(s.m_firstCards, first);
    EXPECT_EQ(s.m_secondCards, second);
    std::set<int> distinct;
    for (std::size_t seat = 0; seat < first.size(); ++seat) {
        distinct.insert(FreshDeckIndex(first[seat]));
        distinct.insert(FreshDeckIndex(second[seat]));
    }
    for (const Card& card : board) {
        distinct.insert(FreshDeckIndex(card));
    }
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(5 + 2 * players));

    EXPECT_EQ(s.m_rows, (std::vector<HandRow>{{Row(first[0], second[0]), ""}}));
    ExpectShown(s, {first[0], second[0]});
    ExpectFigures(s, ExpectedRate(first[0], second[0], 0, board, players), 10 * players, 10);
    ExpectStage(s, HandStage::Drawn);

    rig.Send(Command::Flop);
    ExpectShown(s, {first[0], second[0], board[0], board[1], board[2]});
    ExpectFigures(s, ExpectedRate(first[0], second[0], 3, board, players), 10 * players, 10);
    ExpectStage(s, HandStage::FlopShown);
    rig.Send(Command::Turn);
    ExpectFigures(s, ExpectedRate(first[0], second[0], 4, board, players), 10 * players, 10);
    ExpectStage(s, HandStage::TurnShown);
    rig.Send(Command::River);
    ExpectShown(s, {first[0], second[0], board[0], board[1], board[2], board[3], board[4]});
    ExpectFigures(s, ExpectedRate(first[0], second[0], 5, board, players), 10 * players, 10);
    ExpectStage(s, HandStage::RiverShown);
    EXPECT_EQ(rig.view.estimates, 4);
    const std::int32_t wins = s.m_wins;

    rig.Send(Command::Showdown);
    EXPECT_TRUE(rig.view.messages.empty());
    ASSERT_EQ(s.m_rows.size(), static_cast<std::size_t>(players));
    const WinnerList winners = ShowdownOf(s);
    for (std::size_t seat = 0; seat < first.size(); ++seat) {
        const bool won = std::find(winners.begin(), winners.end(), seat) != winners.end();
        EXPECT_EQ(s.m_rows[seat], (HandRow{Row(first[seat], second[seat]), won ? "Winner!" : ""}));
    }
    const std::vector<HandRow> shown = s.m_rows;
    rig.Send(Command::Showdown); // a second press adds nothing
    EXPECT_EQ(s.m_rows, shown);
    EXPECT_EQ(s.m_wins, wins);

    rig.Send(Command::Draw);
    EXPECT_EQ(s.m_rows.size(), 1u);
    ExpectShown(s, {s.m_firstCards[0], s.m_secondCards[0]});
    ExpectStage(s, HandStage::Drawn);
    EXPECT_TRUE(rig.view.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(TableSizes, PracticeHand, ::testing::Values(2, 4, 10));

// The exact deal of one seeded practice Draw. A change to shuffling or
// dealing changes these cards, and must then be made on purpose.
TEST(PracticeDeal, SeededDrawDealsThesePinnedCards) {
    TrainerRig rig(1, 4, DealSeeds::Fixed(7340033));
    rig.Send(Command::Draw);
    const TrainerState& s = rig.State();
    std::string board;
    for (const Card& card : s.m_board) {
        board += CardLabel(card) + " ";
    }
    EXPECT_EQ(board, "2(C) 5(D) 10(D) 10(S) A(D) ");
    std::vector<std::string> seats;
    for (std::size_t seat = 0; seat < s.m_firstCards.size(); ++seat) {
        seats.push_back(Row(s.m_firstCards[seat], s.m_secondCards[seat]));
    }
    EXPECT_EQ(seats,
              (std::vector<std::string>{"4(D), A(S)", "5(S), J(C)", "A(C), 7(D)", "9(S), 7(C)"}));

    // The ticks are read anew for each of the two shuffles, then once for the
    // estimate.
    std::vector<std::uint32_t> ticks{1000, 2000, 3000};
    std::size_t next = 0;
    TrainerRig scripted(1, 4, DealSeeds([&] { return ticks[next++ % ticks.size()]; }));
    scripted.Send(Command::Draw);
    EXPECT_EQ(next, 3u);
    Deck deck;
    deck.Shuffle(999);
    deck.Shuffle(1999);
    Card card;
    deck.Deal(card);
    EXPECT_EQ(scripted.State().m_board[0], card);
}

TEST(Showdown, ATieMarksEverySharingSeatTheUsersToo) {
    TrainerState s;
    // The user and seat 2 both hold a pair of aces with the board's kickers.
    s.m_board = {Card{kTwo, kHeart}, Card{kSeven, kDiamond}, Card{kNine, kClub},
                 Card{kJack, kSpade}, Card{kKing, kHeart}};
    s.m_firstCards = {Card{kAce, kSpade}, Card{kThree, kClub}, Card{kAce, kClub},
                      Card{kFive, kSpade}};
    s.m_secondCards = {Card{kAce, kDiamond}, Card{kFour, kDiamond}, Card{kAce, kHeart},
                       Card{kSix, kHeart}};
    const std::vector<HandRow> rows = ShowdownRows(s);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (HandRow{"A(S), A(D)", "Winner!"}));
    EXPECT_EQ(rows[1].result, "");
    EXPECT_EQ(rows[2].result, "Winner!");
    EXPECT_EQ(rows[3], (HandRow{"5(S), 6(H)", ""}));
}

// Before a Draw the list is empty, and in entry mode the opponents hold no
// cards: the showdown does nothing either way.
TEST(Showdown, DoesNothingBeforeTheHandIsDealt) {
    TrainerRig practice(1, 4);
    practice.Send(Command::Showdown);
    EXPECT_TRUE(practice.State().m_rows.empty());
    EXPECT_TRUE(practice.view.messages.empty());

    TrainerRig entry(0, 3);
    entry.view.QueuePick({Card{kNine, kClub}, Card{kNine, kDiamond}});
    entry.Send(Command::Draw);
    entry.Send(Command::Showdown);
    EXPECT_EQ(entry.State().m_rows.size(), 1u);
    EXPECT_TRUE(entry.view.messages.empty());
}

// A count typed after Draw is used by the next estimate and the average rate,
// leaves the pot and the seats until the next reset, and refuses the showdown.
TEST(PlayerCount, ChangedAfterDrawIsUsedByTheNextEstimateAndRefusesTheShowdown) {
    TrainerRig rig(1, 4, DealSeeds::Fixed(kTick));
    const TrainerState& s = rig.State();
    rig.Send(Command::Draw);
    rig.Fields().players = "6";
    rig.Send(Command::LeavePlayers);
    EXPECT_EQ(s.m_nPot, 40);
    EXPECT_EQ(s.m_strAverageRate, "25-27 %"); // nothing recomputed yet
    rig.Send(Command::Flop);
    EXPECT_EQ(s.m_wins, ExpectedRate(s.m_firstCards[0], s.m_secondCards[0], 3, s.m_board, 6).wins);
    EXPECT_EQ(s.m_strAverageRate, "17-18 %");
    EXPECT_EQ(s.m_firstCards.size(), 4u);
    EXPECT_EQ(s.m_nPot, 40);

    rig.Send(Command::Showdown);
    EXPECT_EQ(rig.view.messages.size(), 1u);
    EXPECT_EQ(rig.view.messages.front(),
              "Showdown unavailable because the number of players have been changed during the "
              "game.");
    EXPECT_EQ(s.m_rows.size(), 1u);

    rig.Send(Command::Draw);
    EXPECT_EQ(s.m_firstCards.size(), 6u);
    EXPECT_EQ(s.m_nPot, 60);
}

// A count refused by the read (stored, then reported) is held to the range
// by the step that reads it: the estimate uses the nearest valid count.
TEST(PlayerCount, StillRefusedWhenAStepRunsIsHeldToTheRange) {
    TrainerRig rig(1, 4, DealSeeds::Fixed(kTick));
    const TrainerState& s = rig.State();
    rig.Send(Command::Draw);
    rig.Fields().players = "11";
    rig.Send(Command::Flop);
    EXPECT_EQ(
        rig.view.refusals,
        (std::vector<FieldRefusal>{{Field::Players, "Please enter an integer between 2 and 10."}}));
    EXPECT_EQ(s.m_nPlayers, 10);
    EXPECT_EQ(s.m_wins, ExpectedRate(s.m_firstCards[0], s.m_secondCards[0], 3, s.m_board, 10).wins);
}

TEST(EntryMode, PlaysAWholeHandThroughThePicker) {
    TrainerRig rig(0, 4, DealSeeds::Fixed(kTick));
    const TrainerState& s = rig.State();
    EXPECT_EQ(s.m_modeControls, ModeControls::Entry);
    const Card ten{kTen, kHeart};
    const Card ace{kAce, kSpade};
    const BoardCards board{Card{kKing, kDiamond}, Card{kQueen, kClub}, Card{kTwo, kSpade},
                           Card{kJack, kHeart}, Card{kTen, kClub}};
    rig.view.QueuePick({ten, ace});
    rig.Send(Command::Draw);
    EXPECT_EQ(s.m_rows, (std::vector<HandRow>{{"10(H), A(S)", ""}}));
    ExpectShown(s, {ten, ace});
    ExpectFigures(s, ExpectedRate(ten, ace, 0, board, 4), 40, 10);
    ExpectStage(s, HandStage::Drawn);
    EXPECT_EQ(s.m_firstCards[1], kNoCard); // the opponents are never known

    rig.view.QueuePick({board[0], board[1], board[2]});
    rig.Send(Command::Flop);
    ExpectShown(s, {ten, ace, board[0], board[1], board[2]});
    ExpectFigures(s, ExpectedRate(ten, ace, 3, board, 4), 40, 10);
    rig.view.QueuePick({board[3]});
    rig.Send(Command::Turn);
    ExpectFigures(s, ExpectedRate(ten, ace, 4, board, 4), 40, 10);
    rig.view.QueuePick({board[4]});
    rig.Send(Command::River);
    EXPECT_EQ(s.m_board, board);
    ExpectShown(s, {ten, ace, board[0], board[1], board[2], board[3], board[4]});
    ExpectFigures(s, ExpectedRate(ten, ace, 5, board, 4), 40, 10);
    ExpectStage(s, HandStage::RiverShown);
    EXPECT_EQ(rig.view.pickerCounts, (std::vector<std::int32_t>{2, 3, 1, 1}));
    EXPECT_EQ(s.m_rows.size(), 1u);
}

// A cancelled picker ends the step: at Draw the hand stays as the reset left
// it, at Flop the drawn hand, its estimate and its stage stay.
TEST(EntryMode, CancellingThePickerStopsTheStep) {
    TrainerRig rig(0, 4);
    const TrainerState& s = rig.State();
    rig.view.QueueCancel();
    rig.Send(Command::Draw);
    EXPECT_EQ(rig.view.pickerCounts, std::vector<std::int32_t>{2});
    EXPECT_TRUE(s.m_rows.empty());
    ExpectShown(s, {});
    ExpectStage(s, HandStage::Reset);
    EXPECT_EQ(s.WinningRateText(), "");
    EXPECT_EQ(s.m_firstCards[0], kNoCard);

    rig.view.QueuePick({Card{kNine, kClub}, Card{kNine, kDiamond}});
    rig.Send(Command::Draw);
    const TrainerState before = s;
    rig.view.QueueCancel();
    rig.Send(Command::Flop);
    EXPECT_EQ(rig.view.pickerCounts, (std::vector<std::int32_t>{2, 2, 3}));
    EXPECT_EQ(s.m_wins, before.m_wins);
    EXPECT_EQ(s.m_nExpectingProfit, before.m_nExpectingProfit);
    EXPECT_EQ(s.m_board, before.m_board);
    EXPECT_EQ(s.m_shown, before.m_shown);
    ExpectStage(s, HandStage::Drawn);
}

// Fix replaces a filled slot's card and estimates again with the known board
// cards; an empty slot opens nothing, a cancel changes nothing, and a card
// that lies in another slot is accepted.
TEST(FixedCards, FixReplacesAFilledSlotAndEstimatesAgain) {
    TrainerRig rig(0, 4, DealSeeds::Fixed(kTick));
    const TrainerState& s = rig.State();
    for (CardSlot slot : {CardSlot::Hole1, CardSlot::Hole2, CardSlot::Flop1, CardSlot::River}) {
        rig.Send(Command::Fix, slot);
    }
    EXPECT_TRUE(rig.view.pickerCounts.empty());

    const Card nine{kNine, kSpade};
    const Card king{kKing, kClub};
    const Card ten{kTen, kHeart};
    rig.view.QueuePick({nine, king});
    rig.Send(Command::Draw);
    rig.Send(Command::Fix, CardSlot::Flop1); // no flop yet
    rig.view.QueuePick({ten});
    rig.Send(Command::Fix, CardSlot::Hole1);
    EXPECT_EQ(rig.view.pickerCounts, (std::vector<std::int32_t>{2, 1}));
    EXPECT_EQ(s.m_firstCards[0], ten);
    EXPECT_EQ(s.m_rows, (std::vector<HandRow>{{"10(H), K(C)", ""}}));
    ExpectShown(s, {ten, king});
    const BoardCards none{};
    ExpectFigures(s, ExpectedRate(ten, king, 0, none, 4), 40, 10);
    ExpectStage(s, HandStage::Drawn); // the stage stays

    const TrainerState before = s;
    rig.view.QueueCancel();
    rig.Send(Command::Fix, CardSlot::Hole2);
    EXPECT_EQ(s.m_secondCards, before.m_secondCards);
    EXPECT_EQ(s.m_shown, before.m_shown);
    EXPECT_EQ(s.m_wins, before.m_wins);

    rig.view.QueuePick({ten});
    rig.Send(Command::Fix, CardSlot::Hole2);
    EXPECT_EQ(s.m_rows, (std::vector<HandRow>{{"10(H), 10(H)", ""}}));
    ExpectFigures(s, ExpectedRate(ten, ten, 0, none, 4), 40, 10);

    const BoardCards board{Card{kTwo, kClub}, Card{kFive, kDiamond}, Card{kEight, kHeart}};
    rig.view.QueuePick({board[0], board[1], board[2]});
    rig.Send(Command::Flop);
    rig.Send(Command::Fix, CardSlot::Turn); // no turn yet
    rig.view.QueuePick({Card{kQueen, kSpade}});
    rig.Send(Command::Fix, CardSlot::Flop2);
    BoardCards fixed = board;
    fixed[1] = Card{kQueen, kSpade};
    EXPECT_EQ(s.m_board, fixed);
    EXPECT_EQ(s.Shown(CardSlot::Flop2), fixed[1]);
    ExpectFigures(s, ExpectedRate(ten, ten, 3, fixed, 4), 40, 10);
    ExpectStage(s, HandStage::FlopShown);
    EXPECT_EQ(rig.view.pickerCounts.size(), 6u);
}
