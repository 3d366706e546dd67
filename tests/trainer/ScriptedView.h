#pragma once

#include "odds/Estimator.h"
#include "odds/Labels.h"
#include "odds/Profit.h"
#include "trainer/Trainer.h"

#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace quillory::test {

// A view that records what the trainer asks of its window. A read runs the
// next queued entry (what the user typed since the last read) and reports
// whether it was accepted; pickers answer from a queue, and a picker nobody
// queued fails the test.
class ScriptedView final : public TrainerView {
public:
    // What the user typed before a read: a change to the members and whether
    // the read accepted it (a refused read has shown its message).
    struct Entry {
        std::function<void(TrainerState&)> typed;
        bool accepted{true};
    };

    explicit ScriptedView(TrainerState* state = nullptr) : m_state(state) {}
    void Attach(TrainerState& state) { m_state = &state; }

    void QueueEntry(std::function<void(TrainerState&)> typed, bool accepted = true) {
        m_entries.push_back({std::move(typed), accepted});
    }
    void QueuePick(std::vector<Card> cards) {
        PickedCards picked{Card{kAce, kSpade}, Card{kAce, kSpade}, Card{kAce, kSpade}};
        std::copy(cards.begin(), cards.end(), picked.begin());
        m_picks.emplace_back(picked);
    }
    void QueueCancel() { m_picks.emplace_back(std::nullopt); }

    // "read", "write", "quiet write", "pick N", "message: ..." in call order.
    std::vector<std::string> log;
    std::vector<std::int32_t> pickerCounts;
    std::vector<std::string> messages;
    int estimates{};

    bool ReadControls() override {
        log.push_back("read");
        if (m_entries.empty()) {
            return true;
        }
        Entry entry = std::move(m_entries.front());
        m_entries.pop_front();
        entry.typed(*m_state);
        return entry.accepted;
    }
    void WriteControls(ChangeNotices notices) override {
        log.push_back(notices == ChangeNotices::Raised ? "write" : "quiet write");
    }
    std::optional<PickedCards> PickCards(std::int32_t count) override {
        log.push_back("pick " + std::to_string(count));
        pickerCounts.push_back(count);
        if (m_picks.empty()) {
            ADD_FAILURE() << "a picker for " << count << " cards that no test expected";
            return std::nullopt;
        }
        std::optional<PickedCards> picked = m_picks.front();
        m_picks.pop_front();
        return picked;
    }
    void ShowInformation(std::string_view text) override {
        log.push_back("message");
        messages.emplace_back(text);
    }
    void EstimateStarting() override { ++estimates; }

    void ClearLog() { log.clear(); }
    bool Unanswered() const { return !m_picks.empty() || !m_entries.empty(); }

private:
    TrainerState* m_state{};
    std::deque<Entry> m_entries;
    std::deque<std::optional<PickedCards>> m_picks;
};

// A trainer on a scripted view, started as the window starts it: the stored
// settings, then the practice-mode handler.
struct TrainerRig {
    explicit TrainerRig(std::int32_t practiceMode = 1, std::int32_t players = 4,
                        DealSeeds seeds = DealSeeds::Fixed(7340033))
        : trainer(view, std::move(seeds)) {
        view.Attach(trainer.State());
        trainer.RestoreSettings({practiceMode, players});
        trainer.OnPracticeMode();
        view.ClearLog();
    }
    ~TrainerRig() { EXPECT_FALSE(view.Unanswered()) << "a scripted entry or pick was not used"; }

    TrainerState& State() { return trainer.State(); }

    ScriptedView view;
    Trainer trainer;
};

// The tick count the rules' tests deal and estimate from.
inline constexpr std::uint32_t kTestTick = 7340033;

// The rate text of an estimate seeded as a trainer with DealSeeds::Fixed(kTestTick) seeds it.
inline std::string ExpectedRate(const Card& first, const Card& second, std::int32_t known,
                                const BoardCards& board, std::int32_t players) {
    const std::int32_t trials = TrialCount(players);
    return FormatWinningRate(
        EstimateWins(first, second, known, board, players, trials, SeedSource::Fixed(kTestTick)),
        trials);
}

// The figures a rate text, pot and investment give.
inline void ExpectFigures(const TrainerState& s, const std::string& rate, std::int32_t pot,
                          std::int32_t invest) {
    std::int32_t addUpTo = 0;
    std::int32_t profit = 0;
    CalcProfit(RateFromText(rate), pot, invest, addUpTo, profit);
    EXPECT_EQ(s.m_strWinningRate, rate);
    EXPECT_EQ(s.m_nPot, pot);
    EXPECT_EQ(s.m_nInvest, invest);
    EXPECT_EQ(s.m_nExpectingProfit, profit);
    EXPECT_EQ(s.m_nAddUpTo, addUpTo);
    EXPECT_EQ(s.m_strAverageRate, AverageWinningRate(s.m_nPlayers));
}

} // namespace quillory::test
