// Card text as a person types it: any bytes either parse into real cards that
// print back as text giving the same cards, or fail with a message.
#include "FuzzArguments.h"
#include "engine/CardText.h"

#include <string_view>

using quillory::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<quillory::Card> cards;
    std::string error;
    if (!quillory::ParseCardText(text, cards, error)) {
        Require(!error.empty());
        return 0;
    }
    std::string printed;
    for (const quillory::Card& card : cards) {
        Require(card.rank >= 0 && card.rank <= 12 && card.suit >= 0 && card.suit <= 3);
        printed += quillory::CardText(card);
        printed += ' ';
    }
    std::vector<quillory::Card> again;
    Require(quillory::ParseCardText(printed, again, error));
    Require(again.size() == cards.size());
    for (std::size_t i = 0; i < cards.size(); ++i) {
        Require(again[i].rank == cards[i].rank && again[i].suit == cards[i].suit);
    }
    return 0;
}
