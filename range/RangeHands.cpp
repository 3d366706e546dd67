// The hands a range term names: classes, combos, plus forms and spans of one
// shape (RangeTerms.h).
#include "platform/MessageText.h"
#include "range/RangeTerms.h"

#include <algorithm>

namespace quillory::range_terms {

namespace {

constexpr std::string_view kGridLetters = "AKQJT98765432";
constexpr std::string_view kSuitLetters = "shcd"; // suit numbers 0 to 3

std::string Char(char c) {
    return Quoted(std::string_view(&c, 1));
}

// One hand named in a term: a class (or both shapes of two ranks) or a combo.
enum class HandKind { Pair, Suited, Offsuit, BothShapes, Combo };
struct NamedHand {
    HandKind kind{HandKind::Pair};
    int better{0}; // grid ranks, 0 ace ... 12 two; better <= worse
    int worse{0};
    int combo{0}; // for HandKind::Combo
};

// Reads a rank at `i` (A K Q J T 10 9 ... 2, either case) as a grid rank.
std::optional<int> ReadRank(std::string_view s, std::size_t& i) {
    if (i + 1 < s.size() && s[i] == '1' && s[i + 1] == '0') {
        i += 2;
        return kGridLetters.find('T');
    }
    if (i < s.size()) {
        const std::size_t at = kGridLetters.find(Upper(s[i]));
        if (at != std::string_view::npos) {
            ++i;
            return static_cast<int>(at);
        }
    }
    return std::nullopt;
}

Refusal UnknownRank(std::string_view s, std::size_t i) {
    if (i >= s.size()) {
        return {"a hand needs two ranks, such as AK or AhKh"};
    }
    return {"unknown rank " + Char(s[i]) + " (ranks are A K Q J T or 10, 9 to 2)"};
}

std::optional<int> ReadSuit(std::string_view s, std::size_t i) {
    if (i >= s.size()) {
        return std::nullopt;
    }
    const std::size_t at = kSuitLetters.find(Lower(s[i]));
    return at == std::string_view::npos ? std::nullopt : std::optional<int>(static_cast<int>(at));
}

int CardOf(int gridRank, int suit) {
    return 4 * EngineRankOf(gridRank) + suit;
}

// Two cards with suits: "AhKh", "10s9s".
std::optional<Refusal> ReadCombo(std::string_view s, std::size_t i, int firstRank,
                                 NamedHand& hand) {
    const int firstSuit = *ReadSuit(s, i++);
    const std::optional<int> secondRank = ReadRank(s, i);
    if (!secondRank) {
        return UnknownRank(s, i);
    }
    const std::optional<int> secondSuit = ReadSuit(s, i);
    if (!secondSuit) {
        return Refusal{i < s.size() ? "unknown suit " + Char(s[i]) + " (suits are s h c d)"
                                    : "the second card has no suit (suits are s h c d)"};
    }
    if (++i < s.size()) {
        return Refusal{"unexpected " + Char(s[i]) + " after the two cards"};
    }
    const int a = CardOf(firstRank, firstSuit);
    const int b = CardOf(*secondRank, *secondSuit);
    if (a == b) {
        return Refusal{"the same card twice"};
    }
    hand.kind = HandKind::Combo;
    hand.combo = ComboIndex(a, b);
    return std::nullopt;
}

// A class or a combo: "AKs", "AKo", "AK", "TT", "AhKh".
std::optional<Refusal> ReadHand(std::string_view s, NamedHand& hand) {
    std::size_t i = 0;
    const std::optional<int> first = ReadRank(s, i);
    if (!first) {
        return UnknownRank(s, i);
    }
    if (ReadSuit(s, i)) {
        return ReadCombo(s, i, *first, hand);
    }
    const std::optional<int> second = ReadRank(s, i);
    if (!second) {
        return UnknownRank(s, i);
    }
    hand.better = std::min(*first, *second);
    hand.worse = std::max(*first, *second);
    const bool pair = *first == *second;
    hand.kind = pair ? HandKind::Pair : HandKind::BothShapes;
    if (i == s.size()) {
        return std::nullopt;
    }
    const char shape = Lower(s[i]);
    if (shape != 's' && shape != 'o') {
        return Refusal{"unknown suit class " + Char(s[i])};
    }
    if (pair) {
        return Refusal{"a pair is neither suited nor offsuit"};
    }
    if (i + 1 < s.size()) {
        return Refusal{"unexpected " + Char(s[i + 1]) + " after the hand"};
    }
    hand.kind = shape == 's' ? HandKind::Suited : HandKind::Offsuit;
    return std::nullopt;
}

void AddClassCombos(int better, int worse, HandKind kind, ComboSet& set) {
    for (int combo = 0; combo < kComboCount; ++combo) {
        const int handClass = ClassOfCombo(combo);
        const int row = handClass / kGridSize;
        const int column = handClass % kGridSize;
        if (std::min(row, column) != better || std::max(row, column) != worse) {
            continue;
        }
        const ClassShape shape = ShapeOfClass(handClass);
        if (kind == HandKind::Pair || kind == HandKind::BothShapes ||
            (kind == HandKind::Suited) == (shape == ClassShape::Suited)) {
            set.set(static_cast<std::size_t>(combo));
        }
    }
}

void AddHand(const NamedHand& hand, ComboSet& set) {
    if (hand.kind == HandKind::Combo) {
        set.set(static_cast<std::size_t>(hand.combo));
    } else {
        AddClassCombos(hand.better, hand.worse, hand.kind, set);
    }
}

// "TT+" (TT up to AA) and "A9s+" (the kicker up to one below the first rank).
std::optional<Refusal> ReadPlus(std::string_view s, ComboSet& set) {
    NamedHand hand;
    if (auto refusal = ReadHand(s, hand)) {
        return refusal;
    }
    if (hand.kind == HandKind::Combo) {
        return Refusal{"'+' follows a class such as TT or A9s, not two cards"};
    }
    if (hand.kind == HandKind::Pair) {
        for (int r = hand.better; r >= 0; --r) {
            AddClassCombos(r, r, HandKind::Pair, set);
        }
        return std::nullopt;
    }
    for (int kicker = hand.worse; kicker > hand.better; --kicker) {
        AddClassCombos(hand.better, kicker, hand.kind, set);
    }
    return std::nullopt;
}

// "TT-66", "A5s-A2s", "KQo-K9o": the classes of one shape between the ends.
std::optional<Refusal> ReadSpan(std::string_view s, std::size_t dash, ComboSet& set) {
    if (s.find('-', dash + 1) != std::string_view::npos) {
        return Refusal{"more than one '-'"};
    }
    NamedHand from;
    NamedHand to;
    if (auto refusal = ReadHand(s.substr(0, dash), from)) {
        return refusal;
    }
    if (auto refusal = ReadHand(s.substr(dash + 1), to)) {
        return refusal;
    }
    if (from.kind == HandKind::Combo || to.kind == HandKind::Combo) {
        return Refusal{"a span joins two classes such as A5s-A2s, not cards"};
    }
    if (from.kind != to.kind) {
        return Refusal{"mixed shapes in a span"};
    }
    if (from.kind == HandKind::Pair) {
        for (int r = std::min(from.better, to.better); r <= std::max(from.better, to.better); ++r) {
            AddClassCombos(r, r, HandKind::Pair, set);
        }
        return std::nullopt;
    }
    if (from.better != to.better) {
        return Refusal{"both ends of a span need the same first rank, such as A5s-A2s"};
    }
    for (int k = std::min(from.worse, to.worse); k <= std::max(from.worse, to.worse); ++k) {
        AddClassCombos(from.better, k, from.kind, set);
    }
    return std::nullopt;
}

} // namespace

std::optional<Refusal> ReadHands(std::string_view s, ComboSet& set) {
    if (const std::size_t dash = s.find('-'); dash != std::string_view::npos) {
        return ReadSpan(s, dash, set);
    }
    if (s.back() == '+') {
        return ReadPlus(s.substr(0, s.size() - 1), set);
    }
    NamedHand hand;
    if (auto refusal = ReadHand(s, hand)) {
        return refusal;
    }
    AddHand(hand, set);
    return std::nullopt;
}

} // namespace quillory::range_terms
