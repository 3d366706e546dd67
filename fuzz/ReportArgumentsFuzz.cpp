// quillory-report's command line: any arguments either parse into options
// within their documented limits or fail with a message.
#include "CommandLine.h"
#include "FuzzArguments.h"

#include <string_view>

using quillory::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = quillory::fuzz::SplitArguments(data, size);
    const std::vector<std::string_view> views(args.begin(), args.end());
    quillory::ReportCommand command;
    std::string error;
    if (!quillory::ParseReportCommandLine(views, command, error)) {
        Require(!error.empty());
        return 0;
    }
    const quillory::SimulationOptions& options = command.options;
    Require(options.deals >= 0 && options.deals <= quillory::kMaxReportDeals);
    Require(options.threads >= 1 && options.threads <= quillory::kMaxReportThreads);
    return 0;
}
