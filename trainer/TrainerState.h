#pragma once

#include "engine/Card.h"
#include "odds/Estimator.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quillory {

// The trainer's hand state as plain data: what the main window shows and
// keeps between its handlers, with no window in it.
//
// The members bound to controls come first, in the order the window
// exchanges them (the order a read validates them and stops at a refusal):
// winning rate, player count, practice mode, average rate, pot, expected
// profit, investment, "add up to". Then the cards, then what the list views
// show, then the enabled states of the controls that follow the hand.

inline constexpr std::int32_t kMinTablePlayers = 2;
inline constexpr std::int32_t kMaxTablePlayers = 10;
inline constexpr std::int32_t kMaxTableMoney = 10000000;

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

// One row of the hands list: the seat's two card labels ("A(S), 10(H)") and
// the result column ("Winner!" or empty). Row i belongs to seat i.
struct HandRow {
    std::string hands;
    std::string result;

    friend bool operator==(const HandRow&, const HandRow&) = default;
};

struct TrainerState {
    // Bound to the controls, in exchange order.
    std::string m_strWinningRate;   // "49.36%" or empty before the first estimate
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

    // Enabled states derived from the stage.
    bool FlopEnabled() const { return m_stage == HandStage::Drawn; }
    bool TurnEnabled() const { return m_stage == HandStage::FlopShown; }
    bool RiverEnabled() const { return m_stage == HandStage::TurnShown; }
    Card Shown(CardSlot slot) const { return m_shown[static_cast<std::size_t>(slot)]; }
};

} // namespace quillory
