#pragma once

#include "trainer/DealSeeds.h"
#include "trainer/TrainerState.h"
#include "trainer/TrainerView.h"

#include <cstdint>
#include <string>

namespace quillory {

// The two stored settings: the practice mode (0 or 1) and the player count.
struct TrainerSettings {
    std::int32_t practiceMode{1};
    std::int32_t players{4};

    friend bool operator==(const TrainerSettings&, const TrainerSettings&) = default;
};

// The commands of the main window.
enum class Command {
    PracticeMode, // the check box was clicked
    LeavePlayers, // the player count's edit lost the focus
    Draw,
    Flop,
    Turn,
    River,
    Showdown,
    Fix,         // a Fix button; the slot is given with the command
    EditPot,     // the user changed the pot's text
    EditInvest,  // the user changed the investment's text
    LeavePot,    // the pot's edit lost the focus
    LeaveInvest, // the investment's edit lost the focus
};

// The trainer: the rules of a hand over TrainerState, with no window in it.
// The window sends each command with its fields as they stand; the trainer
// reads them (ReadFields: a refused field is reported through the view and
// the command goes on with the values read before it), works on the state,
// and tells the view once, at the end, what changed.
//
// What each command does:
// - PracticeMode reads the fields, sets the controls of the mode and resets
//   the hand: no rows, seats and board, seat arrays of the count's length,
//   pot 10 x players, investment 10, profit and "add up to" 0, no estimate,
//   the average rate, Draw alone among the hand buttons.
// - LeavePlayers reads the fields and holds the count to 2 to 10; it neither
//   resets nor recomputes.
// - Draw reads, resets and then deals the whole hand (practice mode: the
//   board, then each seat's two cards, seat 0 first) or asks for the user's
//   two cards (entry mode); Flop, Turn and River uncover or ask for their
//   board cards, and do nothing before Draw. Each estimates with the count as
//   read, shows its cards, moves the stage on and refreshes the figures. A
//   cancelled picker ends the step with nothing more changed.
// - Showdown lists every seat's cards under the user's row and marks the
//   winners; nothing unless the hands list holds exactly the user's row and
//   every card is dealt; a message when the count changed since the hand
//   began. It reads no field.
// - Fix replaces the card in its slot through a one-card picker, then reads
//   the fields and estimates again. An empty slot or a cancelled picker
//   changes nothing.
// - EditPot and EditInvest read the fields and recompute the expected profit
//   and "add up to" from the estimate's whole percent (RatePercent), unless
//   the changed edit is empty; LeavePot and LeaveInvest turn an empty edit
//   into 0 and recompute.
//
// The player count is held to 2 to 10 wherever the hand uses it (a refused
// entry can leave 1 or 11 in the member until the edit is left); after a
// refused pot or investment the figures are computed with the value read.
class Trainer {
public:
    explicit Trainer(TrainerView& view, DealSeeds seeds = DealSeeds());

    const TrainerState& State() const { return m_state; }

    // Settings read at start-up: a mode other than 0 is practice mode, a
    // count outside 2 to 10 starts at the nearest valid count. The settings to
    // store on closing hold the count to the same range.
    void RestoreSettings(const TrainerSettings& stored);
    TrainerSettings SettingsToStore() const;

    void Apply(Command command, const FieldTexts& fields, CardSlot slot = CardSlot::Hole1);

    // Reads the fields as a command does (a refusal is reported through the
    // view) and changes nothing else; false when a field was refused.
    bool Read(const FieldTexts& fields);
    // Takes the fields that read without a refusal, telling nobody: the
    // window does this as it closes, before the settings are stored.
    void TakeFieldsQuietly(const FieldTexts& fields);

    static constexpr std::string_view kCountChangedMessage =
        "Showdown unavailable because the number of players have been changed during the game.";

private:
    void Take(const FieldRead& read);
    void OnPracticeMode();
    void ResetHand();
    void OnDraw();
    void OnShowdown();
    void OnFix(CardSlot slot);
    void RefreshEstimate();
    // The one place the estimator runs: the winning rate for `knownBoard`
    // board cards with the count held to 2 to 10.
    void EstimateWinningRate(std::int32_t knownBoard);
    // The figures from the rate and the average rate.
    void RefreshProfit();
    void DealPracticeHand();
    void UncoverBoardCards(std::size_t first, std::size_t count, HandStage reached);
    Card* SlotCard(CardSlot slot);

    TrainerView& m_view;
    DealSeeds m_seeds;
    TrainerState m_state;
    // Set by a command that wrote the figures (a reset, new figures, the
    // count held to its range).
    bool m_figuresChanged{};
};

// The hands list of a showdown: every seat's cards, seat 0 first, with the
// winners (all who share the best hand) marked "Winner!". Every card of the
// state must be dealt.
std::vector<HandRow> ShowdownRows(const TrainerState& state);

// A row of the hands list: the two card labels joined by ", ".
std::string HandText(const Card& first, const Card& second);

} // namespace quillory
