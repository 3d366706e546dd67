#include "app/CommandLine.h"

#include <charconv>
#include <cstdint>

namespace quillory {
namespace {

// Reads a whole argument as a decimal number within [low, high].
bool ParseNumber(std::string_view name, std::string_view text, int low, int high,
                 std::string_view meaning, int& value, std::string& error) {
    std::int64_t parsed = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, parsed);
    if (text.empty() || result.ec != std::errc{} || result.ptr != end || parsed < low ||
        parsed > high) {
        error = std::string(name) + " takes " + std::string(meaning) + " from " +
                std::to_string(low) + " to " + std::to_string(high) + ", not '" +
                std::string(text) + "'";
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

} // namespace

bool ParseProgramCommandLine(std::span<const std::string_view> args, ProgramCommand& command,
                             std::string& error) {
    command = ProgramCommand{};
    for (const std::string_view arg : args) {
        if (arg == "--help" || arg == "-h") {
            command.action = ProgramCommand::Action::Help;
            return true;
        }
    }
    for (const std::string_view arg : args) {
        if (arg == "--version" || arg == "-v") {
            command.action = ProgramCommand::Action::Version;
            return true;
        }
    }

    bool advisor = false;
    bool advisorValues = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--call-advisor") {
            advisor = true;
            continue;
        }
        std::string_view name = arg;
        std::string_view value;
        bool hasValue = false;
        if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        if (name != "--rate" && name != "--callers") {
            continue; // for Qt
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) {
                error = std::string(name) + " needs a value";
                return false;
            }
            value = args[++i];
        }
        const bool parsed = name == "--rate"
                                ? ParseNumber(name, value, 0, kMaxAdvisorRate, "a whole percent",
                                              command.rate, error)
                                : ParseNumber(name, value, 0, kMaxAdvisorCallers,
                                              "a number of players", command.callers, error);
        if (!parsed) {
            return false;
        }
        advisorValues = true;
    }
    if (advisorValues && !advisor) {
        error = "--rate and --callers go with --call-advisor";
        return false;
    }
    if (advisor) {
        command.action = ProgramCommand::Action::CallAdvisor;
    }
    return true;
}

std::string ProgramUsage() {
    return "Usage: quillory [--version] [--help] [Qt options]\n"
           "       quillory --call-advisor [--rate R] [--callers C] [Qt options]\n"
           "Opens the Quillory window. Press F1 in the window for help.\n"
           "Settings are kept per user under \"Morvelle Software\", section \"Setting\".\n"
           "\n"
           "  --call-advisor  open \"Should I Call?\", the calculator for putting more\n"
           "                  money in, instead of the main window\n"
           "  --rate R        its winning rate, a whole percent from 0 to 100 (default 50)\n"
           "  --callers C     the most players who may call after you, 0 to 9 (default 3);\n"
           "                  the table has a column for each of 0, 1, ..., C callers\n"
           "\n"
           "Exit status: 0, or 2 for a bad --rate or --callers.\n";
}

} // namespace quillory
