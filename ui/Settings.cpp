#include "ui/Settings.h"

#include "files/SettingsFileGuard.h"
#include "platform/MessageText.h"
#include "platform/NumberText.h"
#include "trainer/Trainer.h"
#include "ui/SystemPath.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <atomic>
#include <cstdio>
#include <string>

namespace quillory {
namespace {

// Says once per run, on standard error, why the settings are left alone. The
// text names a path that comes from the environment (XDG_CONFIG_HOME, HOME),
// so its control characters are escaped as those of typed arguments are.
void NoteOnce(const std::string& text) {
    static std::atomic<bool> said{false};
    if (!said.exchange(true)) {
        const QString line = QCoreApplication::applicationName() + QStringLiteral(": ") +
                             QString::fromStdString(text);
        std::fprintf(stderr, "%s\n", PrintableText(line.toLocal8Bit().toStdString()).c_str());
    }
}

// The file that was checked, or the store of the owner's names (the default
// format and the user's scope) where the settings are not a file.
QSettings OpenStore(const QString& file) {
    return file.isEmpty() ? QSettings() : QSettings(file, QSettings::defaultFormat());
}

// QSettings waits for its lock file without end. Taking the lock once here,
// with a time limit, first makes sure that it can be had; QSettings then
// takes it again at once. A lock that is not a regular file (a folder, a
// FIFO, a link) is never waited for at all. QLockFile is kept for this, and
// not a lock of our own: only the same lock protocol as QSettings' (its
// stale-lock rules included) sees the lock that QSettings takes.
bool LockIsFree(const QString& file) {
    if (const auto fault = PrepareSettingsWrite(SystemPath(file))) {
        NoteOnce(*fault);
        return false;
    }
    QLockFile lock(file + QStringLiteral(".lock"));
    if (lock.tryLock(kSettingsLockTimeout)) {
        return true;
    }
    // Why the lock could not be had, as the lock reports it: held by another
    // program, or not creatable where it belongs (a read-only folder).
    const QLockFile::LockError error = lock.error();
    const SettingsWriteFailure failure =
        error == QLockFile::LockFailedError   ? SettingsWriteFailure::LockHeld
        : error == QLockFile::PermissionError ? SettingsWriteFailure::LockDenied
                                              : SettingsWriteFailure::LockNotCreated;
    NoteOnce(SettingsNotSavedNote(failure, SystemPath(file)));
    return false;
}

} // namespace

QString SettingsFilePath() {
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    // The registry and the preferences system are no files of ours.
    if (QSettings::defaultFormat() == QSettings::NativeFormat) {
        return {};
    }
#endif
    // QSettings keeps the folder of its per-user files to itself (a test may
    // move it with setPath). A store named after nothing that exists shows
    // that folder and the file ending without opening any file of ours.
    const QSettings probe(
        QSettings::defaultFormat(), QSettings::UserScope,
        QStringLiteral("quillory-settings-probe-%1").arg(QCoreApplication::applicationPid()));
    const QFileInfo probeFile(probe.fileName());
    return probeFile.path() + QLatin1Char('/') + QCoreApplication::organizationName() +
           QLatin1Char('/') + QCoreApplication::applicationName() + QLatin1Char('.') +
           probeFile.suffix();
}

void SetSettingsOwner(const QString& company) {
    QCoreApplication::setOrganizationName(company);
    const QString program = QCoreApplication::applicationFilePath();
    if (!program.isEmpty()) {
        QCoreApplication::setApplicationName(QFileInfo(program).completeBaseName());
    }
}

namespace {

constexpr auto kPracticeModeKey = "Setting/Demonstration";
constexpr auto kPlayersKey = "Setting/NumPlayers";

// A stored whole number, saturated to the 32-bit range; the default for
// anything else.
std::int32_t ReadInt(const QSettings& store, const char* key, std::int32_t defaultValue) {
    const QString text = store.value(QLatin1String(key)).toString().trimmed();
    return ReadStoredInteger(text.toStdString()).value_or(defaultValue);
}

} // namespace

void TrainerSettingsStore::Load() {
    m_loaded = true;
    const QString file = SettingsFilePath();
    const auto fault = SettingsFileFault(SystemPath(file));
    m_usable = !fault;
    if (fault) {
        NoteOnce(*fault);
        m_trainer.RestoreSettings({});
        return;
    }
    const QSettings store = OpenStore(file);
    m_trainer.RestoreSettings(
        {ReadInt(store, kPracticeModeKey, 1), ReadInt(store, kPlayersKey, 4)});
}

void TrainerSettingsStore::Save() {
    if (!m_loaded || m_saved) {
        return;
    }
    m_saved = true;
    if (!m_usable) {
        return;
    }
    const QString file = SettingsFilePath();
    if (!file.isEmpty() && !LockIsFree(file)) {
        return;
    }
    QSettings store = OpenStore(file);
    const TrainerSettings settings = m_trainer.SettingsToStore();
    store.setValue(QLatin1String(kPracticeModeKey), settings.practiceMode);
    store.setValue(QLatin1String(kPlayersKey), settings.players);
    store.sync();
    if (store.status() == QSettings::AccessError) {
        NoteOnce(
            SettingsNotSavedNote(SettingsWriteFailure::FileDenied, SystemPath(store.fileName())));
    }
}

} // namespace quillory
