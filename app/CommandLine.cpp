#include "app/CommandLine.h"

#include "platform/Arguments.h"
#include "platform/MessageText.h"

#include <cstdint>
#include <vector>

#ifndef QUILLORY_VERSION
#define QUILLORY_VERSION "unknown"
#endif

namespace quillory {
namespace {

enum OptionId { kHelp, kVersion, kCallAdvisor, kRate, kCallers, kDrill, kEquity };

constexpr OptionSpec kOptions[] = {
    {kHelp, "help", 'h', OptionValue::None},
    {kVersion, "version", 'v', OptionValue::None},
    {kCallAdvisor, "call-advisor", 0, OptionValue::None},
    {kRate, "rate", 0, OptionValue::Required},
    {kCallers, "callers", 0, OptionValue::Required},
    {kDrill, "drill", 0, OptionValue::None},
    {kEquity, "equity", 0, OptionValue::None},
};

// The options that QApplication reads itself (with one dash or two); they are
// left in the command line for it.
constexpr ForeignOption kQtOptions[] = {
    {"platform", OptionValue::Required},
    {"platformpluginpath", OptionValue::Required},
    {"platformtheme", OptionValue::Required},
    {"plugin", OptionValue::Required},
    {"qwindowgeometry", OptionValue::Required},
    {"qwindowicon", OptionValue::Required},
    {"qwindowtitle", OptionValue::Required},
    {"geometry", OptionValue::Required},
    {"title", OptionValue::Required},
    {"icon", OptionValue::Required},
    {"display", OptionValue::Required},
    {"name", OptionValue::Required},
    {"session", OptionValue::Required},
    {"style", OptionValue::Required},
    {"stylesheet", OptionValue::Required},
    {"qmljsdebugger", OptionValue::Required},
    {"reverse", OptionValue::None},
    {"widgetcount", OptionValue::None},
    {"nograb", OptionValue::None},
    {"dograb", OptionValue::None},
    {"sync", OptionValue::None},
    {"testability", OptionValue::None},
};

// A whole number within [low, high] into an int member.
bool ParseNumber(std::string_view name, std::string_view text, int low, int high, int& value,
                 std::string& error) {
    std::int64_t parsed = 0;
    if (!ParseWholeNumber(name, text, low, high, parsed, error)) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

// Picks the values of -platform and -platformpluginpath out of Qt's options
// as the parser kept them: "-platform" "xcb", or "--platform=xcb".
void ReadPlatformOptions(const std::vector<std::string_view>& foreign, ProgramCommand& command) {
    for (std::size_t i = 0; i < foreign.size(); ++i) {
        std::string_view body = foreign[i].substr(foreign[i].starts_with("--") ? 2 : 1);
        const auto eq = body.find('=');
        const std::string_view name = body.substr(0, eq);
        std::string* value = name == "platform"             ? &command.platform
                             : name == "platformpluginpath" ? &command.platformPluginPath
                                                            : nullptr;
        if (value == nullptr) {
            continue;
        }
        if (eq != std::string_view::npos) {
            *value = std::string(body.substr(eq + 1));
        } else if (i + 1 < foreign.size()) {
            *value = std::string(foreign[++i]);
        }
    }
}

} // namespace

bool ParseProgramCommandLine(std::span<const std::string_view> args, ProgramCommand& command,
                             std::string& error) {
    command = ProgramCommand{};
    ParsedArguments parsed;
    if (!ParseArguments(args, kOptions, kQtOptions, parsed, error)) {
        return false;
    }
    if (parsed.Has(kHelp)) {
        command.action = ProgramCommand::Action::Help;
        return true;
    }
    if (parsed.Has(kVersion)) {
        command.action = ProgramCommand::Action::Version;
        return true;
    }
    if (!RefuseRepeatedOptions(parsed, error)) {
        return false;
    }
    if (!parsed.operands.empty()) {
        error = "unexpected argument " + Quoted(parsed.operands.front());
        return false;
    }
    ReadPlatformOptions(parsed.foreign, command);
    for (const ParsedOption& option : parsed.options) {
        const bool read = option.id == kRate ? ParseNumber(option.spelling, option.value, 0,
                                                           kMaxAdvisorRate, command.rate, error)
                          : option.id == kCallers
                              ? ParseNumber(option.spelling, option.value, 0, kMaxAdvisorCallers,
                                            command.callers, error)
                              : true;
        if (!read) {
            return false;
        }
    }
    const bool advisor = parsed.Has(kCallAdvisor);
    if (!advisor && (parsed.Has(kRate) || parsed.Has(kCallers))) {
        error = "--rate and --callers go with --call-advisor";
        return false;
    }
    if (advisor && parsed.Has(kDrill)) {
        error = "--drill and --call-advisor open different windows; choose one";
        return false;
    }
    if (parsed.Has(kEquity) && (advisor || parsed.Has(kDrill))) {
        error = std::string("--equity and ") + (advisor ? "--call-advisor" : "--drill") +
                " open different windows; choose one";
        return false;
    }
    if (advisor) {
        command.action = ProgramCommand::Action::CallAdvisor;
    } else if (parsed.Has(kDrill)) {
        command.action = ProgramCommand::Action::Drill;
    } else if (parsed.Has(kEquity)) {
        command.action = ProgramCommand::Action::Equity;
    }
    return true;
}

std::string ProgramUsage() {
    return "Usage: quillory [--version] [--help] [Qt options]\n"
           "       quillory --call-advisor [--rate R] [--callers C] [Qt options]\n"
           "       quillory --drill [Qt options]\n"
           "       quillory --equity [Qt options]\n"
           "Opens the Quillory window. Press F1 in the window for help.\n"
           "Values follow as --rate=R or --rate R; -- ends the options. Qt's own options\n"
           "(-platform NAME, -style NAME, -reverse, ...) are passed on to Qt.\n"
           "Settings are kept per user under \"Morvelle Software\", section \"Setting\".\n"
           "\n"
           "  --call-advisor  open \"Should I Call?\", the calculator for putting more\n"
           "                  money in, instead of the main window\n"
           "  --rate R        its winning rate, a whole percent from 0 to 100 (default 50)\n"
           "  --callers C     the most players who may call after you, 0 to 9 (default 3);\n"
           "                  the table has a column for each of 0, 1, ..., C callers\n"
           "  --drill         open \"Practise Estimating\": guess how often a hand wins,\n"
           "                  then see the true value; the record of answers is kept\n"
           "                  in drill.sqlite in the user's data folder\n"
           "  --equity        open \"Equity Calculator\": hands or ranges of 2 to 10\n"
           "                  players against each other, with a board and dead cards\n"
           "\n"
           "  -h, --help      show this text\n"
           "  -v, --version   show the version\n"
           "\n"
           "Exit status: 0, or 2 for an unknown option, an option given twice, a bad\n"
           "--rate or --callers, a platform that Qt does not have, or output that\n"
           "cannot be written.\n";
}

std::string ProgramVersion() {
    return std::string("quillory (Quillory Application) ") + QUILLORY_VERSION + "\n";
}

} // namespace quillory
