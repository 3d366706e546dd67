#pragma once

#include "files/AtomicFile.h"
#include "report/Simulation.h"

#include <filesystem>
#include <string>

namespace quillory {

enum class ExportStatus {
    Written,   // the file now holds the complete report
    Cancelled, // the progress callback cancelled the run; nothing was written
    Failed,    // the file could not be written; the error names path and reason
};

struct ExportResult {
    ExportStatus status{ExportStatus::Failed};
    std::string error{};  // the path and the reason
    std::string reason{}; // the reason alone, for a message that shows the path itself
};

// Line ends of the written report: "\n" as the report is made, or the
// platform's text-file line ends ("\r\n" on Windows, "\n" elsewhere).
enum class LineEnds { Newline, Platform };

// How the report is written beyond the path: what a FIFO without a reader
// does (a window must not wait on one), the line ends, and where the
// counters of a written report go (none: they are dropped).
struct ExportTarget {
    FifoWithoutReader fifo{FifoWithoutReader::Wait};
    LineEnds lineEnds{LineEnds::Newline};
    HandStatistics* counters{};
};

// Simulates the deals and writes the report to `path` ("\n" line ends)
// through AtomicFile. The path is opened before the simulation starts, so an
// unwritable path fails at once; an existing regular file is only ever
// replaced (or, with several hard links, overwritten) by a complete report,
// and on cancellation or any failure it stays as it was and no temporary file
// remains. A device, FIFO or pipe receives the report directly. The
// simulation reports its progress through options.progress, which can cancel
// it. The one export path of quillory-report and the window.
ExportResult ExportReportFile(const std::filesystem::path& path, const SimulationOptions& options,
                              const ExportTarget& target = {});

} // namespace quillory
