#include "ui/HandStatisticsExport.h"

#include "platform/ModalSeam.h"
#include "report/HandStatistics.h"
#include "report/ReportFormat.h"

#include <QDir>
#include <QLocale>
#include <QSaveFile>
#include <QThread>
#include <exception>
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
        ChooseSaveFile(owner, SaveFileRequest{QStringLiteral("Save Hand Statistics")});
    if (path.isEmpty()) {
        return StatisticsExportOutcome::NoPath;
    }

    // The temporary file is created now, so an impossible path is known before
    // the simulation; the target changes only at commit().
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return Fail(owner, path, file.errorString());
    }

    auto statistics = std::make_unique<HandStatistics>();
    SimulationOptions simulation;
    simulation.deals = options.deals;
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
        file.cancelWriting();
        return Fail(owner, path, QString::fromLocal8Bit(error.what()));
    }
    if (!completed) {
        file.cancelWriting();
        return StatisticsExportOutcome::Cancelled;
    }

    const std::string text = FormatReport(*statistics);
    const auto size = static_cast<qint64>(text.size());
    if (file.write(text.data(), size) != size || !file.commit()) {
        return Fail(owner, path, file.errorString());
    }
    if (options.result != nullptr) {
        *options.result = *statistics;
    }
    return StatisticsExportOutcome::Written;
}

} // namespace quillory
