#pragma once

#include "range/HandRange.h"

#include <QString>
#include <vector>

namespace quillory {

// Reads a player's field: empty is random cards, two cards ("As Kh",
// "AhKh") that hand, anything else the range notation. False, with the
// core's message in `error`, for a text that is neither.
bool ReadSeat(const QString& text, HandRange& range, QString& error);

// Reads the Board or Dead field as cards (fresh-deck indices); false with a
// message for a bad card or a card named twice.
bool ReadCards(const QString& text, std::vector<int>& cards, QString& error);

// "Player 1" for seat 0: the name of a seat's field and results.
QString PlayerName(int seat);

// The cards as typed back into a field: "Kd 7c 2h".
QString CardsText(const std::vector<int>& cards);

} // namespace quillory
