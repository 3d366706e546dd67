#pragma once

#include "trainer/DealSeeds.h"
#include "trainer/TrainerState.h"
#include "trainer/TrainerView.h"

#include <cstdint>
#include <string>

namespace quillory {

// Whether an edit holds any text at the moment its notification arrives.
enum class EditText { Empty, Filled };

// The two stored settings: the practice mode (0 or 1) and the player count.
struct TrainerSettings {
    std::int32_t practiceMode{1};
    std::int32_t players{4};

    friend bool operator==(const TrainerSettings&, const TrainerSettings&) = default;
};

// The trainer: the rules of a hand over TrainerState, one operation per event
// of the main window, with no window in it. Each operation reads the controls
// through the view where the window's handler reads them, works on the state
// and writes it back through the view; a failed read has already told the
// user, and the operation goes on with the members as they then stand.
//
// Card picking and messages go through the view too, so a test scripts them.
// A practice Draw takes its shuffle seeds from the DealSeeds it was given.
//
// The player count is held to 2 to 10 wherever the hand uses it (a refused
// entry can leave 1 or 11 in the member until the edit is left); the pot and
// investment are validated to 0 to 10,000,000 only when read.
class Trainer {
public:
    explicit Trainer(TrainerView& view, DealSeeds seeds = DealSeeds());

    TrainerState& State() { return m_state; }
    const TrainerState& State() const { return m_state; }

    // Settings read at start-up: a mode other than 0 is practice mode, a
    // count outside 2 to 10 starts at the nearest valid count. The settings to
    // store on closing hold the count to the same range.
    void RestoreSettings(const TrainerSettings& stored);
    TrainerSettings SettingsToStore() const;

    // Practice mode and player count. OnPracticeMode reads the controls, sets
    // the controls of the mode and resets the hand. ResetHand empties the list
    // views, the seats and the board, sizes the seat arrays to the count, sets
    // pot 10 x players, investment 10, profit and "add up to" 0, no winning
    // rate, the average rate, Draw alone enabled among the hand buttons, and
    // writes the members without change notices; it reads nothing itself.
    // OnKillFocusPlayers reads, holds the count to 2 to 10 and writes; it
    // neither resets nor recomputes.
    void OnPracticeMode();
    void ResetHand();
    void OnKillFocusPlayers();

    // Hand progression. Draw resets and then deals the whole hand (practice
    // mode: the board, then each seat's two cards, seat 0 first) or asks for
    // the user's two cards (entry mode); Flop, Turn and River uncover or ask
    // for their board cards. Each estimates with the count as read, shows its
    // cards, moves the stage on and refreshes the figures. A cancelled picker
    // ends the step with nothing more changed.
    void OnDraw();
    void OnFlop();
    void OnTurn();
    void OnRiver();

    // Lists every seat's cards under the user's row and marks the winners.
    // Does nothing unless the hands list holds exactly the user's row and
    // every card is dealt; refuses with a message when the count changed
    // since the hand began. Reads and writes no control.
    static constexpr std::string_view kCountChangedMessage =
        "Showdown unavailable because the number of players have been changed during the game.";
    void OnShowdown();

    // A Fix button: replaces the card in its slot through a one-card picker
    // and estimates again. An empty slot or a cancelled picker changes nothing.
    void OnFix(CardSlot slot);
    // Estimates again for the cards as they stand (the known board cards are
    // the filled slots), rewrites the user's row and refreshes the figures.
    void RefreshEstimate();

    // Pot figures. A change of the pot or investment edit recomputes the
    // expected profit and "add up to" from the whole percent of the winning
    // rate, unless the edit is empty; an edit left empty becomes 0.
    void OnChangeMoney(EditText text);
    void OnKillFocusPot(EditText text);
    void OnKillFocusInvest(EditText text);

private:
    // The one place the estimator runs: the winning rate for `knownBoard`
    // board cards with the count held to 2 to 10.
    void EstimateWinningRate(std::int32_t knownBoard);
    // The figures from the rate, the average rate, and a write with notices.
    void RefreshProfit();
    void DealPracticeHand();
    void UncoverBoardCards(std::size_t first, std::size_t count, HandStage reached);
    Card* SlotCard(CardSlot slot);

    TrainerView& m_view;
    DealSeeds m_seeds;
    TrainerState m_state;
};

// A row of the hands list: the two card labels joined by ", ".
std::string HandText(const Card& first, const Card& second);

} // namespace quillory
