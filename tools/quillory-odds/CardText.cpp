#include "CardText.h"

namespace quillory {

namespace {

constexpr std::string_view kRankLetters = "A23456789TJQK";
constexpr std::string_view kSuitLetters = "shcd";

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == '\n' || c == '\r';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The card being read, from `start` to the next separator, for messages.
std::string Token(std::string_view text, std::size_t start) {
    std::size_t end = start;
    while (end < text.size() && !IsSeparator(text[end])) {
        ++end;
    }
    return std::string(text.substr(start, end - start));
}

// One character for a message: itself when printable ASCII, else its code.
std::string Shown(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x21 && byte < 0x7F) {
        return std::string("'") + c + "'";
    }
    static constexpr std::string_view kHex = "0123456789abcdef";
    return std::string("byte 0x") + kHex[byte >> 4] + kHex[byte & 15];
}

} // namespace

bool ParseCardText(std::string_view text, std::vector<Card>& cards, std::string& error) {
    cards.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsSeparator(text[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        std::int32_t rank = kNoRank;
        if (text[i] == '1' && i + 1 < text.size() && text[i + 1] == '0') {
            rank = kTen;
            i += 2;
        } else {
            const auto found = kRankLetters.find(Upper(text[i]));
            if (found == std::string_view::npos) {
                error = "unknown rank " + Shown(text[i]) + " in \"" + Token(text, start) +
                        "\" (ranks are A 2-9 T or 10 J Q K)";
                return false;
            }
            rank = static_cast<std::int32_t>(found);
            ++i;
        }
        if (i >= text.size() || IsSeparator(text[i])) {
            error = "card \"" + Token(text, start) + "\" has no suit (suits are s h c d)";
            return false;
        }
        const auto suit = kSuitLetters.find(Lower(text[i]));
        if (suit == std::string_view::npos) {
            error = "unknown suit " + Shown(text[i]) + " in \"" + Token(text, start) +
                    "\" (suits are s h c d)";
            return false;
        }
        ++i;
        cards.push_back(Card{rank, static_cast<std::int32_t>(suit)});
    }
    return true;
}

std::string CardText(const Card& card) {
    if (!IsRealCard(card)) {
        return "??";
    }
    return {kRankLetters[static_cast<std::size_t>(card.rank)],
            kSuitLetters[static_cast<std::size_t>(card.suit)]};
}

} // namespace quillory
