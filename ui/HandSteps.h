#pragma once

#include "engine/Card.h"

#include <QString>
#include <array>
#include <cstdint>

class QWidget;

namespace quillory {

class ListView;

// Small steps that the main window's hand handlers share.

// A row of the hands list: the two card labels joined by ", " ("A(S), 10(H)").
QString HandRow(const Card& first, const Card& second);

// Adds a card's picture to a card view as its item 0, with no text.
void ShowCard(ListView* view, const Card& card);

// Runs the card picker for `count` cards (1 to 3), owned by `owner`. On OK,
// fills cards[0] to cards[2] from the picker's three columns (columns beyond
// `count` hold the ace of spades) and returns true; on cancel leaves `cards`
// as it was and returns false.
bool PickCards(QWidget* owner, std::int32_t count, std::array<Card, 3>& cards);

} // namespace quillory
