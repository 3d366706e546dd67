#include "ui/HandStatisticsExport.h"

#include "report/HandStatistics.h"
#include "report/ReportExport.h"
#include "report/ReportFormat.h"
#include "res/Strings.h"
#include "ui/ModalSeam.h"
#include "ui/SystemPath.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <exception>
#include <filesystem>
#include <functional>
#include <future>
#include <limits>
#include <memory>
#include <string>

namespace quillory {
namespace {

// Says that the report cannot be saved to `path`, and why.
StatisticsExportOutcome Fail(QWidget* owner, const QString& path, const QString& reason) {
    ShowMessageBox(owner,
                   QStringLiteral("The hand statistics could not be saved to \"%1\".\n\n%2")
                       .arg(QDir::toNativeSeparators(path), reason),
                   MessageIcon::Warning);
    return StatisticsExportOutcome::Failed;
}

// Runs `task` on a worker thread and returns once it has ended; its
// exception, if any, passes through. A task still running after `delay` gets
// the progress window, which follows the callback's (done, total) and whose
// cancel makes the callback return false.
void RunWithProgress(QWidget* owner, const QString& label, std::chrono::milliseconds delay,
                     const std::function<void(const ProgressCallback&)>& task) {
    std::atomic<bool> cancelled{false};
    std::atomic<std::int64_t> done{0};
    std::atomic<std::int64_t> total{0};
    const ProgressCallback progress = [&](std::int64_t finished, std::int64_t all) {
        done.store(finished, std::memory_order_relaxed);
        total.store(all, std::memory_order_relaxed);
        return !cancelled.load(std::memory_order_relaxed);
    };
    std::future<void> worker = std::async(std::launch::async, [&] { task(progress); });
    const auto running = [&worker] {
        return worker.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
    };
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    worker.wait_for(delay);
    QGuiApplication::restoreOverrideCursor();
    if (running()) {
        QProgressDialog dialog(label, QStringLiteral("Cancel"), 0, 100, owner);
        dialog.setWindowTitle(QString::fromUtf8(res::kMessageTitle));
        dialog.setAutoClose(false);
        dialog.setAutoReset(false);
        dialog.setMinimumDuration(std::numeric_limits<int>::max()); // shown by the modal run only
        const auto update = [&] {
            const std::int64_t all = total.load(std::memory_order_relaxed);
            dialog.setValue(all > 0 ? static_cast<int>(done.load() * 100 / all) : 0);
            if (!running()) {
                dialog.done(QDialog::Accepted);
            }
        };
        QTimer poll;
        poll.setInterval(50);
        QObject::connect(&poll, &QTimer::timeout, &dialog, update);
        update();
        if (dialog.result() != QDialog::Accepted) {
            poll.start();
            RunModalDialog(dialog);
            poll.stop();
        }
        if (dialog.result() != QDialog::Accepted) {
            cancelled.store(true); // Cancel, or a seam that returned without an end
        }
    }
    worker.get();
}

QString DealsLabel(std::int64_t deals) {
    return QStringLiteral("Dealing %1 hands for the hand statistics...")
        .arg(QLocale(QLocale::English).toString(static_cast<qlonglong>(deals)));
}

} // namespace

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
        RunWithProgress(owner, DealsLabel(options.deals), options.progressDelay,
                        [&](const ProgressCallback& report) {
                            SimulationOptions run = simulation;
                            run.progress = report;
                            result = ExportReportFile(SystemPath(path), run, target);
                        });
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
