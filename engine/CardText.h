#pragma once

#include "engine/Card.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillory {

// Cards as a person types them: rank then suit, case-insensitive, with or
// without blanks or commas between cards ("AsKd", "10h Jh", "Qh,Jh,2c").
// Ranks: A, 2-9, T or 10, J, Q, K. Suits: s, h, c, d.

// Parses every card of `text` into `cards` (replacing its contents). On a bad
// card returns false and sets `error` to one line naming the problem, e.g.
// "unknown suit 'x' in 'Ax'".
bool ParseCardText(std::string_view text, std::vector<Card>& cards, std::string& error);

// The short form of a real card as it would be typed: "As", "Th", "2c".
std::string CardText(const Card& card);

} // namespace quillory
