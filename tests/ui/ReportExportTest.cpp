// The hand-statistics export of the main window: file choice, failures,
// cancelling, the progress window and the file it writes.
#include "platform/TickCount.h"
#include "report/ReportFormat.h"
#include "res/ResourceIds.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/HandStatisticsExport.h"
#include "ui/TrainerDialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <stdexcept>
#include <thread>

using namespace quillory;
using testing::Seam;
using Outcome = StatisticsExportOutcome;

namespace {

constexpr std::uint32_t kTicks = 81234567U;

// A run small enough for a test, with the progress window held back.
StatisticsExportOptions SmallRun(std::int64_t deals = 2000) {
    StatisticsExportOptions options;
    options.deals = deals;
    options.threads = 2;
    options.progressDelay = std::chrono::hours(1);
    return options;
}

// The report the export must write for these deals with the tick count kTicks.
std::string ExpectedReport(std::int64_t deals) {
    SimulationOptions options;
    options.deals = deals;
    options.ticks = SeedSource::Fixed(kTicks);
    options.threads = 1;
    HandStatistics statistics;
    if (!SimulateDeals(options, statistics)) {
        return {};
    }
    return FormatReport(statistics);
}

// The hands counted at two-player tables: the sum of N over the rows' first
// cells ("rate,L,N," or "---.--,"), two per deal.
qlonglong TwoPlayerHands(const QByteArray& report) {
    qlonglong hands = 0;
    for (const QByteArray& line : report.split('\n')) {
        const QList<QByteArray> fields = line.split(',');
        if (fields.size() > 3 && fields[0] != "---.--") {
            hands += fields[2].toLongLong();
        }
    }
    return hands;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteContents(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QStringList Entries(const QTemporaryDir& folder) {
    return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// A script for the progress window that lets the task run to its end.
int WaitForTheEnd(QDialog& dialog) {
    if (!QTest::qWaitFor([&] { return dialog.result() == QDialog::Accepted; }, 20000)) {
        return -1;
    }
    return dialog.result();
}

} // namespace

class ReportExportTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Seam().Reset(); }

    void cleanup() { QCOMPARE(Seam().UnexpectedDialogs(), 0); }

    void cancellingTheFileChoiceEndsSilently() {
        QCOMPARE(SaveHandStatistics(nullptr, SmallRun()), Outcome::NoPath);
        QCOMPARE(Seam().Calls(), 1); // the save dialog, nothing after it
        QVERIFY(Seam().Messages().empty());
    }

    void aPathThatCannotBeCreatedIsReportedAtOnce() {
        QTemporaryDir folder;
        WriteContents(folder.filePath(QStringLiteral("plain")), "x");
        const QString paths[] = {
            folder.filePath(QStringLiteral("missing/stats.txt")),
            folder.filePath(QStringLiteral("plain/stats.txt")), // under a file
            folder.path(),                                      // a folder
        };
        for (const QString& path : paths) {
            Seam().Reset();
            Seam().QueueSavePath(path);
            QCOMPARE(SaveHandStatistics(nullptr, SmallRun()), Outcome::Failed);
            QCOMPARE(Seam().Messages().size(), std::size_t(1));
            const auto& message = Seam().Messages().front();
            QCOMPARE(message.icon, MessageIcon::Warning);
            QVERIFY2(message.text.contains(QDir::toNativeSeparators(path)),
                     qPrintable(message.text));
            // The reason follows the path.
            QVERIFY(message.text.size() > message.text.indexOf(QStringLiteral("\n\n")) + 2);
            QVERIFY(Seam().DialogTitles().empty()); // no progress window: nothing was simulated
        }
        QCOMPARE(Entries(folder), QStringList{QStringLiteral("plain")});
    }

    void cancellingTheProgressWindowWritesNothing() {
        QTemporaryDir folder;
        const QString existing = folder.filePath(QStringLiteral("old.txt"));
        WriteContents(existing, "an older report\n");
        for (const QString& path : {existing, folder.filePath(QStringLiteral("new.txt"))}) {
            Seam().Reset();
            Seam().QueueSavePath(path);
            Seam().QueueDialog([](QDialog& dialog) {
                auto& progress = static_cast<QProgressDialog&>(dialog);
                progress.findChild<QPushButton*>()->click();
                return progress.wasCanceled() ? progress.result() : -1;
            });
            StatisticsExportOptions options = SmallRun(50'000'000); // never ends by itself
            options.progressDelay = std::chrono::milliseconds(0);
            QCOMPARE(SaveHandStatistics(nullptr, options), Outcome::Cancelled);
            QCOMPARE(Seam().DialogTitles().size(), std::size_t(1));
            QVERIFY(Seam().Messages().empty());
        }
        QCOMPARE(Contents(existing), QByteArray("an older report\n"));
        QCOMPARE(Entries(folder), QStringList{QStringLiteral("old.txt")});
    }

    void aProgressWindowThatNobodyEndsCancels() {
        QTemporaryDir folder;
        Seam().QueueSavePath(folder.filePath(QStringLiteral("stats.txt")));
        Seam().QueueDialog([](QDialog&) { return 0; });
        StatisticsExportOptions options = SmallRun(50'000'000);
        options.progressDelay = std::chrono::milliseconds(0);
        QCOMPARE(SaveHandStatistics(nullptr, options), Outcome::Cancelled);
        QVERIFY(Entries(folder).isEmpty());
    }

    // A failure inside the simulation ends the progress window by itself and
    // is said with its reason; the existing file stays as it was.
    void aFailureDuringTheSimulationIsReported() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("stats.txt"));
        WriteContents(path, "an older report\n");
        Seam().QueueSavePath(path);
        int ended = -1;
        Seam().QueueDialog([&ended](QDialog& dialog) { return ended = WaitForTheEnd(dialog); });
        StatisticsExportOptions options = SmallRun();
        options.progressDelay = std::chrono::milliseconds(0);
        options.ticks = SeedSource::Ticks([]() -> std::uint32_t {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            throw std::runtime_error("the clock stopped");
        });
        QCOMPARE(SaveHandStatistics(nullptr, options), Outcome::Failed);
        QCOMPARE(Seam().Calls(), 3); // the save dialog, the progress window, the message
        QCOMPARE(ended, int(QDialog::Accepted));
        QVERIFY(Seam().Messages().front().text.endsWith(QStringLiteral("\n\nthe clock stopped")));
        QCOMPARE(Contents(path), QByteArray("an older report\n"));
        QCOMPARE(Entries(folder), QStringList{QStringLiteral("stats.txt")});
    }

    void theFileHoldsTheReportOfTheSameSeeds() {
        constexpr std::int64_t kDeals = 3000;
        const std::string expected = ExpectedReport(kDeals);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("stats.txt"));
        WriteContents(path, "an older report\n");
        Seam().QueueSavePath(path);
        StatisticsExportOptions options = SmallRun(kDeals);
        options.ticks = SeedSource::Fixed(kTicks);
        QCOMPARE(SaveHandStatistics(nullptr, options), Outcome::Written);
        QVERIFY(Seam().Messages().empty());
        QByteArray written = Contents(path);
#ifdef _WIN32
        written.replace("\r\n", "\n"); // text mode
#endif
        QCOMPARE(static_cast<int>(written.count('\n')), kReportLines);
        QVERIFY(written == QByteArray::fromStdString(expected));
        QCOMPARE(Entries(folder), QStringList{QStringLiteral("stats.txt")});
    }

    void theProgressWindowEndsByItselfWhenTheWorkIsDone() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("stats.txt"));
        Seam().QueueSavePath(path);
        int percent = -1;
        Seam().QueueDialog([&percent](QDialog& dialog) {
            const int result = WaitForTheEnd(dialog);
            percent = static_cast<QProgressDialog&>(dialog).value();
            return result;
        });
        StatisticsExportOptions options = SmallRun(20000);
        options.progressDelay = std::chrono::milliseconds(0);
        QCOMPARE(SaveHandStatistics(nullptr, options), Outcome::Written);
        QCOMPARE(percent, 100);
        QCOMPARE(Seam().Calls(), 2); // the save dialog and the progress window
        QCOMPARE(static_cast<int>(Contents(path).count('\n')), kReportLines);
    }

    void moreExportsTheFullReportFromTheMainWindow() {
        // The window seeds from the system's tick count, so the check is on
        // the size of the run; the bytes of a run with known ticks are
        // checked above.
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("stats.txt"));
        CTrainerDialog window;
        window.Create();
        Seam().QueueSavePath(path);
        Seam().QueueDialog(WaitForTheEnd); // used only if the export takes long
        window.OnMore();
        QVERIFY(Seam().Messages().empty());
        const QByteArray written = Contents(path);
        QCOMPARE(static_cast<int>(written.count('\n')), kReportLines);
        QCOMPARE(TwoPlayerHands(written), 2 * static_cast<qlonglong>(kReportDeals));
        // The button stays as the template made it.
        QVERIFY(window.Item(res::trainer::kMore)->isHidden());
        QVERIFY(!window.Item(res::trainer::kMore)->isEnabled());
        Seam().Reset();
    }

    void twoExportsFromTheClockDiffer() {
        QTemporaryDir folder;
        const QString first = folder.filePath(QStringLiteral("a.txt"));
        const QString second = folder.filePath(QStringLiteral("b.txt"));
        Seam().QueueSavePath(first);
        QCOMPARE(SaveHandStatistics(nullptr, SmallRun()), Outcome::Written);
        QTest::qWait(20); // a later tick count
        Seam().QueueSavePath(second);
        QCOMPARE(SaveHandStatistics(nullptr, SmallRun()), Outcome::Written);
        QCOMPARE(static_cast<int>(Contents(first).count('\n')), kReportLines);
        QCOMPARE(static_cast<int>(Contents(second).count('\n')), kReportLines);
        QVERIFY(Contents(first) != Contents(second));
    }
};

QUILLORY_UI_TEST_MAIN(ReportExportTest)
#include "ReportExportTest.moc"
