// The trainer's reset, practice mode, player count, pot figures and stored
// settings. No window and no Qt: a scripted view stands for the controls.
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
    EXPECT_EQ(s.m_strWinningRate, "");
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
    rig.State().m_nPlayers = 1; // a refused entry still in the member
    EXPECT_EQ(rig.trainer.SettingsToStore(), (TrainerSettings{1, 2}));
}

// Switching the mode reads the box, sets the controls of the mode and ends
// the hand in progress, whatever it held.
TEST(PracticeMode, SwitchingSetsTheModeControlsAndStartsAFreshHand) {
    TrainerRig rig(1, 4);
    TrainerState& s = rig.State();
    rig.trainer.OnDraw();
    rig.trainer.OnFlop();
    s.m_nPot = 55;
    rig.view.QueueEntry([](TrainerState& typed) {
        typed.m_nPlayers = 5;
        typed.m_bPracticeMode = 0;
    });
    rig.view.ClearLog();
    rig.trainer.OnPracticeMode();
    EXPECT_EQ(rig.view.log, (std::vector<std::string>{"read", "quiet write"}));
    EXPECT_EQ(s.m_modeControls, ModeControls::Entry);
    ExpectFreshHand(s, 5);

    rig.view.QueueEntry([](TrainerState& typed) { typed.m_bPracticeMode = 1; });
    rig.trainer.OnPracticeMode();
    EXPECT_EQ(s.m_modeControls, ModeControls::Practice);
    ExpectFreshHand(s, 5);
}

// The reset goes on even when the read before it was refused, and holds a
// count that slipped out of range.
TEST(PracticeMode, AResetHoldsACountThatSlippedOutOfRange) {
    TrainerRig rig(1, 4);
    rig.view.QueueEntry([](TrainerState& typed) { typed.m_nPlayers = 1; }, false);
    rig.trainer.OnPracticeMode();
    ExpectFreshHand(rig.State(), 2);
    rig.State().m_nPlayers = 40;
    rig.trainer.ResetHand();
    ExpectFreshHand(rig.State(), 10);
}

// Leaving the count edit holds the count to 2 to 10: a refused number was
// stored by the read and is clamped; a refused text left the member as it
// was. No reset and no new figures.
TEST(PlayerCount, LeavingTheEditHoldsTheCountToTheRange) {
    const struct {
        std::int32_t typed;
        std::int32_t kept;
    } cases[] = {{1, 2}, {0, 2}, {11, 10}, {99, 10}, {-5, 2}, {7, 7}};
    for (const auto& c : cases) {
        TrainerRig rig(1, 4);
        TrainerState& s = rig.State();
        s.m_shown[0] = Card{kTwo, kClub};
        rig.view.QueueEntry([&](TrainerState& typed) { typed.m_nPlayers = c.typed; },
                            c.typed >= 2 && c.typed <= 10);
        rig.trainer.OnKillFocusPlayers();
        EXPECT_EQ(rig.view.log, (std::vector<std::string>{"read", "write"}));
        EXPECT_EQ(s.m_nPlayers, c.kept);
        EXPECT_EQ(s.m_nPot, 40);
        EXPECT_EQ(s.m_firstCards.size(), 4u);
        EXPECT_EQ(s.m_shown[0], (Card{kTwo, kClub}));
        EXPECT_EQ(s.m_strAverageRate, "25-27 %");
    }
    TrainerRig rig(1, 6);
    rig.view.QueueEntry([](TrainerState&) {}, false); // an empty edit: not an integer
    rig.trainer.OnKillFocusPlayers();
    EXPECT_EQ(rig.State().m_nPlayers, 6);
}

// The worked cases: the whole percent of the rate text, the pot and the
// investment as typed give the expected profit and "add up to".
TEST(PotFigures, TypedFiguresGiveTheWorkedCases) {
    const struct {
        const char* rate;
        std::int32_t pot, invest, profit, addUpTo;
    } cases[] = {
        {"50.00%", 100, 20, 30, 60},        {"33.33%", 100, 10, 23, 34},
        {"45.67%", 35, 20, -4, -8},         {"20.00%", 100, 50, -30, -38},
        {"100.00%", 200, 50, 150, 1000000}, {"", 100, 10, -10, -10},
        {"99.99%", 100, 10, 89, 8900},
    };
    for (const auto& c : cases) {
        TrainerRig rig(0, 4);
        TrainerState& s = rig.State();
        s.m_strWinningRate = c.rate;
        rig.view.QueueEntry([&](TrainerState& typed) {
            typed.m_nPot = c.pot;
            typed.m_nInvest = c.invest;
        });
        rig.trainer.OnChangeMoney(EditText::Filled);
        EXPECT_EQ(rig.view.log, (std::vector<std::string>{"read", "write"}));
        EXPECT_EQ(s.m_nExpectingProfit, c.profit) << c.rate;
        EXPECT_EQ(s.m_nAddUpTo, c.addUpTo) << c.rate;
        EXPECT_EQ(s.m_strAverageRate, "25-27 %");
    }
}

// An emptied edit changes nothing until it is left; then it becomes 0 and the
// write's change notice recomputes the figures.
TEST(PotFigures, AnEmptiedEditChangesNothingUntilItIsLeft) {
    TrainerRig rig(0, 4);
    TrainerState& s = rig.State();
    s.m_strWinningRate = "50.00%";
    rig.view.QueueEntry([](TrainerState& typed) { typed.m_nInvest = 20; });
    rig.trainer.OnChangeMoney(EditText::Filled);
    rig.view.ClearLog();
    rig.trainer.OnChangeMoney(EditText::Empty);
    rig.trainer.OnKillFocusPot(EditText::Filled);
    EXPECT_TRUE(rig.view.log.empty());
    EXPECT_EQ(s.m_nExpectingProfit, 0); // 50 x 40 x 0.01 - 20
    rig.trainer.OnKillFocusPot(EditText::Empty);
    EXPECT_EQ(rig.view.log, std::vector<std::string>{"write"});
    EXPECT_EQ(s.m_nPot, 0);
    rig.trainer.OnChangeMoney(EditText::Filled); // the "0" just written
    EXPECT_EQ(s.m_nExpectingProfit, -20);
    EXPECT_EQ(s.m_nAddUpTo, -40);
    rig.trainer.OnKillFocusInvest(EditText::Empty);
    EXPECT_EQ(s.m_nInvest, 0);
}

// A refused pot is still computed with as it was stored; figures beyond 32
// bits stop at the largest number instead of wrapping.
TEST(PotFigures, ARefusedPotIsStillComputed) {
    TrainerRig rig(0, 4);
    TrainerState& s = rig.State();
    s.m_strWinningRate = "50.00%";
    rig.view.QueueEntry([](TrainerState& typed) { typed.m_nPot = 20000000; }, false);
    rig.trainer.OnChangeMoney(EditText::Filled);
    EXPECT_EQ(s.m_nPot, 20000000);
    EXPECT_EQ(s.m_nExpectingProfit, 9999990);
    EXPECT_EQ(s.m_nAddUpTo, 19999980);

    s.m_strWinningRate = "99.99%";
    rig.view.QueueEntry([](TrainerState& typed) { typed.m_nPot = 2000000000; }, false);
    rig.trainer.OnChangeMoney(EditText::Filled);
    EXPECT_EQ(s.m_nExpectingProfit, 1979999990);
    EXPECT_EQ(s.m_nAddUpTo, 2147483647);
}

// Draw starts from the reset figures; the later steps compute with the pot
// and investment as read.
TEST(PotFigures, HandStepsComputeWithThePotAndInvestmentAsRead) {
    TrainerRig rig(0, 4);
    TrainerState& s = rig.State();
    rig.view.QueueEntry([](TrainerState& typed) { typed.m_nPot = 300; });
    rig.view.QueuePick({Card{kAce, kHeart}, Card{kAce, kClub}});
    rig.trainer.OnDraw();
    EXPECT_EQ(s.m_nPot, 40);
    rig.view.QueueEntry([](TrainerState& typed) {
        typed.m_nPot = 300;
        typed.m_nInvest = 50;
    });
    rig.view.QueuePick({Card{kAce, kDiamond}, Card{kKing, kSpade}, Card{kFive, kClub}});
    rig.trainer.OnFlop();
    EXPECT_GE(RateFromText(s.m_strWinningRate), 80); // three aces
    quillory::test::ExpectFigures(s, s.m_strWinningRate, 300, 50);
}
