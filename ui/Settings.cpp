#include "ui/Settings.h"

#include "platform/MessageText.h"
#include "platform/NumberText.h"
#include "trainer/Trainer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <atomic>
#include <cstdio>

namespace quillory {
namespace {

// Whether the store is a file that this program opens (QSettings' ini files)
// rather than a system service.
bool StoreIsFile() {
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    return QSettings::defaultFormat() != QSettings::NativeFormat;
#else
    return true;
#endif
}

enum class Links { Follow, Refuse };

// True for a regular file, and for nothing at all (not even a dangling link).
bool IsRegularOrMissing(const QString& path, Links links) {
    const QFileInfo info(path);
    if (info.isSymbolicLink()) {
        return links == Links::Follow && info.exists() && info.isFile();
    }
    return !info.exists() || info.isFile();
}

// Says once per run, on standard error, why the settings are left alone. The
// text names a path that comes from the environment (XDG_CONFIG_HOME, HOME),
// so its control characters are escaped as those of typed arguments are.
void NoteOnce(const QString& text) {
    static std::atomic<bool> said{false};
    if (!said.exchange(true)) {
        const QString line = QCoreApplication::applicationName() + QStringLiteral(": ") + text;
        std::fprintf(stderr, "%s\n", PrintableText(line.toLocal8Bit().toStdString()).c_str());
    }
}

QSettings OpenStore(const QString& file) {
    if (!file.isEmpty()) {
        return QSettings(file, QSettings::defaultFormat());
    }
    return QSettings(QSettings::defaultFormat(), QSettings::UserScope,
                     QCoreApplication::organizationName(), QCoreApplication::applicationName());
}

// Why the lock could not be had, as the lock reports it: held by another
// program, or not creatable where it belongs (a read-only folder).
QString LockFailure(const QLockFile& lock, const QString& lockPath) {
    const QString path = QDir::toNativeSeparators(lockPath);
    switch (lock.error()) {
    case QLockFile::LockFailedError:
        return QStringLiteral("\"%1\" stayed locked").arg(path);
    case QLockFile::PermissionError:
        return QStringLiteral("cannot create \"%1\": permission denied").arg(path);
    default:
        return QStringLiteral("cannot create \"%1\"").arg(path);
    }
}

// QSettings waits for its lock file without end. Taking the lock once here,
// with a time limit, first makes sure that it can be had; QSettings then
// takes it again at once. A lock that is not a regular file (a folder, a
// FIFO, a link) is never waited for at all.
bool LockIsFree(const QString& file) {
    const QString lockPath = file + QStringLiteral(".lock");
    if (!IsRegularOrMissing(lockPath, Links::Refuse)) {
        NoteOnce(QStringLiteral("the settings were not saved: \"%1\" is not a regular file")
                     .arg(QDir::toNativeSeparators(lockPath)));
        return false;
    }
    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder)) {
        NoteOnce(QStringLiteral("the settings were not saved: cannot create the folder \"%1\"")
                     .arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    QLockFile lock(lockPath);
    if (!lock.tryLock(kSettingsLockTimeout)) {
        NoteOnce(QStringLiteral("the settings were not saved: ") + LockFailure(lock, lockPath));
        return false;
    }
    return true;
}

} // namespace

QString SettingsFilePath() {
    if (!StoreIsFile()) {
        return {};
    }
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

SettingsStore CheckSettingsFile() {
    const QString file = SettingsFilePath();
    if (file.isEmpty() || IsRegularOrMissing(file, Links::Follow)) {
        return SettingsStore::Usable;
    }
    NoteOnce(QStringLiteral("\"%1\" is not a regular file; the default settings are used and "
                            "not saved")
                 .arg(QDir::toNativeSeparators(file)));
    return SettingsStore::Unusable;
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
    m_usable = CheckSettingsFile() == SettingsStore::Usable;
    if (!m_usable) {
        m_trainer.RestoreSettings({});
        return;
    }
    const QSettings store = OpenStore(SettingsFilePath());
    m_trainer.RestoreSettings(
        {ReadInt(store, kPracticeModeKey, 1), ReadInt(store, kPlayersKey, 4)});
}

void TrainerSettingsStore::Save() {
    if (!m_loaded || m_saved) {
        return;
    }
    m_saved = true;
    if (!m_usable || CheckSettingsFile() == SettingsStore::Unusable) {
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
            QStringLiteral("the settings were not saved: cannot write \"%1\": permission denied")
                .arg(QDir::toNativeSeparators(store.fileName())));
    }
}

} // namespace quillory
