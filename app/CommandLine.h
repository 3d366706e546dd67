#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quillory {

// What the quillory command line asks for. The program's own options are
//   --version, -v        print the version and end
//   --help, -h           print the usage and end
//   --call-advisor       open "Should I Call?" instead of the main window
//   --rate R             its winning rate, a whole percent 0 to 100 (default 50)
//   --callers C          the most players who may call after you, 0 to 9
//                        (default 3): the table gets a column for each of
//                        0, 1, ..., C callers
// Values also take the form --rate=R. Every other argument is left to Qt
// (-platform offscreen, -style fusion, ...).
struct ProgramCommand {
    enum class Action { MainWindow, CallAdvisor, Version, Help };

    Action action{Action::MainWindow};
    int rate{50};
    int callers{3};
};

inline constexpr int kMaxAdvisorRate = 100;
inline constexpr int kMaxAdvisorCallers = 9;

// Parses the arguments after the program name. --help and --version win over
// anything else on the line. False, with a one-line message in `error`, for a
// missing or out-of-range value, or --rate or --callers without
// --call-advisor.
bool ParseProgramCommandLine(std::span<const std::string_view> args, ProgramCommand& command,
                             std::string& error);

// The text of --help.
std::string ProgramUsage();

} // namespace quillory
