#pragma once

#include "ui/ModalSeam.h"

#include <QApplication>
#include <QDialog>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <QtTest>
#include <deque>
#include <functional>
#include <vector>

class QLineEdit;

namespace quillory::testing {

// A modal seam that never waits: messages are recorded and answered at once,
// dialogs run the next queued script (or end as cancelled when none is
// queued, which is counted as unexpected), and save dialogs return the next
// queued path (empty when none is queued).
class ScriptedModalSeam final : public ModalSeam {
public:
    struct Message {
        QString title;
        QString text;
        MessageIcon icon{};
    };
    using DialogScript = std::function<int(QDialog&)>;

    void Reset();
    void QueueDialog(DialogScript script) { m_scripts.push_back(std::move(script)); }
    void QueueSavePath(const QString& path) { m_paths.push_back(path); }

    const std::vector<Message>& Messages() const { return m_messages; }
    const std::vector<QString>& DialogTitles() const { return m_dialogTitles; }
    int UnexpectedDialogs() const { return m_unexpected; }
    // Every modal call this seam answered: dialogs, messages and save dialogs.
    int Calls() const { return m_calls; }

    int RunDialog(QDialog& dialog) override;
    void ShowMessage(QWidget* owner, const QString& title, const QString& text,
                     MessageIcon icon) override;
    QString ChooseSaveFile(QWidget* owner, const SaveFileRequest& request) override;

private:
    std::deque<DialogScript> m_scripts;
    std::deque<QString> m_paths;
    std::vector<Message> m_messages;
    std::vector<QString> m_dialogTitles;
    int m_unexpected{};
    int m_calls{};
};

// The seam every window test runs under; installed by QUILLORY_UI_TEST_MAIN.
ScriptedModalSeam& Seam();

// Settings in a temporary folder for the whole test program, as an ini file
// under the company "Morvelle Software" and the test program's name.
class TemporarySettings {
public:
    TemporarySettings();
    TemporarySettings(const TemporarySettings&) = delete;
    TemporarySettings& operator=(const TemporarySettings&) = delete;

    static void Clear();
    static void Write(const QString& key, const QVariant& value);
    static QVariant Read(const QString& key);

private:
    QTemporaryDir m_folder;
};

// Makes a shown window the active one, so focus moves and focus events happen.
bool Activate(QWidget& window);

// Replaces an edit's text by typing: focus, select all, delete, then the keys.
void Type(QLineEdit* edit, const QString& text);

// The control `id` of a window that finds its controls by id, as a T.
template <class T, class Window> T* Control(const Window& window, int id) {
    return qobject_cast<T*>(window.Item(id));
}

// Where the window's action with this text stands in its actions, or -1.
qsizetype ActionIndex(const QWidget& window, const QString& text);

// The text an edit, a label or a button shows; empty for other controls.
QString ShownText(const QWidget* control);
template <class Window> QString ShownText(const Window& window, int id) {
    return ShownText(window.Item(id));
}

} // namespace quillory::testing

// A Qt Test main that runs one test class on a scripted seam with temporary
// settings, under the name "Morvelle Software" / <test program>.
#define QUILLORY_UI_TEST_MAIN(TestClass)                                                           \
    int main(int argc, char* argv[]) {                                                             \
        QApplication application(argc, argv);                                                      \
        quillory::testing::TemporarySettings settings;                                             \
        quillory::ScopedModalSeam seam(quillory::testing::Seam());                                 \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
