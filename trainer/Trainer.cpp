#include "trainer/Trainer.h"

#include "engine/CardNames.h"
#include "odds/Labels.h"
#include "odds/Profit.h"

#include <algorithm>
#include <utility>

namespace quillory {
namespace {

std::int32_t ClampPlayers(std::int32_t players) {
    return std::clamp(players, kMinTablePlayers, kMaxTablePlayers);
}

} // namespace

Trainer::Trainer(TrainerView& view, DealSeeds seeds) : m_view(view), m_seeds(std::move(seeds)) {}

void Trainer::RestoreSettings(const TrainerSettings& stored) {
    m_state.m_bPracticeMode = stored.practiceMode != 0 ? 1 : 0;
    m_state.m_nPlayers = ClampPlayers(stored.players);
}

TrainerSettings Trainer::SettingsToStore() const {
    return {m_state.m_bPracticeMode, ClampPlayers(m_state.m_nPlayers)};
}

void Trainer::OnPracticeMode() {
    m_view.ReadControls();
    m_state.m_modeControls =
        m_state.m_bPracticeMode != 0 ? ModeControls::Practice : ModeControls::Entry;
    ResetHand();
}

void Trainer::ResetHand() {
    TrainerState& s = m_state;
    s.m_rows.clear();
    s.m_shown.fill(kNoCard);
    // The seat arrays and the pot are sized by the count, so it is held to the
    // range every step relies on even if a refused entry is still stored.
    s.m_nPlayers = ClampPlayers(s.m_nPlayers);
    s.m_nInvest = 10;
    s.m_nAddUpTo = 0;
    s.m_nPot = 10 * s.m_nPlayers;
    s.m_nExpectingProfit = 0;
    s.m_strWinningRate.clear();
    s.m_strAverageRate = AverageWinningRate(s.m_nPlayers);
    const auto seats = static_cast<std::size_t>(s.m_nPlayers);
    s.m_firstCards.assign(seats, kNoCard);
    s.m_secondCards.assign(seats, kNoCard);
    s.m_board.fill(kNoCard);
    s.m_stage = HandStage::Reset;
    // A new hand starts from these figures; the pot handlers must not redo
    // them from the empty winning rate.
    m_view.WriteControls(ChangeNotices::Suppressed);
}

void Trainer::OnKillFocusPlayers() {
    m_view.ReadControls();
    m_state.m_nPlayers = ClampPlayers(m_state.m_nPlayers);
    m_view.WriteControls(ChangeNotices::Raised);
}

void Trainer::EstimateWinningRate(std::int32_t knownBoard) {
    // The count is 2 to 10 here unless a refused entry was just stored; the
    // estimate then uses the nearest valid count, which the edit also shows.
    TrainerState& s = m_state;
    s.m_nPlayers = ClampPlayers(s.m_nPlayers);
    const std::int32_t trials = TrialCount(s.m_nPlayers);
    m_view.EstimateStarting();
    const std::int32_t wins =
        EstimateWins(s.m_firstCards[0], s.m_secondCards[0], knownBoard, s.m_board, s.m_nPlayers,
                     trials, SeedSource::Fixed(m_seeds.TickCount()));
    m_view.EstimateFinished();
    s.m_strWinningRate = FormatWinningRate(wins, trials);
}

// The figures from the whole percent at the start of the winning-rate text
// (none yet reads 0), the pot and the investment as the members hold them.
// After a refused entry the members can hold up to the largest 32-bit
// number; CalcProfit then saturates instead of wrapping.
void Trainer::RefreshProfit() {
    TrainerState& s = m_state;
    CalcProfit(RateFromText(s.m_strWinningRate), s.m_nPot, s.m_nInvest, s.m_nAddUpTo,
               s.m_nExpectingProfit);
    s.m_strAverageRate = AverageWinningRate(s.m_nPlayers);
    m_view.WriteControls(ChangeNotices::Raised);
}

// Typing recomputes at once. An edit emptied by the user changes nothing
// until it loses the focus, where it becomes 0. The write-back shows a typed
// number in its plain form ("007" becomes "7"); its own change notice then
// finds every text as written and stops there.
void Trainer::OnChangeMoney(EditText text) {
    if (text == EditText::Empty) {
        return;
    }
    m_view.ReadControls();
    RefreshProfit();
}

void Trainer::OnKillFocusPot(EditText text) {
    if (text == EditText::Filled) {
        return;
    }
    m_state.m_nPot = 0;
    m_view.WriteControls(ChangeNotices::Raised); // the edit's new "0" recomputes
}

void Trainer::OnKillFocusInvest(EditText text) {
    if (text == EditText::Filled) {
        return;
    }
    m_state.m_nInvest = 0;
    m_view.WriteControls(ChangeNotices::Raised);
}

std::string HandText(const Card& first, const Card& second) {
    return CardLabel(first) + ", " + CardLabel(second);
}

} // namespace quillory
