#pragma once

#include "engine/Card.h"
#include "odds/Estimator.h"
#include "odds/Labels.h"
#include "odds/Profit.h"
#include "trainer/Fields.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillory {

// The trainer's hand state as plain data: what the main window shows and
// keeps between its handlers, with no window in it.
//
// The figures the window shows come first: the estimate (as numbers; its
// text is made for display), the player count, the practice mode, the
// average rate, pot, expected profit, investment, "add up to". Then the
// cards, then what the list views show, then the enabled states of the
// controls that follow the hand.

// Where a hand stands; the enabled hand buttons are derived from it. Draw is
// always enabled; Flop only when Drawn, Turn only when FlopShown, River only
// when TurnShown.
enum class HandStage { Reset, Drawn, FlopShown, TurnShown, RiverShown };

// Which controls the mode last enabled: the hands list and Showdown in
// practice mode, the seven Fix buttons in entry mode.
enum class ModeControls { Practice, Entry };

// The seven card views, in the order of the Fix buttons.
enum class CardSlot { Hole1, Hole2, Flop1, Flop2, Flop3, Turn, River };
inline constexpr std::size_t kCardSlots = 7;

// The names screen readers give the card views and their Fix buttons, by slot.
inline constexpr std::array<std::string_view, kCardSlots> kCardSlotNames{
    "Your first card", "Your second card", "First flop card", "Second flop card",
    "Third flop card", "Turn card",        "River card"};
inline constexpr std::array<std::string_view, kCardSlots> kFixButtonNames{
    "Fix your first card",      "Fix your second card",    "Fix the first flop card",
    "Fix the second flop card", "Fix the third flop card", "Fix the turn card",
    "Fix the river card"};

// One row of the hands list: the seat's two card labels ("A(S), 10(H)") and
// the result column ("Winner!" or empty). Row i belongs to seat i.
struct HandRow {
    std::string hands;
    std::string result;

    friend bool operator==(const HandRow&, const HandRow&) = default;
};

struct TrainerState {
    // The last estimate: wins in trials; no trials before the first estimate.
    std::int32_t m_wins{};
    std::int32_t m_trials{};
    std::int32_t m_nPlayers{4};     // players including the user; 2 to 10 when read
    std::int32_t m_bPracticeMode{}; // nonzero: the tool deals every card
    std::string m_strAverageRate;   // the reference rate for the table size
    std::int32_t m_nPot{};          // 0 to kMaxTableMoney when read
    std::int32_t m_nExpectingProfit{};
    std::int32_t m_nInvest{}; // 0 to kMaxTableMoney when read
    std::int32_t m_nAddUpTo{};

    // The hand. Board cards fill from the left; seat 0 is the user. Both seat
    // arrays get the player count's length at each reset, and only there.
    BoardCards m_board{};
    std::vector<Card> m_firstCards;
    std::vector<Card> m_secondCards;

    // What the list views show: the hands list's rows and each card view's
    // card (no card: the view is empty).
    std::vector<HandRow> m_rows;
    std::array<Card, kCardSlots> m_shown{};

    // The controls that follow the hand and the mode.
    HandStage m_stage{HandStage::Reset};
    ModeControls m_modeControls{ModeControls::Entry};

    // The winning rate as shown, "49.36%", or empty before the first estimate.
    std::string WinningRateText() const {
        return m_trials > 0 ? FormatWinningRate(m_wins, m_trials) : std::string();
    }
    // The whole percent the money figures use (WholePercent); 0 before the
    // first estimate.
    std::int32_t RatePercent() const { return m_trials > 0 ? WholePercent(m_wins, m_trials) : 0; }

    // Enabled states derived from the stage.
    bool FlopEnabled() const { return m_stage == HandStage::Drawn; }
    bool TurnEnabled() const { return m_stage == HandStage::FlopShown; }
    bool RiverEnabled() const { return m_stage == HandStage::TurnShown; }
    Card Shown(CardSlot slot) const { return m_shown[static_cast<std::size_t>(slot)]; }
};

} // namespace quillory
