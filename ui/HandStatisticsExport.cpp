#include "ui/HandStatisticsExport.h"

#include "report/HandStatistics.h"
#include "report/ReportExport.h"
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
        ChooseSaveFile(owner, SaveFileRequest{QStringLiteral("Save Hand Statistics"),
                                              QStringLiteral("hand-statistics.txt")});
    if (path.isEmpty()) {
        return StatisticsExportOutcome::NoPath;
    }

    SimulationOptions simulation;
    simulation.deals = options.deals;
    simulation.ticks = options.ticks;
    simulation.threads = options.threads > 0 ? options.threads : QThread::idealThreadCount();
    // The same export as quillory-report's, with the platform's line ends, a
    // FIFO without a reader refused at once, and the progress window's
    // callback. The target is opened before the simulation, so an impossible
    // path is reported at once.
    ExportTarget target{FifoWithoutReader::Fail, LineEnds::Platform, options.result};
    ExportResult result;
    try {
        TaskProgressDialog progress(owner, DealsLabel(options.deals));
        progress.Run(
            [&](const TaskProgressDialog::Progress& report) {
                SimulationOptions run = simulation;
                run.progress = report;
                result = ExportReportFile(SystemPath(path), run, target);
                return result.status == ExportStatus::Written;
            },
            options.progressDelay);
    } catch (const std::exception& error) {
        return Fail(owner, path, QString::fromLocal8Bit(error.what()));
    }
    switch (result.status) {
    case ExportStatus::Written:
        return StatisticsExportOutcome::Written;
    case ExportStatus::Cancelled:
        return StatisticsExportOutcome::Cancelled;
    case ExportStatus::Failed:
        break;
    }
    return Fail(owner, path, QString::fromLocal8Bit(result.reason));
}

} // namespace quillory
