#include "ui/range/RangePresets.h"

#include "files/AtomicFile.h"
#include "ui/SystemPath.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

namespace quillory {
namespace {

// Quillory's own presets: the percent ranges of the project's ranking.
QList<RangePreset> ShippedPresets() {
    QList<RangePreset> shipped;
    for (int percent : {5, 10, 15, 20, 30, 50}) {
        shipped.push_back(
            {QStringLiteral("Top %1%").arg(percent), QStringLiteral("%1%").arg(percent), true});
    }
    shipped.push_back({QStringLiteral("Random"), QStringLiteral("random"), true});
    return shipped;
}

bool IsShippedName(const QString& name) {
    for (const RangePreset& preset : ShippedPresets()) {
        if (preset.name.compare(name, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

// The user's presets from the file's bytes; false when they are not a list
// of presets.
bool ReadPresets(const QByteArray& bytes, QList<RangePreset>& presets, QString& reason) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        reason = error.errorString();
        return false;
    }
    const QJsonValue list = document.object().value(QStringLiteral("presets"));
    if (!document.isObject() || !list.isArray()) {
        reason = QStringLiteral("no list of presets");
        return false;
    }
    for (const QJsonValue& entry : list.toArray()) {
        const QJsonValue name = entry.toObject().value(QStringLiteral("name"));
        const QJsonValue text = entry.toObject().value(QStringLiteral("range"));
        if (!name.isString() || !text.isString() || name.toString().trimmed().isEmpty()) {
            reason = QStringLiteral("a preset without a name or a range");
            return false;
        }
        presets.push_back({name.toString(), text.toString(), false});
    }
    return true;
}

} // namespace

QString DefaultRangePresetsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/ranges.json");
}

RangePresets::RangePresets(QString path) : m_path(std::move(path)) {}

void RangePresets::Load() {
    m_user.clear();
    QFile file(m_path);
    if (!file.exists()) {
        return;
    }
    if (!QFileInfo(m_path).isFile() || !file.open(QIODevice::ReadOnly)) {
        m_problem = QStringLiteral("Your range presets could not be read (%1); they are "
                                   "left as they are.")
                        .arg(file.errorString());
        return;
    }
    QString reason;
    QList<RangePreset> presets;
    const QByteArray bytes = file.read(4 * 1024 * 1024);
    file.close();
    if (ReadPresets(bytes, presets, reason)) {
        m_user = presets;
        return;
    }
    const QString aside =
        m_path + QStringLiteral(".damaged-%1").arg(QDateTime::currentSecsSinceEpoch());
    if (QFile::rename(m_path, aside)) {
        m_problem = QStringLiteral("Your range presets were damaged (%1); the file was kept "
                                   "as \"%2\" and a new list begins.")
                        .arg(reason, QFileInfo(aside).fileName());
    } else {
        m_problem = QStringLiteral("Your range presets are damaged (%1) and could not be set "
                                   "aside; presets you save now are kept until Quillory "
                                   "closes.")
                        .arg(reason);
        m_path.clear();
    }
}

QList<RangePreset> RangePresets::All() const {
    return ShippedPresets() + m_user;
}

bool RangePresets::Save(const QString& name, const QString& text) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || IsShippedName(trimmed)) {
        return false;
    }
    auto found = std::find_if(m_user.begin(), m_user.end(),
                              [&](const RangePreset& p) { return p.name == trimmed; });
    if (found != m_user.end()) {
        found->text = text;
    } else {
        m_user.push_back({trimmed, text, false});
    }
    return Write();
}

bool RangePresets::Remove(const QString& name) {
    const auto removed = m_user.removeIf([&](const RangePreset& p) { return p.name == name; });
    return removed > 0 && Write();
}

bool RangePresets::Write() {
    if (m_path.isEmpty()) {
        return false;
    }
    QJsonArray list;
    for (const RangePreset& preset : m_user) {
        list.append(QJsonObject{{QStringLiteral("name"), preset.name},
                                {QStringLiteral("range"), preset.text}});
    }
    const QByteArray bytes = QJsonDocument(QJsonObject{{QStringLiteral("presets"), list}}).toJson();
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    AtomicFile file(SystemPath(m_path), FifoWithoutReader::Fail);
    if (file.Open() && file.Write(bytes.toStdString()) && file.Commit()) {
        return true;
    }
    m_problem = QStringLiteral("Your range presets could not be saved (%1); they are kept "
                               "until Quillory closes.")
                    .arg(QString::fromStdString(file.Error()));
    return false;
}

} // namespace quillory
