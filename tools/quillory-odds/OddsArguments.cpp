// Argument parsing of quillory-odds: every check that turns a typing mistake
// into a one-line message instead of a wrong estimate.
#include "CardText.h"
#include "OddsCommand.h"
#include "odds/Labels.h"

#include <charconv>
#include <optional>
#include <string_view>

namespace quillory {

namespace {

// The options that take a value, in the order they are stored.
enum ValueOption { kBoard, kPlayers, kTrials, kSeed, kValueOptions };
constexpr std::string_view kValueNames[kValueOptions] = {"board", "players", "trials", "seed"};

// A whole number from `min` to `max`, or a message naming the option.
std::optional<std::int64_t> ParseNumber(std::string_view name, const std::string& text,
                                        std::int64_t min, std::int64_t max, std::string& error) {
    std::int64_t value = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    const auto [stop, code] = std::from_chars(begin, end, value);
    if (text.empty() || stop != end ||
        (code != std::errc{} && code != std::errc::result_out_of_range)) {
        error = "--" + std::string(name) + " needs a whole number, got \"" + text + "\"";
        return std::nullopt;
    }
    if (code == std::errc::result_out_of_range || value < min || value > max) {
        error = std::string(name) + " must be " + std::to_string(min) + " to " +
                std::to_string(max) + ", got " + text;
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
    if (request.exact && (values[kTrials] || values[kSeed])) {
        error = "--exact counts every deal, so --trials and --seed do not apply";
        return false;
    }
    return true;
}

} // namespace

OddsArguments ParseOddsArguments(const std::vector<std::string>& args) {
    OddsArguments result;
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            result.action = OddsAction::Help;
            return result;
        }
        if (a == "--version") {
            result.action = OddsAction::Version;
            return result;
        }
    }

    std::string holeText;
    std::optional<std::string> values[kValueOptions];
    bool exactSeen = false;
    bool jsonSeen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 2 || a[0] != '-') {
            holeText += holeText.empty() ? a : " " + a;
            continue;
        }
        if (a[1] != '-') {
            result.error = "unknown option '" + a + "'";
            return result;
        }
        const std::size_t eq = a.find('=');
        const std::string name = a.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
        if (name == "exact" || name == "json") {
            bool& seen = name == "exact" ? exactSeen : jsonSeen;
            if (eq != std::string::npos) {
                result.error = "--" + name + " takes no value";
                return result;
            }
            if (seen) {
                result.error = "option --" + name + " is given twice";
                return result;
            }
            seen = true;
            continue;
        }
        int option = 0;
        while (option < kValueOptions && kValueNames[option] != name) {
            ++option;
        }
        if (option == kValueOptions) {
            result.error =
                "unknown option '" + (eq == std::string::npos ? a : a.substr(0, eq)) + "'";
            return result;
        }
        if (values[option]) {
            result.error = "option --" + name + " is given twice";
            return result;
        }
        if (eq != std::string::npos) {
            values[option] = a.substr(eq + 1);
        } else if (i + 1 < args.size()) {
            values[option] = args[++i];
        } else {
            result.error = "--" + name + " needs a value";
            return result;
        }
    }
    result.request.exact = exactSeen;
    result.request.json = jsonSeen;
    Complete(holeText, values, result.request, result.error);
    return result;
}

} // namespace quillory
