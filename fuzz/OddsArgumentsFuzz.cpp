// quillory-odds' command line: any arguments either give a checked request
// (the promises of OddsRequest) or a message; nothing is estimated here.
#include "FuzzArguments.h"
#include "OddsCommand.h"

using quillory::fuzz::Require;

namespace {

bool Real(const quillory::Card& card) {
    return card.rank >= 0 && card.rank <= 12 && card.suit >= 0 && card.suit <= 3;
}

bool Same(const quillory::Card& a, const quillory::Card& b) {
    return a.rank == b.rank && a.suit == b.suit;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const quillory::OddsArguments parsed =
        quillory::ParseOddsArguments(quillory::fuzz::SplitArguments(data, size));
    if (!parsed.error.empty() || parsed.action != quillory::OddsAction::Estimate) {
        return 0;
    }
    const quillory::OddsRequest& request = parsed.request;
    // A range request holds one range per seat, seat 0 first, and the two
    // cards only when the hand is two cards; a hand request always holds them.
    const bool cards = !request.ranges || quillory::HoldsCard(request.first);
    if (cards) {
        Require(Real(request.first) && Real(request.second) &&
                !Same(request.first, request.second));
    }
    if (request.ranges) {
        Require(request.seats.size() == static_cast<std::size_t>(request.players));
        for (const quillory::HandRange& seat : request.seats) {
            Require(!seat.Empty());
        }
    }
    Require(request.known == 0 || (request.known >= 3 && request.known <= 5));
    Require(request.players >= 2 && request.players <= 10);
    Require(request.trials >= 1 && request.trials <= quillory::kMaxTrials);
    Require(request.threads >= 1 && request.threads <= quillory::kMaxThreads);
    for (std::int32_t i = 0; i < request.known; ++i) {
        const quillory::Card& card = request.board[static_cast<std::size_t>(i)];
        Require(Real(card));
        Require(!cards || (!Same(card, request.first) && !Same(card, request.second)));
        for (std::int32_t j = 0; j < i; ++j) {
            Require(!Same(card, request.board[static_cast<std::size_t>(j)]));
        }
        for (const quillory::Card& dead : request.dead) {
            Require(!Same(card, dead));
        }
    }
    return 0;
}
