// Argument parsing of quillory-odds: every check that turns a typing mistake
// into a one-line message instead of a wrong estimate.
#include "OddsCommand.h"
#include "engine/CardText.h"
#include "odds/Labels.h"
#include "platform/Arguments.h"
#include "platform/MessageText.h"

#include <optional>
#include <string_view>

namespace quillory {

namespace {

// The options; those that take a value come first, in the order they are
// stored.
enum OptionId {
    kBoard,
    kPlayers,
    kTrials,
    kSeed,
    kThreads,
    kValueOptions,
    kExact,
    kJson,
    kHelp,
    kVersion
};

constexpr OptionSpec kOptions[] = {
    {kBoard, "board", 0, OptionValue::Required},
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

// Checks the cards and numbers once every argument has been read.
bool Complete(const std::string& holeText,
              const std::optional<std::string> (&values)[kValueOptions], OddsRequest& request,
              std::string& error) {
    std::vector<Card> seen;
    std::vector<Card> cards;
    if (holeText.empty()) {
        error = "no hand given: name your two hole cards, such as AsKd";
        return false;
    }
    if (!ReadCards("hand", holeText, cards, seen, error)) {
        return false;
    }
    if (cards.size() != 2) {
        error = "the hand needs exactly 2 cards, got " + std::to_string(cards.size());
        return false;
    }
    request.first = cards[0];
    request.second = cards[1];

    if (values[kBoard]) {
        if (!ReadCards("board", *values[kBoard], cards, seen, error)) {
            return false;
        }
        if (cards.empty()) {
            error = "--board names no cards; leave it out for a hand before the flop";
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
    }
    request.trials = TrialCount(request.players);
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
    if (!RefuseRepeatedOptions(parsed, result.error)) {
        return result;
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
    Complete(holeText, values, result.request, result.error);
    return result;
}

} // namespace quillory
