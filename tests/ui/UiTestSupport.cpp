#include "tests/ui/UiTestSupport.h"

#include "ui/Settings.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>

namespace quillory::testing {

void ScriptedModalSeam::Reset() {
    m_scripts.clear();
    m_paths.clear();
    m_messages.clear();
    m_dialogTitles.clear();
    m_unexpected = 0;
    m_calls = 0;
}

int ScriptedModalSeam::RunDialog(QDialog& dialog) {
    ++m_calls;
    m_dialogTitles.push_back(dialog.windowTitle());
    if (m_scripts.empty()) {
        ++m_unexpected;
        return 2;
    }
    DialogScript script = std::move(m_scripts.front());
    m_scripts.pop_front();
    return script(dialog);
}

void ScriptedModalSeam::ShowMessage(QWidget* /*owner*/, const QString& title, const QString& text,
                                    MessageIcon icon) {
    ++m_calls;
    m_messages.push_back(Message{title, text, icon});
}

QString ScriptedModalSeam::ChooseSaveFile(QWidget* /*owner*/, const SaveFileRequest& /*request*/) {
    ++m_calls;
    if (m_paths.empty()) {
        return {};
    }
    QString path = m_paths.front();
    m_paths.pop_front();
    return path;
}

ScriptedModalSeam& Seam() {
    static ScriptedModalSeam seam;
    return seam;
}

TemporarySettings::TemporarySettings() {
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_folder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, m_folder.path());
    SetSettingsOwner(QStringLiteral("Morvelle Software"));
}

void TemporarySettings::Clear() {
    QSettings store;
    store.clear();
    store.sync();
}

void TemporarySettings::Write(const QString& key, const QVariant& value) {
    QSettings store;
    store.setValue(key, value);
    store.sync();
}

QVariant TemporarySettings::Read(const QString& key) {
    return QSettings().value(key);
}

bool Activate(QWidget& window) {
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

qsizetype ActionIndex(const QWidget& window, const QString& text) {
    const QList<QAction*> actions = window.actions();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        if (actions[i]->text() == text) {
            return i;
        }
    }
    return -1;
}

QString ShownText(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control); edit != nullptr) {
        return edit->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(control); label != nullptr) {
        return label->text();
    }
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    return button != nullptr ? button->text() : QString();
}

} // namespace quillory::testing
