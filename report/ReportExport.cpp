#include "report/ReportExport.h"

#include "files/AtomicFile.h"
#include "report/ReportFormat.h"

#include <memory>

namespace quillory {

namespace {

std::string WithLineEnds(std::string text, LineEnds lineEnds) {
#ifdef _WIN32
    if (lineEnds == LineEnds::Platform) {
        std::string converted;
        converted.reserve(text.size() + text.size() / 16);
        for (const char c : text) {
            if (c == '\n') {
                converted += '\r';
            }
            converted += c;
        }
        return converted;
    }
#else
    (void)lineEnds;
#endif
    return text;
}

} // namespace

ExportResult ExportReportFile(const std::filesystem::path& path, const SimulationOptions& options,
                              const ExportTarget& target) {
    AtomicFile file(path, target.fifo);
    if (!file.Open()) {
        return {ExportStatus::Failed, file.Error(), file.Reason()};
    }
    auto statistics = std::make_unique<HandStatistics>();
    if (!SimulateDeals(options, *statistics)) {
        file.Discard();
        return {ExportStatus::Cancelled, {}, {}};
    }
    if (!file.Write(WithLineEnds(FormatReport(*statistics), target.lineEnds)) || !file.Commit()) {
        return {ExportStatus::Failed, file.Error(), file.Reason()};
    }
    if (target.counters != nullptr) {
        *target.counters = *statistics;
    }
    return {ExportStatus::Written, {}, {}};
}

} // namespace quillory
