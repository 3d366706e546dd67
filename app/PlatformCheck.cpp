#include "app/PlatformCheck.h"

#include "platform/MessageText.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QStringList>

namespace quillory {
namespace {

// The names of the platform plugins in `folder`, read from the plugins'
// metadata without loading them.
void AddPlatformsIn(const QString& folder, QStringList& names) {
    const QDir dir(folder);
    for (const QString& file : dir.entryList(QDir::Files)) {
        if (!QLibrary::isLibrary(file)) {
            continue;
        }
        const QJsonObject meta = QPluginLoader(dir.filePath(file)).metaData();
        if (!meta.value(QStringLiteral("IID")).toString().contains(QStringLiteral("QPA"))) {
            continue;
        }
        const QJsonArray keys = meta.value(QStringLiteral("MetaData"))
                                    .toObject()
                                    .value(QStringLiteral("Keys"))
                                    .toArray();
        for (const QJsonValue& key : keys) {
            const QString name = key.toString().toLower();
            if (!name.isEmpty() && !names.contains(name)) {
                names.append(name);
            }
        }
    }
}

QStringList AvailablePlatforms(const ProgramCommand& command) {
    QStringList folders{QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                        QStringLiteral("/platforms")};
    const QString pluginPath = qEnvironmentVariable("QT_PLUGIN_PATH");
    for (const QString& folder : pluginPath.split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        folders.append(folder + QStringLiteral("/platforms"));
    }
    const QString platformPath = command.platformPluginPath.empty()
                                     ? qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH")
                                     : QString::fromStdString(command.platformPluginPath);
    if (!platformPath.isEmpty()) {
        folders.append(platformPath);
    }
    QStringList names;
    for (const QString& folder : folders) {
        AddPlatformsIn(folder, names);
    }
    names.sort();
    return names;
}

} // namespace

bool CheckPlatform(const ProgramCommand& command, std::string& error) {
    const bool fromLine = !command.platform.empty();
    const QString request = fromLine ? QString::fromStdString(command.platform)
                                     : qEnvironmentVariable("QT_QPA_PLATFORM");
    if (request.isEmpty()) {
        return true;
    }
    const QStringList available = AvailablePlatforms(command);
    if (available.isEmpty()) {
        return true;
    }
    for (const QString& entry : request.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (available.contains(entry.section(QLatin1Char(':'), 0, 0).toLower())) {
            return true;
        }
    }
    error = "no platform " + Quoted(request.toStdString()) +
            (fromLine ? "" : " (from QT_QPA_PLATFORM)") + "; Qt here has " +
            available.join(QStringLiteral(", ")).toStdString();
    return false;
}

} // namespace quillory
