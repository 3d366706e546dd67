#pragma once

#include "engine/Card.h"
#include "trainer/Fields.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quillory {

// The cards chosen in the picker's three columns; columns beyond the number
// asked for hold whatever the picker showed there (the ace of spades).
using PickedCards = std::array<Card, 3>;

// What the trainer needs of its window, implemented by the window and by the
// model's tests. Commands come in with the fields as they stand (Trainer);
// what goes back out is one StateChanged per command that changed the state,
// after the command, plus the questions and messages a command needs on its
// way: a refused field, a card picker, a notice.
// What a change touched: the hand alone (rows, pictures, enabled states) or
// the figures in the fields too. Fields a command did not write keep what the
// user typed, even a refused entry.
enum class Changed { Hand, HandAndFigures };

class TrainerView {
public:
    virtual ~TrainerView() = default;

    // The state changed: show it (the rows, the pictures and the enabled
    // states, and with HandAndFigures every figure in its field) without
    // raising the edits' change notifications.
    virtual void StateChanged(Changed changed) = 0;

    // A field was refused: tell the user and give the field the focus. The
    // command goes on with the values read before it.
    virtual void FieldRefused(const FieldRefusal& refusal) = 0;

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
