#include "ui/HandStatisticsExport.h"

#include "report/ReportExport.h"
#include "res/ResourceIds.h"
#include "ui/ModalSeam.h"
#include "ui/SystemPath.h"

#include <QDir>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QLocale>
#include <QProgressDialog>
#include <QPromise>
#include <QThread>
#include <exception>
#include <functional>
#include <future>
#include <limits>

namespace quillory {
namespace {

// Runs `task` on a worker thread and returns once it has ended; its
// exception, if any, passes through. A task still running after `delay` gets
// the progress window, which follows the callback's (done, total) and ends by
// itself when the task ends; its cancel, or a modal run that returns without
// that end, makes the callback return false.
void RunWithProgress(QWidget* owner, const QString& label, std::chrono::milliseconds delay,
                     const std::function<void(const ProgressCallback&)>& task) {
    QPromise<void> promise;
    QFuture<void> future = promise.future();
    std::future<void> worker = std::async(std::launch::async, [&task, &promise] {
        // Moved here so that the future ends with the task: finished below, or
        // cancelled and finished by the destructor when the task throws.
        QPromise<void> running = std::move(promise);
        running.start(); // a started future tells a late watcher its progress
        running.setProgressRange(0, 100);
        task([&running](std::int64_t done, std::int64_t total) {
            running.setProgressValue(total > 0 ? static_cast<int>(done * 100 / total) : 0);
            return !running.isCanceled();
        });
        running.finish();
    });
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const std::future_status waited = worker.wait_for(delay);
    QGuiApplication::restoreOverrideCursor();
    if (waited != std::future_status::ready) {
        QProgressDialog dialog(label, QStringLiteral("Cancel"), 0, 100, owner);
        dialog.setWindowTitle(QString::fromUtf8(res::kMessageTitle));
        dialog.setAutoReset(false); // keeps 100 % showing at the end
        dialog.setMinimumDuration(std::numeric_limits<int>::max()); // shown by the modal run only
        QFutureWatcher<void> watcher;
        QObject::connect(&watcher, &QFutureWatcherBase::progressValueChanged, &dialog,
                         &QProgressDialog::setValue);
        QObject::connect(&watcher, &QFutureWatcherBase::finished, &dialog,
                         [&dialog] { dialog.done(QDialog::Accepted); });
        watcher.setFuture(future); // a future already finished says so at once
        if (RunModalDialog(dialog) != QDialog::Accepted) {
            future.cancel(); // Cancel, or a seam that returned without an end
        }
    }
    worker.get();
}

} // namespace

StatisticsExportOutcome SaveHandStatistics(QWidget* owner, const StatisticsExportOptions& options) {
    const QString path =
        ChooseSaveFile(owner, SaveFileRequest{QStringLiteral("Save Hand Statistics"),
                                              QStringLiteral("hand-statistics.txt")});
    if (path.isEmpty()) {
        return StatisticsExportOutcome::NoPath;
    }

    SimulationOptions simulation{.deals = options.deals,
                                 .ticks = options.ticks,
                                 .threads = options.threads > 0 ? options.threads
                                                                : QThread::idealThreadCount()};
    // The same export as quillory-report's, with the platform's line ends, a
    // FIFO without a reader refused at once, and the progress window's
    // callback. The target is opened before the simulation, so an impossible
    // path is reported at once.
    ExportTarget target{FifoWithoutReader::Fail, LineEnds::Platform, options.result};
    ExportResult result;
    try {
        const QString label =
            QStringLiteral("Dealing %1 hands for the hand statistics...")
                .arg(QLocale(QLocale::English).toString(static_cast<qlonglong>(options.deals)));
        RunWithProgress(owner, label, options.progressDelay, [&](const ProgressCallback& report) {
            simulation.progress = report;
            result = ExportReportFile(SystemPath(path), simulation, target);
        });
    } catch (const std::exception& error) {
        result = ExportResult{ExportStatus::Failed, {}, error.what()};
    }
    if (result.status == ExportStatus::Failed) {
        ShowMessageBox(
            owner,
            QStringLiteral("The hand statistics could not be saved to \"%1\".\n\n%2")
                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(result.reason)),
            MessageIcon::Warning);
        return StatisticsExportOutcome::Failed;
    }
    return result.status == ExportStatus::Written ? StatisticsExportOutcome::Written
                                                  : StatisticsExportOutcome::Cancelled;
}

} // namespace quillory
