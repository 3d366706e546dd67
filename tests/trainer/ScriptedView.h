#pragma once

#include "odds/Estimator.h"
#include "odds/Labels.h"
#include "odds/Profit.h"
#include "trainer/Trainer.h"

#include <deque>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace quillory::test {

// A view that behaves as the window does where the trainer can tell: after
// each change it shows the state in its fields (which the next command
// carries unless a test types something else), pickers answer from a queue
// (a picker nobody queued fails the test), and refusals and messages are
// kept for the test to look at.
class ScriptedView final : public TrainerView {
public:
    void Attach(const Trainer& trainer) { m_trainer = &trainer; }

    void QueuePick(std::vector<Card> cards) {
        PickedCards picked{Card{kAce, kSpade}, Card{kAce, kSpade}, Card{kAce, kSpade}};
        std::copy(cards.begin(), cards.end(), picked.begin());
        m_picks.emplace_back(picked);
    }
    void QueueCancel() { m_picks.emplace_back(std::nullopt); }

    // The fields as the window would show them: what the user typed since
    // the last change, otherwise the state.
    FieldTexts fields;
    std::vector<FieldRefusal> refusals;
    std::vector<std::int32_t> pickerCounts;
    std::vector<std::string> messages;
    int estimates{};

    void StateChanged(Changed changed) override {
        if (changed == Changed::Hand) {
            return;
        }
        const TrainerState& s = m_trainer->State();
        fields = {std::to_string(s.m_nPlayers), s.m_bPracticeMode != 0, std::to_string(s.m_nPot),
                  std::to_string(s.m_nInvest)};
    }
    void FieldRefused(const FieldRefusal& refusal) override { refusals.push_back(refusal); }
    std::optional<PickedCards> PickCards(std::int32_t count) override {
        pickerCounts.push_back(count);
        if (m_picks.empty()) {
            ADD_FAILURE() << "a picker for " << count << " cards that no test expected";
            return std::nullopt;
        }
        std::optional<PickedCards> picked = m_picks.front();
        m_picks.pop_front();
        return picked;
    }
    void ShowInformation(std::string_view text) override { messages.emplace_back(text); }
    void EstimateStarting() override { ++estimates; }

    bool Unanswered() const { return !m_picks.empty(); }

private:
    const Trainer* m_trainer{};
    std::deque<std::optional<PickedCards>> m_picks;
};

// A trainer on a scripted view, started as the window starts it: the stored
// settings shown in the fields, then the practice-mode command.
struct TrainerRig {
    explicit TrainerRig(std::int32_t practiceMode = 1, std::int32_t players = 4,
                        DealSeeds seeds = DealSeeds::Fixed(7340033))
        : trainer(view, std::move(seeds)) {
        view.Attach(trainer);
        trainer.RestoreSettings({practiceMode, players});
        view.StateChanged(Changed::HandAndFigures);
        Send(Command::PracticeMode);
    }
    ~TrainerRig() { EXPECT_FALSE(view.Unanswered()) << "a scripted pick was not used"; }

    const TrainerState& State() const { return trainer.State(); }
    FieldTexts& Fields() { return view.fields; }
    void Send(Command command, CardSlot slot = CardSlot::Hole1) {
        trainer.Apply(command, view.fields, slot);
    }

    ScriptedView view;
    Trainer trainer;
};

// The tick count the rules' tests deal and estimate from.
inline constexpr std::uint32_t kTestTick = 7340033;

// The estimate (wins in trials) seeded as a trainer with DealSeeds::Fixed(kTestTick) seeds it.
struct Estimate {
    std::int32_t wins{};
    std::int32_t trials{};
};
inline Estimate ExpectedRate(const Card& first, const Card& second, std::int32_t known,
                             const BoardCards& board, std::int32_t players) {
    const std::int32_t trials = TrialCount(players);
    return {
        EstimateWins(first, second, known, board, players, trials, SeedSource::Fixed(kTestTick)),
        trials};
}

// The figures an estimate, pot and investment give.
inline void ExpectFigures(const TrainerState& s, Estimate rate, std::int32_t pot,
                          std::int32_t invest) {
    std::int32_t addUpTo = 0;
    std::int32_t profit = 0;
    CalcProfit(WholePercent(rate.wins, rate.trials), pot, invest, addUpTo, profit);
    EXPECT_EQ(s.m_wins, rate.wins);
    EXPECT_EQ(s.m_trials, rate.trials);
    EXPECT_EQ(s.m_nPot, pot);
    EXPECT_EQ(s.m_nInvest, invest);
    EXPECT_EQ(s.m_nExpectingProfit, profit);
    EXPECT_EQ(s.m_nAddUpTo, addUpTo);
    EXPECT_EQ(s.m_strAverageRate, AverageWinningRate(s.m_nPlayers));
}

} // namespace quillory::test
