#include "report/ReportExport.h"

#include "files/AtomicFile.h"
#include "report/ReportFormat.h"

namespace quillory {

ExportResult ExportReportFile(const std::filesystem::path& path, const SimulationOptions& options) {
    AtomicFile file(path);
    if (!file.Open()) {
        return {ExportStatus::Failed, file.Error()};
    }
    HandStatistics statistics;
    if (!SimulateDeals(options, statistics)) {
        file.Discard();
        return {ExportStatus::Cancelled, {}};
    }
    if (!file.Write(FormatReport(statistics)) || !file.Commit()) {
        return {ExportStatus::Failed, file.Error()};
    }
    return {ExportStatus::Written, {}};
}

} // namespace quillory
