// The trainer's reset, practice mode, player count, pot figures and stored
// settings, and the checks of the fields. No window and no Qt: a scripted
// view stands for the controls.
#include "tests/trainer/ScriptedView.h"

using namespace quillory;
using quillory::test::TrainerRig;

namespace {

void ExpectFreshHand(const TrainerState& s, std::int32_t players) {
    EXPECT_TRUE(s.m_rows.empty());
    for (const Card& card : s.m_shown) {
        EXPECT_EQ(card, kNoCard);
    }
    EXPECT_EQ(s.m_nPlayers, players);
    EXPECT_EQ(s.m_nPot, 10 * players);
    EXPECT_EQ(s.m_nInvest, 10);
    EXPECT_EQ(s.m_nExpectingProfit, 0);
    EXPECT_EQ(s.m_nAddUpTo, 0);
    EXPECT_EQ(s.m_trials, 0);
    EXPECT_EQ(s.WinningRateText(), "");
    EXPECT_EQ(s.m_strAverageRate, AverageWinningRate(players));
    EXPECT_EQ(s.m_firstCards, std::vector<Card>(static_cast<std::size_t>(players), kNoCard));
    EXPECT_EQ(s.m_secondCards, std::vector<Card>(static_cast<std::size_t>(players), kNoCard));
    EXPECT_EQ(s.m_board, BoardCards{});
    EXPECT_EQ(s.m_stage, HandStage::Reset);
}

} // namespace

TEST(Start, FirstStartIsAFreshPracticeHandWithFourPlayers) {
    TrainerRig rig(1, 4);
    ExpectFreshHand(rig.State(), 4);
    EXPECT_EQ(rig.State().m_strAverageRate, "25-27 %");
    EXPECT_EQ(rig.State().m_modeControls, ModeControls::Practice);
}

// Stored values: any mode but 0 is practice mode, a count outside 2 to 10
// starts (and is stored again) at the nearest valid count.
TEST(Start, StoredSettingsAreHeldToTheirRanges) {
    const struct {
        TrainerSettings stored;
        TrainerSettings used;
    } cases[] = {{{1, 0}, {1, 2}}, {{0, 55}, {0, 10}}, {{7, -3}, {1, 2}}, {{0, 7}, {0, 7}}};
    for (const auto& c : cases) {
        TrainerRig rig(c.stored.practiceMode, c.stored.players);
        EXPECT_EQ(rig.trainer.SettingsToStore(), c.used);
        ExpectFreshHand(rig.State(), c.used.players);
    }
    TrainerRig rig(1, 4);
    rig.Fields().players = "1"; // refused, but stored until the edit is left
    rig.Send(Command::EditPot);
    EXPECT_EQ(rig.State().m_nPlayers, 1);
    EXPECT_EQ(rig.trainer.SettingsToStore(), (TrainerSettings{1, 2}));
    rig.Fields().practiceMode = false;
    rig.trainer.TakeFieldsQuietly(rig.Fields());
    EXPECT_EQ(rig.trainer.SettingsToStore(), (TrainerSettings{1, 2})); // stops at the count
    rig.Fields().players = "9";
    rig.trainer.TakeFieldsQuietly(rig.Fields());
    EXPECT_EQ(rig.trainer.SettingsToStore(), (TrainerSettings{0, 9}));
    EXPECT_EQ(rig.view.refusals.size(), 1u); // the quiet read told nobody
}

// Switching the mode reads the box, sets the controls of the mode and ends
// the hand in progress, whatever it held.
TEST(PracticeMode, SwitchingSetsTheModeControlsAndStartsAFreshHand) {
    TrainerRig rig(1, 4);
    const TrainerState& s = rig.State();
    rig.Send(Command::Draw);
    rig.Send(Command::Flop);
    rig.Fields().pot = "55";
    rig.Fields().players = "5";
    rig.Fields().practiceMode = false;
    rig.Send(Command::PracticeMode);
    EXPECT_EQ(s.m_modeControls, ModeControls::Entry);
    ExpectFreshHand(s, 5);
    EXPECT_EQ(rig.Fields().pot, "50"); // the view shows the reset pot

    rig.Fields().practiceMode = true;
    rig.Send(Command::PracticeMode);
    EXPECT_EQ(s.m_modeControls, ModeControls::Practice);
    ExpectFreshHand(s, 5);
}

// The reset goes on even when the read before it was refused, and holds a
// count that slipped out of range.
TEST(PracticeMode, AResetHoldsACountThatSlippedOutOfRange) {
    TrainerRig rig(1, 4);
    rig.Fields().players = "1";
    rig.Send(Command::PracticeMode);
    EXPECT_EQ(rig.view.refusals.size(), 1u);
    ExpectFreshHand(rig.State(), 2);
    rig.Fields().players = "40";
    rig.Send(Command::Draw);
    EXPECT_EQ(rig.State().m_nPlayers, 10);
    EXPECT_EQ(rig.State().m_firstCards.size(), 10u);
}

// Leaving the count edit holds the count to 2 to 10: a refused number was
// stored by the read and is clamped; a refused text left the member as it
// was. No reset and no new figures.
TEST(PlayerCount, LeavingTheEditHoldsTheCountToTheRange) {
    const struct {
        const char* typed;
        std::int32_t kept;
    } cases[] = {{"1", 2},  {"0", 2}, {"11", 10}, {"99", 10},
                 {"-5", 2}, {"7", 7}, {"", 6},    {"x", 6}};
    for (const auto& c : cases) {
        TrainerRig rig(1, 6);
        const TrainerState& s = rig.State();
        rig.Send(Command::Draw);
        const std::vector<HandRow> rows = s.m_rows;
        rig.Fields().players = c.typed;
        rig.Send(Command::LeavePlayers);
        EXPECT_EQ(s.m_nPlayers, c.kept) << c.typed;
        EXPECT_EQ(rig.Fields().players, std::to_string(c.kept)); // the edit shows it
        EXPECT_EQ(s.m_nPot, 60);
        EXPECT_EQ(s.m_firstCards.size(), 6u);
        EXPECT_EQ(s.m_rows, rows);
        EXPECT_EQ(s.m_strAverageRate, "17-18 %");
    }
}

// The figures come from the whole percent of the estimate, the pot and the
// investment as typed; before any estimate the rate counts 0.
TEST(PotFigures, TypedFiguresUseTheEstimatesWholePercent) {
    TrainerRig rig(1, 4);
    const TrainerState& s = rig.State();
    rig.Fields().pot = "100";
    rig.Fields().invest = "10";
    rig.Send(Command::EditPot);
    EXPECT_EQ(s.m_nExpectingProfit, -10);
    EXPECT_EQ(s.m_nAddUpTo, -10);

    rig.Send(Command::Draw);
    ASSERT_GT(s.m_trials, 0);
    rig.Fields().pot = " 007 "; // read as 7, shown as "7"
    rig.Fields().invest = "+3";
    rig.Send(Command::EditInvest);
    quillory::test::ExpectFigures(s, {s.m_wins, s.m_trials}, 7, 3);
    EXPECT_EQ(rig.Fields().pot, "7");
    EXPECT_EQ(s.RatePercent(), WholePercent(s.m_wins, s.m_trials));
    EXPECT_EQ(s.WinningRateText(), FormatWinningRate(s.m_wins, s.m_trials));
}

// An emptied edit changes nothing until it is left; then it becomes 0 and the
// figures are computed again.
TEST(PotFigures, AnEmptiedEditChangesNothingUntilItIsLeft) {
    TrainerRig rig(1, 4);
    const TrainerState& s = rig.State();
    rig.Send(Command::Draw);
    const std::int32_t profit = s.m_nExpectingProfit;
    rig.Fields().pot = "";
    rig.Send(Command::EditPot);
    EXPECT_EQ(s.m_nPot, 40);
    EXPECT_EQ(s.m_nExpectingProfit, profit);
    rig.Fields().pot = "";
    rig.Send(Command::LeaveInvest); // the other edit: nothing
    EXPECT_EQ(s.m_nPot, 40);
    rig.Fields().pot = "";
    rig.Send(Command::LeavePot);
    EXPECT_EQ(s.m_nPot, 0);
    EXPECT_EQ(rig.Fields().pot, "0");
    quillory::test::ExpectFigures(s, {s.m_wins, s.m_trials}, 0, 10);
    rig.Fields().invest = "";
    rig.Send(Command::LeaveInvest);
    EXPECT_EQ(s.m_nInvest, 0);
    EXPECT_EQ(s.m_nExpectingProfit, 0);
}

// A refused pot is still computed with as it was read; figures beyond 32
// bits stop at the largest number instead of wrapping.
TEST(PotFigures, ARefusedPotIsStillComputed) {
    TrainerRig rig(0, 4);
    const TrainerState& s = rig.State();
    rig.view.QueuePick({Card{kAce, kHeart}, Card{kAce, kClub}});
    rig.Send(Command::Draw);
    rig.Fields().pot = "20000000";
    rig.Send(Command::EditPot);
    EXPECT_EQ(rig.view.refusals,
              (std::vector<FieldRefusal>{
                  {Field::Pot, "Please enter an integer between 0 and 10000000."}}));
    quillory::test::ExpectFigures(s, {s.m_wins, s.m_trials}, 20000000, 10);
    rig.Fields().pot = "2147483647";
    rig.Send(Command::EditPot);
    std::int32_t addUpTo = 0;
    std::int32_t profit = 0;
    CalcProfit(s.RatePercent(), 2147483647, 10, addUpTo, profit);
    EXPECT_EQ(s.m_nAddUpTo, addUpTo);
    EXPECT_EQ(s.m_nExpectingProfit, profit);
    EXPECT_GT(profit, 0);
}

// Draw starts from the reset figures; the later steps compute with the pot
// and investment as read.
TEST(PotFigures, HandStepsComputeWithThePotAndInvestmentAsRead) {
    TrainerRig rig(0, 4);
    const TrainerState& s = rig.State();
    rig.Fields().pot = "300";
    rig.view.QueuePick({Card{kAce, kHeart}, Card{kAce, kClub}});
    rig.Send(Command::Draw);
    EXPECT_EQ(s.m_nPot, 40);
    rig.Fields().pot = "300";
    rig.Fields().invest = "50";
    rig.view.QueuePick({Card{kAce, kDiamond}, Card{kKing, kSpade}, Card{kFive, kClub}});
    rig.Send(Command::Flop);
    EXPECT_GE(s.RatePercent(), 80); // three aces
    quillory::test::ExpectFigures(s, {s.m_wins, s.m_trials}, 300, 50);
}

// The checks of the fields, in the window's order: the first refused field
// stops the read with its message; a whole number out of range keeps its
// value, the fields after it have none.
TEST(Fields, ReadInOrderAndStopAtTheFirstRefusal) {
    FieldRead read = ReadFields({" 5 ", true, "+100", "0"});
    EXPECT_EQ(read.players, 5);
    EXPECT_EQ(read.practiceMode, true);
    EXPECT_EQ(read.pot, 100);
    EXPECT_EQ(read.invest, 0);
    EXPECT_FALSE(read.refusal);

    read = ReadFields({"4", false, "12x", "abc"});
    EXPECT_EQ(read.players, 4);
    EXPECT_EQ(read.practiceMode, false);
    EXPECT_FALSE(read.pot);
    EXPECT_FALSE(read.invest);
    EXPECT_EQ(read.refusal, (FieldRefusal{Field::Pot, "Please enter an integer."}));

    read = ReadFields({"11", true, "1", "1"});
    EXPECT_EQ(read.players, 11);
    EXPECT_FALSE(read.practiceMode);
    EXPECT_EQ(read.refusal,
              (FieldRefusal{Field::Players, "Please enter an integer between 2 and 10."}));

    read = ReadFields({"3", true, "10000000", "-1"});
    EXPECT_EQ(read.invest, -1);
    EXPECT_EQ(read.refusal,
              (FieldRefusal{Field::Invest, "Please enter an integer between 0 and 10000000."}));

    for (const char* refused : {"", " ", "-", "+", "+-1", "1 2", "2147483648", "-2147483649",
                                "99999999999999999999", "1e3", "0x10", "５"}) {
        EXPECT_EQ(ReadFields({refused, true, "1", "1"}).refusal,
                  (FieldRefusal{Field::Players, "Please enter an integer."}))
            << refused;
    }
    EXPECT_EQ(ReadFields({"4", true, "-2147483648", "1"}).pot, INT32_MIN);
    EXPECT_EQ(ReadFields({"4", true, "2147483647", "1"}).pot, INT32_MAX);
}
