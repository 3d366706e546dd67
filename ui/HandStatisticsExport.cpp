#include "ui/HandStatisticsExport.h"

#include "files/AtomicFile.h"
#include "report/HandStatistics.h"
#include "report/ReportFormat.h"
#include "ui/ModalSeam.h"
#include "ui/SystemPath.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QThread>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>

namespace quillory {
namespace {

StatisticsExportOutcome Fail(QWidget* owner, const QString& path, const QString& reason) {
    ShowMessageBox(owner, SaveFailureMessage(path, reason), MessageIcon::Warning);
    return StatisticsExportOutcome::Failed;
}

QString ReasonText(const AtomicFile& file) {
    return QString::fromLocal8Bit(file.Reason());
}

// Text mode: the platform's line ends.
std::string WithLineEnds(std::string text) {
#ifdef _WIN32
    std::string converted;
    converted.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') {
            converted += '\r';
        }
        converted += c;
    }
    return converted;
#else
    return text;
#endif
}

QString DealsLabel(std::int64_t deals) {
    return QStringLiteral("Dealing %1 hands for the hand statistics...")
        .arg(QLocale(QLocale::English).toString(static_cast<qlonglong>(deals)));
}

} // namespace

QString SaveFailureMessage(const QString& path, const QString& reason) {
    return QStringLiteral("The hand statistics could not be saved to \"%1\".\n\n%2")
        .arg(QDir::toNativeSeparators(path), reason);
}

StatisticsExportOutcome SaveHandStatistics(QWidget* owner, const StatisticsExportOptions& options) {
    const QString path =
        ChooseSaveFile(owner, SaveFileRequest{QStringLiteral("Save Hand Statistics")});
    if (path.isEmpty()) {
        return StatisticsExportOutcome::NoPath;
    }

    // The target is opened now (and a temporary file created beside a regular
    // file), so an impossible path is known before the simulation.
    AtomicFile file(SystemPath(path), FifoWithoutReader::Fail);
    if (!file.Open()) {
        return Fail(owner, path, ReasonText(file));
    }

    auto statistics = std::make_unique<HandStatistics>();
    SimulationOptions simulation;
    simulation.deals = options.deals;
    simulation.ticks = options.ticks;
    simulation.threads = options.threads > 0 ? options.threads : QThread::idealThreadCount();
    bool completed = false;
    try {
        TaskProgressDialog progress(owner, DealsLabel(options.deals));
        completed = progress.Run(
            [&simulation, &statistics](const TaskProgressDialog::Progress& report) {
                SimulationOptions run = simulation;
                run.progress = report;
                return SimulateDeals(run, *statistics);
            },
            options.progressDelay);
    } catch (const std::exception& error) {
        file.Discard();
        return Fail(owner, path, QString::fromLocal8Bit(error.what()));
    }
    if (!completed) {
        file.Discard();
        return StatisticsExportOutcome::Cancelled;
    }

    if (!file.Write(WithLineEnds(FormatReport(*statistics))) || !file.Commit()) {
        return Fail(owner, path, ReasonText(file));
    }
    if (options.result != nullptr) {
        *options.result = *statistics;
    }
    return StatisticsExportOutcome::Written;
}

} // namespace quillory
