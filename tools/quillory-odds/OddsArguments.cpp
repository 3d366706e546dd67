// Argument parsing of quillory-odds: every check that turns a typing mistake
// into a one-line message instead of a wrong estimate.
#include "CardText.h"
#include "OddsCommand.h"
#include "odds/Labels.h"
#include "platform/Arguments.h"
#include "platform/MessageText.h"
#include "range/HandRange.h"

#include <optional>
#include <string_view>

namespace quillory {

namespace {

// The options; those that take a value come first, in the order they are
// stored.
enum OptionId {
    kBoard,
    kDead,
    kPlayers,
    kTrials,
    kSeed,
    kThreads,
    kValueOptions,
    kExact,
    kJson,
    kHelp,
    kVersion,
    kVs
};

constexpr OptionSpec kOptions[] = {
    {kBoard, "board", 0, OptionValue::Required},
    {kDead, "dead", 0, OptionValue::Required},
    {kVs, "vs", 0, OptionValue::Required},
    {kPlayers, "players", 0, OptionValue::Required},
    {kTrials, "trials", 0, OptionValue::Required},
    {kSeed, "seed", 0, OptionValue::Required},
    {kThreads, "threads", 0, OptionValue::Required},
    {kExact, "exact", 0, OptionValue::None},
    {kJson, "json", 0, OptionValue::None},
    {kHelp, "help", 'h', OptionValue::None},
    {kVersion, "version", 0, OptionValue::None},
};

// A whole number from `min` to `max`, or the shared message naming the option.
std::optional<std::int64_t> ParseNumber(std::string_view name, const std::string& text,
                                        std::int64_t min, std::int64_t max, std::string& error) {
    std::int64_t value = 0;
    if (!ParseWholeNumber("--" + std::string(name), text, min, max, value, error)) {
        return std::nullopt;
    }
    return value;
}

// Reads cards and checks that none repeats one already in `seen`.
bool ReadCards(std::string_view what, const std::string& text, std::vector<Card>& cards,
               std::vector<Card>& seen, std::string& error) {
    if (!ParseCardText(text, cards, error)) {
        error = "in the " + std::string(what) + ": " + error;
        return false;
    }
    const std::size_t before = seen.size(); // cards of the groups read earlier
    for (const Card& card : cards) {
        for (std::size_t j = 0; j < seen.size(); ++j) {
            if (seen[j] == card) {
                error =
                    "card " + CardText(card) + " is given twice" +
                    (j < before ? " (in the hand and the board)" : " in the " + std::string(what));
                return false;
            }
        }
        seen.push_back(card);
    }
    return true;
}

// Range notation signs that card text never holds.
bool LooksLikeRange(const std::string& text) {
    const std::size_t dash = text.find('-');
    const bool span = dash != std::string::npos && dash > 0 && text[dash - 1] != ' ';
    return span || text.find_first_of(",+%:") != std::string::npos || text.size() <= 3;
}

// The hand: two cards (today's estimate) or a range. Two cards with --vs or
// --dead are the one-combo range of those cards.
bool ReadHand(const std::string& holeText, const std::vector<std::string>& vsTexts,
              const std::optional<std::string> (&values)[kValueOptions], OddsRequest& request,
              std::vector<Card>& seen, std::string& error) {
    std::vector<Card> cards;
    std::string cardError;
    std::vector<Card> cardsSeen;
    const bool twoCards =
        ReadCards("hand", holeText, cards, cardsSeen, cardError) && cards.size() == 2;
    request.ranges = !vsTexts.empty() || values[kDead].has_value() || !twoCards;
    if (twoCards) {
        seen = cardsSeen;
        request.first = cards[0];
        request.second = cards[1];
        request.seats.push_back(
            HandRange::Single(ComboIndex(FreshDeckIndex(cards[0]), FreshDeckIndex(cards[1]))));
        return true;
    }
    HandRange range;
    RangeError rangeError;
    if (ParseRange(holeText, range, rangeError) && !range.Empty()) {
        request.seats.push_back(range);
        return true;
    }
    if (cardError.empty()) {
        error = "the hand needs exactly 2 cards, got " + std::to_string(cards.size());
    } else if (rangeError.position == 0) {
        error = "the hand's range names no hand";
    } else {
        error = LooksLikeRange(holeText) ? "in the hand: " + rangeError.Message() : cardError;
    }
    return false;
}

// The opponents' seats: each --vs in order, then random cards; the dead cards.
bool CompleteSeats(const std::vector<std::string>& vsTexts, OddsRequest& request,
                   std::vector<Card>& seen, const std::optional<std::string>& deadText,
                   std::string& error) {
    if (vsTexts.size() > 9) {
        error =
            "at most 9 --vs ranges, one for each opponent, not " + std::to_string(vsTexts.size());
        return false;
    }
    if (static_cast<std::int32_t>(vsTexts.size()) >= request.players) {
        error = std::to_string(vsTexts.size()) + " --vs ranges need at least " +
                std::to_string(vsTexts.size() + 1) + " players, not " +
                std::to_string(request.players);
        return false;
    }
    for (std::size_t i = 0; i < vsTexts.size(); ++i) {
        HandRange range;
        RangeError rangeError;
        if (!ParseRange(vsTexts[i], range, rangeError)) {
            error = "in --vs " + std::to_string(i + 1) + ": " + rangeError.Message();
            return false;
        }
        if (range.Empty()) {
            error = "--vs " + std::to_string(i + 1) + " names no hand";
            return false;
        }
        request.seats.push_back(range);
    }
    while (static_cast<std::int32_t>(request.seats.size()) < request.players) {
        request.seats.push_back(HandRange::Random());
    }
    if (deadText) {
        std::vector<Card> cards;
        if (!ReadCards("dead cards", *deadText, cards, seen, error)) {
            return false;
        }
        request.dead = cards;
    }
    return true;
}

// Checks the cards and numbers once every argument has been read.
bool Complete(const std::string& holeText, const std::vector<std::string>& vsTexts,
              const std::optional<std::string> (&values)[kValueOptions], OddsRequest& request,
              std::string& error) {
    std::vector<Card> seen;
    std::vector<Card> cards;
    if (holeText.empty()) {
        error = "no hand given: name your two hole cards, such as AsKd";
        return false;
    }
    if (!ReadHand(holeText, vsTexts, values, request, seen, error)) {
        return false;
    }
    if (values[kBoard]) {
        if (!ReadCards("board", *values[kBoard], cards, seen, error)) {
            return false;
        }
        if (cards.size() == 1 || cards.size() == 2 || cards.size() > 5) {
            error = "the board needs 3, 4 or 5 cards (flop, turn, river) or none, got " +
                    std::to_string(cards.size());
            return false;
        }
        request.known = static_cast<std::int32_t>(cards.size());
        for (std::size_t i = 0; i < cards.size(); ++i) {
            request.board[i] = cards[i];
        }
    }

    if (values[kPlayers]) {
        const auto n = ParseNumber("players", *values[kPlayers], 2, kMaxPlayers, error);
        if (!n) {
            return false;
        }
        request.players = static_cast<std::int32_t>(*n);
    } else if (!vsTexts.empty()) {
        request.players = static_cast<std::int32_t>(std::min<std::size_t>(vsTexts.size() + 1, 11));
    }
    if (request.ranges && !CompleteSeats(vsTexts, request, seen, values[kDead], error)) {
        return false;
    }
    request.trials = request.ranges ? kRangeTrials : TrialCount(request.players);
    if (values[kTrials]) {
        const auto t = ParseNumber("trials", *values[kTrials], 1, kMaxTrials, error);
        if (!t) {
            return false;
        }
        request.trials = static_cast<std::int32_t>(*t);
    }
    if (values[kSeed]) {
        const auto s = ParseNumber("seed", *values[kSeed], 0, UINT32_MAX, error);
        if (!s) {
            return false;
        }
        request.seeded = true;
        request.seed = static_cast<std::uint32_t>(*s);
    }
    if (values[kThreads]) {
        const auto k = ParseNumber("threads", *values[kThreads], 1, kMaxThreads, error);
        if (!k) {
            return false;
        }
        request.threads = static_cast<std::int32_t>(*k);
    }
    if (request.exact && (values[kTrials] || values[kSeed])) {
        error = "--exact counts every deal, so --trials and --seed do not apply";
        return false;
    }
    return true;
}

} // namespace

OddsArguments ParseOddsArguments(const std::vector<std::string>& args) {
    OddsArguments result;
    const std::vector<std::string_view> views(args.begin(), args.end());
    ParsedArguments parsed;
    if (!ParseArguments(views, kOptions, {}, parsed, result.error)) {
        return result;
    }
    if (parsed.Has(kHelp)) {
        result.action = OddsAction::Help;
        return result;
    }
    if (parsed.Has(kVersion)) {
        result.action = OddsAction::Version;
        return result;
    }
    std::vector<std::string> vsTexts;
    for (const ParsedOption& option : parsed.options) {
        if (option.id == kVs) {
            vsTexts.emplace_back(option.value);
            continue;
        }
        if (parsed.Count(option.id) > 1) {
            result.error = "option " + option.spelling + " is given twice";
            return result;
        }
    }

    std::string holeText;
    for (const std::string_view operand : parsed.operands) {
        holeText += (holeText.empty() ? "" : " ") + std::string(operand);
    }
    result.request.threads = DefaultOddsThreads();
    std::optional<std::string> values[kValueOptions];
    for (int option = 0; option < kValueOptions; ++option) {
        if (const ParsedOption* given = parsed.Last(option)) {
            values[option] = std::string(given->value);
        }
    }
    result.request.exact = parsed.Has(kExact);
    result.request.json = parsed.Has(kJson);
    Complete(holeText, vsTexts, values, result.request, result.error);
    return result;
}

} // namespace quillory
