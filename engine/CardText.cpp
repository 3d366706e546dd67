#include "engine/CardText.h"

#include "engine/CardNames.h"
#include "platform/MessageText.h"

namespace quillory {

namespace {

// The rank number of a typed rank letter (either case), or kNoRank.
std::int32_t RankOfLetter(char c) {
    for (std::int32_t rank = 0; rank < kRanks; ++rank) {
        if (kRankNames[static_cast<std::size_t>(rank)].letter == c) {
            return rank;
        }
    }
    return kNoRank;
}

// The suit number of a typed suit letter (lower case), or kNoSuit.
std::int32_t SuitOfLetter(char c) {
    for (std::int32_t suit = 0; suit < kSuits; ++suit) {
        if (kSuitNames[static_cast<std::size_t>(suit)].letter == c) {
            return suit;
        }
    }
    return kNoSuit;
}

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
        return Quoted(std::string_view(&c, 1));
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
            rank = RankOfLetter(Upper(text[i]));
            if (rank == kNoRank) {
                error = "unknown rank " + Shown(text[i]) + " in " + Quoted(Token(text, start)) +
                        " (ranks are A 2-9 T or 10 J Q K)";
                return false;
            }
            ++i;
        }
        if (i >= text.size() || IsSeparator(text[i])) {
            error = "card " + Quoted(Token(text, start)) + " has no suit (suits are s h c d)";
            return false;
        }
        const std::int32_t suit = SuitOfLetter(Lower(text[i]));
        if (suit == kNoSuit) {
            error = "unknown suit " + Shown(text[i]) + " in " + Quoted(Token(text, start)) +
                    " (suits are s h c d)";
            return false;
        }
        ++i;
        cards.push_back(Card{rank, suit});
    }
    return true;
}

std::string CardText(const Card& card) {
    if (!IsRealCard(card)) {
        return "??";
    }
    return {kRankNames[static_cast<std::size_t>(card.rank)].letter,
            kSuitNames[static_cast<std::size_t>(card.suit)].letter};
}

} // namespace quillory
