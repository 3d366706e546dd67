#pragma once

#include "drill/Spot.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillory::drill {

// What the user's two cards do on the board now: the spot's kind.
//
// A made hand is one whose class (one pair up to straight flush) is above the
// class of the board's cards alone, or of that class with ranks of the user's
// (higher pairs, a higher straight or flush; a kicker alone does not count),
// so a pair on the board that every player shares is not one; preflop a
// pocket pair is a made hand (one pair). On the
// flop and turn a hand that is not made may be drawing, tried in this order:
//  - flush draw: four cards of one suit, at least one of them the user's;
//  - open-ended: two or more ranks of the next card complete a straight that
//    uses the user's cards (eight outs, a double gutshot included);
//  - gutshot: exactly one such rank (four outs);
//  - overcards: both of the user's cards above every board card.
// Anything else is nothing. The river has no draws. The order of the enum
// is the order of the record's summary.
enum class SpotKind {
    OnePair,
    TwoPair,
    ThreeOfAKind,
    Straight,
    Flush,
    FullHouse,
    FourOfAKind,
    StraightFlush,
    FlushDraw,
    OpenEnded,
    Gutshot,
    Overcards,
    Nothing,
};
inline constexpr int kSpotKinds = 13;

// The kinds grouped as the weak-spot focus draws them: every made hand is one.
enum class KindGroup { MadeHand, FlushDraw, OpenEnded, Gutshot, Overcards, Nothing };
inline constexpr int kKindGroups = 6;

SpotKind KindOf(const Spot& spot);
KindGroup GroupOf(SpotKind kind);
// True when a spot of the group can be dealt on the street: preflop and on the
// river only made hands and nothing.
bool GroupFitsStreet(KindGroup group, Street street);

// The names the record stores and the window shows: "One pair", "Flush draw",
// "Open-ended straight draw", "Gutshot straight draw", "Overcards", "Nothing".
std::string_view KindName(SpotKind kind);
std::optional<SpotKind> KindFromName(std::string_view name);
std::string_view GroupName(KindGroup group); // "Made hand", "Flush draw", ...

// The class (HandCategory) of the best hand among 1 to 7 real, distinct
// cards; fewer than five cards count only their pairs, trips and quads.
int CategoryOfCards(const Card* cards, int count);

// The spot an answer was about, read back from its card labels ("A(S)
// 10(H)" and "K(D) 7(C) 2(H)"); nothing when they do not read as cards of
// its street.
std::optional<Spot> SpotOfAnswerCards(std::string_view hole, std::string_view board, Street street,
                                      int players);

} // namespace quillory::drill
