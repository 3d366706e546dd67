#include "report/ReportFormat.h"

#include <charconv>

namespace quillory {

namespace {

void AppendInteger(std::string& out, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

} // namespace

void AppendReportCell(std::string& out, std::int64_t lost, std::int64_t occurred) {
    if (occurred == 0) {
        out += "---.--,";
        return;
    }
    // Fixed notation with two decimals, rounded as printf("%.2f") rounds, but
    // always with a decimal point whatever locale the program runs in.
    const double rate = 100.0 * static_cast<double>(lost) / static_cast<double>(occurred);
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, rate, std::chars_format::fixed, 2);
    out.append(buffer, result.ptr);
    out += ',';
    AppendInteger(out, lost);
    out += ',';
    AppendInteger(out, occurred);
    out += ',';
}

std::string FormatReport(const HandStatistics& statistics) {
    std::string text;
    text.reserve(96 * 1024);
    for (int holeUsed = 0; holeUsed < kHoleCounts; ++holeUsed) {
        AppendInteger(text, holeUsed);
        text += " cards used from my dealt\n";
        for (int group = 0; group < 9; ++group) {
            const int category = 8 - group;
            text += kReportGroupLabels[static_cast<std::size_t>(group)];
            text += '\n';
            for (int row = 0; row < 13; ++row) {
                const int rank = LeadingRankOfRow(row);
                for (int n = kMinTableSize; n <= kMaxTableSize; ++n) {
                    AppendReportCell(text, statistics.Lost(category, holeUsed, n, rank),
                                     statistics.Occurred(category, holeUsed, n, rank));
                }
                text += '\n';
            }
        }
    }
    return text;
}

} // namespace quillory
