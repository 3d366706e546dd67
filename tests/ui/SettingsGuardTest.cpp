// The window when its settings file is not what it seems: a FIFO in place of
// the file, a folder in place of its lock, and a lock that another program
// keeps. The window must start with the defaults, close without hanging, and
// leave whatever stands at those paths as it was. Which nodes are refused,
// and the notes, are tested with the checks themselves
// (tests/files/SettingsFileGuardTest.cpp). Every node is made in this test
// program's temporary settings folder.
#include "res/ResourceIds.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/Settings.h"
#include "ui/TrainerDialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLockFile>
#include <QSettings>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace quillory;
using testing::TemporarySettings;

namespace {

const QString kPlayersKey = QStringLiteral("Setting/NumPlayers");

// Frees the code under test if it ever blocks on a FIFO or a lock: past a
// generous delay it runs `release` every 100 ms until Finish(), and Finish()
// then reports that it had to.
class HangGuard {
public:
    explicit HangGuard(std::function<void()> release)
        : m_thread([this, release = std::move(release)] {
              std::unique_lock lock(m_mutex);
              if (m_wake.wait_for(lock, std::chrono::seconds(15), [this] { return m_finished; })) {
                  return;
              }
              m_fired = true;
              while (!m_wake.wait_for(lock, std::chrono::milliseconds(100),
                                      [this] { return m_finished; })) {
                  release();
              }
          }) {}
    ~HangGuard() { Finish(); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;

    // True when the code under test never needed freeing.
    bool Finish() {
        {
            const std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_wake.notify_all();
        if (m_thread.joinable()) {
            m_thread.join();
        }
        return !m_fired;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_finished{};
    bool m_fired{};
    std::thread m_thread;
};

// The settings file of this test program, which must lie in its temporary
// folder: nothing here may ever make a node anywhere else.
QString SettingsFile() {
    const QString file = SettingsFilePath();
    if (!file.startsWith(QDir::tempPath() + QLatin1Char('/'))) {
        qFatal("the settings file %s is not in the temporary folder", qPrintable(file));
    }
    return file;
}

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

// Opens and closes a FIFO's writing end, which ends a reader's wait.
void WakeFifoReader(const QString& path) {
#ifndef _WIN32
    const int fd = ::open(Native(path).constData(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) {
        ::close(fd);
    }
#else
    Q_UNUSED(path);
#endif
}

void RemoveAnything(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymbolicLink()) {
        QDir(path).removeRecursively();
    } else {
        QFile::remove(path);
    }
}

// Opens the window, changes the player count, closes it; the count it read.
int OpenChangeAndClose(int players) {
    CTrainerDialog dialog;
    dialog.Create();
    const int read = dialog.State().m_nPlayers;
    testing::Control<QLineEdit>(dialog, res::trainer::kPlayers)->setText(QString::number(players));
    dialog.close();
    return dialog.IsEnded() ? read : -1;
}

} // namespace

class SettingsGuardTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        testing::Seam().Reset();
        RemoveAnything(SettingsFile());
        RemoveAnything(SettingsFile() + QStringLiteral(".lock"));
        TemporarySettings::Clear();
    }

    void theCheckedFileIsTheOneTheStoreUses() {
        TemporarySettings::Write(kPlayersKey, 6);
        QCOMPARE(SettingsFile(), QSettings().fileName());
        QCOMPARE(OpenChangeAndClose(8), 6);
        QCOMPARE(TemporarySettings::Read(kPlayersKey).toInt(), 8);
    }

#ifndef _WIN32
    void aFifoInPlaceOfTheFileIsNeitherReadNorReplaced() {
        const QString file = SettingsFile();
        QDir().mkpath(QFileInfo(file).absolutePath());
        QCOMPARE(::mkfifo(Native(file).constData(), 0600), 0);
        struct stat before {};
        QCOMPARE(::lstat(Native(file).constData(), &before), 0);

        HangGuard guard([file] { WakeFifoReader(file); });
        const int read = OpenChangeAndClose(7);
        QVERIFY2(guard.Finish(), "the window blocked on the settings file");
        QCOMPARE(read, 4); // the default count

        struct stat after {};
        QCOMPARE(::lstat(Native(file).constData(), &after), 0);
        QVERIFY(S_ISFIFO(after.st_mode));
        QCOMPARE(after.st_ino, before.st_ino);
        RemoveAnything(file);
    }
#endif

    void aLockThatCannotBeTakenIsGivenUp() {
        TemporarySettings::Write(kPlayersKey, 5);
        const QString lockPath = SettingsFile() + QStringLiteral(".lock");

        // A lock that a running program (this one) keeps is given up after a
        // second. (A lock that is not a file is refused before any wait: the
        // file guard's own test.)
        {
            QLockFile held(lockPath);
            QVERIFY(held.tryLock());
            HangGuard guard([lockPath] { QFile::remove(lockPath); });
            QCOMPARE(OpenChangeAndClose(8), 5);
            QVERIFY2(guard.Finish(), "closing the window waited for the held lock");
        }
        QCOMPARE(TemporarySettings::Read(kPlayersKey).toInt(), 5);

        // Once the lock is free, closing stores the settings again.
        QCOMPARE(OpenChangeAndClose(9), 5);
        QCOMPARE(TemporarySettings::Read(kPlayersKey).toInt(), 9);
    }
};

QUILLORY_UI_TEST_MAIN(SettingsGuardTest)
#include "SettingsGuardTest.moc"
