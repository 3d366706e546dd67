#include "ui/Profile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <limits>

namespace quillory {
namespace {

QSettings OpenStore() {
    return QSettings(QSettings::defaultFormat(), QSettings::UserScope,
                     QCoreApplication::organizationName(), QCoreApplication::applicationName());
}

} // namespace

void SetRegistryKey(const QString& company) {
    QCoreApplication::setOrganizationName(company);
    const QString program = QCoreApplication::applicationFilePath();
    if (!program.isEmpty()) {
        QCoreApplication::setApplicationName(QFileInfo(program).completeBaseName());
    }
}

std::int32_t GetProfileInt(const QString& section, const QString& entry,
                           std::int32_t defaultValue) {
    QSettings store = OpenStore();
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

bool WriteProfileInt(const QString& section, const QString& entry, std::int32_t value) {
    QSettings store = OpenStore();
    store.setValue(section + QLatin1Char('/') + entry, value);
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace quillory
