#pragma once

#include "report/HeatMap.h"
#include "report/Simulation.h"

#include <span>
#include <string>
#include <string_view>

namespace quillory {

// What a quillory-report command line asks for.
struct ReportCommand {
    enum class Action { Run, Help, Version };

    Action action{Action::Run};
    // The report file; empty or "-" means standard output.
    std::string output{};
    // Deals, seed and threads; the progress callback is left to the caller.
    SimulationOptions options{};
    // The heat-map picture (SVG) of one table size and hole-cards section,
    // drawn from the same counts as the report; empty: no picture; "-":
    // standard output.
    std::string picture{};
    int pictureTableSize{kMaxTableSize};
    HoleCardsUsed pictureHoleCards{HoleCardsUsed::Any};

    bool ToStandardOutput() const { return output.empty() || output == "-"; }
    bool PictureToStandardOutput() const { return picture == "-"; }
};

// Limits of the numeric options.
inline constexpr std::int64_t kMaxReportDeals = 1'000'000'000;
inline constexpr int kMaxReportThreads = 256;

// Parses the arguments that follow the program name, with the conventions of
// platform/Arguments.h:
//   -o FILE | -oFILE | --output FILE | --output=FILE   report file ("-":
//                 standard output)
//   --deals N     0 to kMaxReportDeals, default 100,000
//   --seed S      0 to 4294967295; without it the caller picks a random base
//   --threads K   1 to kMaxReportThreads, default: the number of processors
//   --svg FILE    also write the heat-map picture to FILE ("-": standard
//                 output, when the report goes to a file)
//   --players N   the picture's table size, 2 to 10, default 10 (with --svg)
//   --hole-cards all|0|1|2   the picture's section, default all (with --svg)
//   -h, --help    --version
// --help, then --version, win over every value. False, with a one-line
// message in `error`, on anything else: an option given twice, --players or
// --hole-cards without --svg, both outputs on standard output, or -o and
// --svg naming the same path (as text; main() also compares existing files).
bool ParseReportCommandLine(std::span<const std::string_view> args, ReportCommand& command,
                            std::string& error);

// The text of --help and of --version.
std::string ReportUsage();
std::string ReportVersion();

// The default number of worker threads: the processors available, at least 1.
int DefaultReportThreads();

} // namespace quillory
