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

void Trainer::Apply(Command command, const FieldTexts& fields, CardSlot slot) {
    m_figuresChanged = false;
    switch (command) {
    case Command::PracticeMode:
        Read(fields);
        OnPracticeMode();
        break;
    case Command::LeavePlayers:
        Read(fields);
        m_state.m_nPlayers = ClampPlayers(m_state.m_nPlayers);
        m_figuresChanged = true;
        break;
    case Command::Draw:
        Read(fields);
        OnDraw();
        break;
    case Command::Flop:
        Read(fields);
        UncoverBoardCards(0, 3, HandStage::FlopShown);
        break;
    case Command::Turn:
        Read(fields);
        UncoverBoardCards(3, 1, HandStage::TurnShown);
        break;
    case Command::River:
        Read(fields);
        UncoverBoardCards(4, 1, HandStage::RiverShown);
        break;
    case Command::Showdown:
        OnShowdown();
        break;
    case Command::Fix:
        if (Card* card = SlotCard(slot); card != nullptr && HoldsCard(*card)) {
            if (const std::optional<PickedCards> picked = m_view.PickCards(1)) {
                // The same card in another slot is accepted: the hand is
                // estimated as it stands.
                *card = (*picked)[0];
                m_state.m_shown[static_cast<std::size_t>(slot)] = *card;
                Read(fields);
                RefreshEstimate();
            }
        }
        break;
    case Command::EditPot:
    case Command::EditInvest:
        // An edit emptied by the user changes nothing until it loses the
        // focus, where it becomes 0.
        if (!(command == Command::EditPot ? fields.pot : fields.invest).empty()) {
            Read(fields);
            RefreshProfit();
        }
        break;
    case Command::LeavePot:
    case Command::LeaveInvest: {
        FieldTexts read = fields;
        std::string& left = command == Command::LeavePot ? read.pot : read.invest;
        if (left.empty()) {
            left = "0";
            Read(read);
            RefreshProfit();
        }
        break;
    }
    }
    m_view.StateChanged(m_figuresChanged ? Changed::HandAndFigures : Changed::Hand);
}

bool Trainer::Read(const FieldTexts& fields) {
    const FieldRead read = ReadFields(fields);
    Take(read);
    if (read.refusal) {
        m_view.FieldRefused(*read.refusal);
        return false;
    }
    return true;
}

void Trainer::TakeFieldsQuietly(const FieldTexts& fields) {
    Take(ReadFields(fields));
}

void Trainer::Take(const FieldRead& read) {
    TrainerState& s = m_state;
    s.m_nPlayers = read.players.value_or(s.m_nPlayers);
    if (read.practiceMode) {
        s.m_bPracticeMode = *read.practiceMode ? 1 : 0;
    }
    s.m_nPot = read.pot.value_or(s.m_nPot);
    s.m_nInvest = read.invest.value_or(s.m_nInvest);
}

void Trainer::OnPracticeMode() {
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
    s.m_wins = 0;
    s.m_trials = 0;
    s.m_strAverageRate = AverageWinningRate(s.m_nPlayers);
    const auto seats = static_cast<std::size_t>(s.m_nPlayers);
    s.m_firstCards.assign(seats, kNoCard);
    s.m_secondCards.assign(seats, kNoCard);
    s.m_board.fill(kNoCard);
    s.m_stage = HandStage::Reset;
    m_figuresChanged = true;
}

void Trainer::EstimateWinningRate(std::int32_t knownBoard) {
    // The count is 2 to 10 here unless a refused entry was just stored; the
    // estimate then uses the nearest valid count, which the edit also shows.
    TrainerState& s = m_state;
    s.m_nPlayers = ClampPlayers(s.m_nPlayers);
    const std::int32_t trials = TrialCount(s.m_nPlayers);
    m_view.EstimateStarting();
    s.m_wins = EstimateWins(s.m_firstCards[0], s.m_secondCards[0], knownBoard, s.m_board,
                            s.m_nPlayers, trials, SeedSource::Fixed(m_seeds.TickCount()));
    s.m_trials = trials;
    m_view.EstimateFinished();
}

// The figures from the whole percent of the estimate (none yet counts 0),
// the pot and the investment as the members hold them. After a refused entry
// the members can hold up to the largest 32-bit number; CalcProfit then
// saturates instead of wrapping.
void Trainer::RefreshProfit() {
    TrainerState& s = m_state;
    CalcProfit(s.RatePercent(), s.m_nPot, s.m_nInvest, s.m_nAddUpTo, s.m_nExpectingProfit);
    s.m_strAverageRate = AverageWinningRate(s.m_nPlayers);
    m_figuresChanged = true;
}

std::string HandText(const Card& first, const Card& second) {
    return CardLabel(first) + ", " + CardLabel(second);
}

} // namespace quillory
