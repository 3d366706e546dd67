#include "CommandLine.h"

#include "platform/Arguments.h"
#include "platform/MessageText.h"

#include <algorithm>
#include <filesystem>
#include <thread>

namespace quillory {

namespace {

enum OptionId { kOutput, kDeals, kSeed, kThreads, kSvg, kPlayers, kHoleCards, kHelp, kVersion };

constexpr OptionSpec kOptions[] = {
    {kOutput, "output", 'o', OptionValue::Required},
    {kDeals, "deals", 0, OptionValue::Required},
    {kSeed, "seed", 0, OptionValue::Required},
    {kThreads, "threads", 0, OptionValue::Required},
    {kSvg, "svg", 0, OptionValue::Required},
    {kPlayers, "players", 0, OptionValue::Required},
    {kHoleCards, "hole-cards", 0, OptionValue::Required},
    {kHelp, "help", 'h', OptionValue::None},
    {kVersion, "version", 0, OptionValue::None},
};

// "all", "0", "1" or "2": the hole-cards section of the picture.
bool ParseHoleCards(std::string_view name, std::string_view text, HoleCardsUsed& value,
                    std::string& error) {
    if (text == "all") {
        value = HoleCardsUsed::Any;
    } else if (text == "0") {
        value = HoleCardsUsed::None;
    } else if (text == "1") {
        value = HoleCardsUsed::One;
    } else if (text == "2") {
        value = HoleCardsUsed::Two;
    } else {
        error = std::string(name) + " must be all, 0, 1 or 2, not " + Quoted(text);
        return false;
    }
    return true;
}

// The report and the picture must go to different places, and the picture's
// choices need the picture.
bool CheckOutputs(const ParsedArguments& parsed, const ReportCommand& command, std::string& error) {
    if (command.picture.empty()) {
        if (parsed.Has(kPlayers) || parsed.Has(kHoleCards)) {
            error = "--players and --hole-cards choose the picture's section; they go with --svg";
            return false;
        }
        return true;
    }
    if (command.PictureToStandardOutput() && command.ToStandardOutput()) {
        error = "the report and the picture cannot both go to standard output; "
                "name a file with -o FILE";
        return false;
    }
    if (!command.ToStandardOutput() &&
        std::filesystem::path(command.output).lexically_normal() ==
            std::filesystem::path(command.picture).lexically_normal()) {
        error = "the report and the picture would both be written to " + Quoted(command.picture);
        return false;
    }
    return true;
}

} // namespace

int DefaultReportThreads() {
    const unsigned processors = std::thread::hardware_concurrency();
    return static_cast<int>(std::clamp<unsigned>(processors, 1U, kMaxReportThreads));
}

bool ParseReportCommandLine(std::span<const std::string_view> args, ReportCommand& command,
                            std::string& error) {
    command = ReportCommand{};
    command.options.threads = DefaultReportThreads();
    ParsedArguments parsed;
    if (!ParseArguments(args, kOptions, {}, parsed, error)) {
        return false;
    }
    if (parsed.Has(kHelp)) {
        command.action = ReportCommand::Action::Help;
        return true;
    }
    if (parsed.Has(kVersion)) {
        command.action = ReportCommand::Action::Version;
        return true;
    }
    if (!RefuseRepeatedOptions(parsed, error)) {
        return false;
    }
    if (!parsed.operands.empty()) {
        error = "unexpected argument " + Quoted(parsed.operands.front()) + " (use -o FILE)";
        return false;
    }
    for (const ParsedOption& option : parsed.options) {
        const std::string_view name = option.spelling;
        std::int64_t number = 0;
        switch (option.id) {
        case kOutput:
            if (option.value.empty()) {
                error = std::string(name) + " needs a file name (or - for standard output)";
                return false;
            }
            command.output = std::string(option.value);
            break;
        case kDeals:
            if (!ParseWholeNumber(name, option.value, 0, kMaxReportDeals, number, error)) {
                return false;
            }
            command.options.deals = number;
            break;
        case kSeed:
            if (!ParseWholeNumber(name, option.value, 0, 0xFFFFFFFFLL, number, error)) {
                return false;
            }
            command.options.seed = static_cast<std::uint32_t>(number);
            break;
        case kThreads:
            if (!ParseWholeNumber(name, option.value, 1, kMaxReportThreads, number, error)) {
                return false;
            }
            command.options.threads = static_cast<int>(number);
            break;
        case kSvg:
            if (option.value.empty()) {
                error = std::string(name) + " needs a file name";
                return false;
            }
            command.picture = std::string(option.value);
            break;
        case kPlayers:
            if (!ParseWholeNumber(name, option.value, kMinTableSize, kMaxTableSize, number,
                                  error)) {
                return false;
            }
            command.pictureTableSize = static_cast<int>(number);
            break;
        case kHoleCards:
            if (!ParseHoleCards(name, option.value, command.pictureHoleCards, error)) {
                return false;
            }
            break;
        default:
            break;
        }
    }
    return CheckOutputs(parsed, command, error);
}

std::string ReportUsage() {
    return "Usage: quillory-report [-o FILE | -] [--deals N] [--seed S] [--threads K]\n"
           "                       [--svg FILE [--players N] [--hole-cards all|0|1|2]]\n"
           "\n"
           "Simulates random deals at a ten-seat table and writes the hand-statistics\n"
           "report: for each hand class, leading rank, table size (2 to 10 players) and\n"
           "number of hole cards used, how many such hands were not among the winners,\n"
           "how many occurred, and the rate of the first to the second.\n"
           "\n"
           "Values follow as --name=VALUE, --name VALUE, -oFILE or -o FILE; -- ends the\n"
           "options. Each option may be given once.\n"
           "\n"
           "  -o, --output FILE  write the report to FILE, replacing it only once the\n"
           "                     report is complete; '-' or no -o: standard output\n"
           "      --deals N      number of deals, 0 to 1000000000 (default 100000)\n"
           "      --seed S       seed base 0 to 4294967295: deal i is dealt from the\n"
           "                     seed S + i, so equal seeds give equal reports whatever\n"
           "                     the thread count (default: a random seed)\n"
           "      --threads K    worker threads, 1 to 256 (default: the processors)\n"
           "      --svg FILE     also draw the statistics as a heat map (SVG) in FILE: the\n"
           "                     share of hands that did not win by hand class and\n"
           "                     leading rank, from the same counts as the report;\n"
           "                     '-': standard output (then the report needs -o FILE)\n"
           "      --players N    the picture's table size, 2 to 10 (default 10)\n"
           "      --hole-cards W the picture's hands by hole cards used: all, 0, 1 or 2\n"
           "                     (default all)\n"
           "  -h, --help         show this text\n"
           "      --version      show the version\n"
           "\n"
           "Lines end in a line feed on every system. Progress is shown on standard\n"
           "error when it is a terminal. Exit status: 0 success, 2 bad arguments or a\n"
           "report that cannot be written (standard output included), 130 interrupted\n"
           "(Ctrl-C), 143 terminated, 129 hung up;\n"
           "an interrupted run writes nothing and leaves an existing file as it was.\n";
}

std::string ReportVersion() {
    return std::string("quillory-report (Quillory) ") + QUILLORY_VERSION + "\n";
}

} // namespace quillory
