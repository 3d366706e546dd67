#pragma once

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
    std::string error{};
};

// Simulates the deals and writes the report to `path` ("\n" line ends)
// through AtomicFile. The path is opened before the simulation starts, so an
// unwritable path fails at once; an existing regular file is only ever
// replaced (or, with several hard links, overwritten) by a complete report,
// and on cancellation or any failure it stays as it was and no temporary file
// remains. A device, FIFO or pipe receives the report directly.
ExportResult ExportReportFile(const std::filesystem::path& path, const SimulationOptions& options);

} // namespace quillory
