#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quillory {

// What the quillory command line asks for. The program's own options are
//   --version, -v        print the version and end
//   --help, -h           print the usage and end
//   --call-advisor       open "Should I Call?" instead of the main window
//   --drill              open "Practise Estimating" instead of the main window
//   --equity             open "Equity Calculator" instead of the main window
//   --rate R             its winning rate, a whole percent 0 to 100 (default 50)
//   --callers C          the most players who may call after you, 0 to 9
//                        (default 3): the table gets a column for each of
//                        0, 1, ..., C callers
// The conventions of platform/Arguments.h: values also take the form
// --rate=R, and "--" ends the options. Qt's own options (-platform offscreen,
// -style fusion, ...) are accepted and left to Qt; any other option, and any
// argument that is not an option, is refused.
struct ProgramCommand {
    enum class Action { MainWindow, CallAdvisor, Drill, Equity, Version, Help };

    Action action{Action::MainWindow};
    int rate{50};
    int callers{3};
    // The values of Qt's -platform and -platformpluginpath (the last given),
    // empty when not given; see PlatformCheck.h.
    std::string platform{};
    std::string platformPluginPath{};
};

inline constexpr int kMaxAdvisorRate = 100;
inline constexpr int kMaxAdvisorCallers = 9;

// Parses the arguments after the program name. --help and --version win over
// every value on the line. False, with a one-line message in `error`, for an
// unknown option, an option given twice, an unexpected argument, a missing or
// out-of-range value, --rate or --callers without --call-advisor, or more than
// one of --call-advisor, --drill and --equity.
bool ParseProgramCommandLine(std::span<const std::string_view> args, ProgramCommand& command,
                             std::string& error);

// The text of --help.
std::string ProgramUsage();

// The text of --version: "quillory (Quillory Application) 1.0.0.1", the
// program's name first, then the product name of its version record.
std::string ProgramVersion();

} // namespace quillory
