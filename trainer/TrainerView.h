#pragma once

#include "engine/Card.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quillory {

// Whether a write to the controls raises the edits' change notifications
// (and so runs the pot handlers once more) or not.
enum class ChangeNotices { Raised, Suppressed };

// The cards chosen in the picker's three columns; columns beyond the number
// asked for hold whatever the picker showed there (the ace of spades).
using PickedCards = std::array<Card, 3>;

// What the trainer needs of its window, implemented by the window and by the
// model's tests. The trainer calls these at the points where a handler reads
// or writes the controls, asks for cards or tells the user something.
class TrainerView {
public:
    virtual ~TrainerView() = default;

    // Reads every bound control into the trainer's members in exchange order.
    // At the first entry that is not an integer or is out of range the user is
    // told why, that control gets the focus and the read stops: members before
    // it are updated, an out-of-range number that parsed is stored, members
    // after it keep their values. Returns false then; the trainer's handlers
    // go on with the members as they stand.
    virtual bool ReadControls() = 0;

    // Writes every member into its control (a text only where it differs) and
    // shows the list views and enabled states of the state.
    virtual void WriteControls(ChangeNotices notices) = 0;

    // Runs the card picker for `count` cards (1 to 3) modally. Empty when the
    // user cancelled.
    virtual std::optional<PickedCards> PickCards(std::int32_t count) = 0;

    // A modal information message with an OK button.
    virtual void ShowInformation(std::string_view text) = 0;

    // Brackets each estimate, which blocks for about a millisecond (longer on
    // a slow machine): the window may show a wait cursor.
    virtual void EstimateStarting() {}
    virtual void EstimateFinished() {}
};

} // namespace quillory
