#include "ui/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSettings>
#include <atomic>
#include <cstdio>
#include <limits>

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

// Says once per run, on standard error, why the settings are left alone.
void NoteOnce(const QString& text) {
    static std::atomic<bool> said{false};
    if (!said.exchange(true)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(text));
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
    if (!lock.tryLock(kProfileLockTimeout)) {
        NoteOnce(QStringLiteral("the settings were not saved: ") + LockFailure(lock, lockPath));
        return false;
    }
    return true;
}

} // namespace

QString ProfileFilePath() {
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

ProfileStore CheckProfileStore() {
    const QString file = ProfileFilePath();
    if (file.isEmpty() || IsRegularOrMissing(file, Links::Follow)) {
        return ProfileStore::Usable;
    }
    NoteOnce(QStringLiteral("\"%1\" is not a regular file; the default settings are used and "
                            "not saved")
                 .arg(QDir::toNativeSeparators(file)));
    return ProfileStore::Unusable;
}

void SetRegistryKey(const QString& company) {
    QCoreApplication::setOrganizationName(company);
    const QString program = QCoreApplication::applicationFilePath();
    if (!program.isEmpty()) {
        QCoreApplication::setApplicationName(QFileInfo(program).completeBaseName());
    }
}

std::int32_t GetProfileInt(const QString& section, const QString& entry,
                           std::int32_t defaultValue) {
    if (CheckProfileStore() == ProfileStore::Unusable) {
        return defaultValue;
    }
    QSettings store = OpenStore(ProfileFilePath());
    const QVariant value = store.value(section + QLatin1Char('/') + entry);
    if (!value.isValid()) {
        return defaultValue;
    }
    bool ok = false;
    const QString text = value.toString().trimmed();
    const qlonglong number = text.toLongLong(&ok, 10);
    if (!ok) {
        // Beyond 64 bits, but still all digits: saturate like the 64-bit case.
        static const QRegularExpression kDigits(QStringLiteral("^[+-]?[0-9]+$"));
        if (!kDigits.match(text).hasMatch()) {
            return defaultValue;
        }
        return text.startsWith(QLatin1Char('-')) ? std::numeric_limits<std::int32_t>::min()
                                                 : std::numeric_limits<std::int32_t>::max();
    }
    if (number > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (number < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(number);
}

bool WriteProfileInts(const QString& section,
                      std::initializer_list<std::pair<QString, std::int32_t>> values) {
    if (CheckProfileStore() == ProfileStore::Unusable) {
        return false;
    }
    const QString file = ProfileFilePath();
    if (!file.isEmpty() && !LockIsFree(file)) {
        return false;
    }
    QSettings store = OpenStore(file);
    for (const auto& [entry, value] : values) {
        store.setValue(section + QLatin1Char('/') + entry, value);
    }
    store.sync();
    if (store.status() == QSettings::AccessError) {
        NoteOnce(
            QStringLiteral("the settings were not saved: cannot write \"%1\": permission denied")
                .arg(QDir::toNativeSeparators(store.fileName())));
    }
    return store.status() == QSettings::NoError;
}

bool WriteProfileInt(const QString& section, const QString& entry, std::int32_t value) {
    return WriteProfileInts(section, {{entry, value}});
}

} // namespace quillory
