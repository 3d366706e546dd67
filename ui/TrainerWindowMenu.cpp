// The main window's help key, About item and system-menu command, with the
// native system menu where the platform has one (Windows).
#include "res/ResourceIds.h"
#include "trainer/Help.h"
#include "ui/AboutDialog.h"
#include "ui/TrainerDialog.h"

#include <QAction>
#include <QKeySequence>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace quillory {
namespace {

#ifdef Q_OS_WIN

// Windows gives each window a system menu that a program can extend.
constexpr SystemMenu kSystemMenu = SystemMenu::HoldsAbout;

// Appends a separator and an item with a command id to the window's system
// menu; false when the window has none.
bool AppendToSystemMenu(QWidget& window, int command, const QString& text) {
    HMENU menu = ::GetSystemMenu(reinterpret_cast<HWND>(window.winId()), FALSE);
    if (menu == nullptr) {
        return false;
    }
    const std::wstring item = text.toStdWString();
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command), item.c_str());
    return true;
}

// The command id of a native system-menu message, or -1 for any other message.
int SystemMenuCommand(const QByteArray& eventType, void* message) {
    if (eventType != "windows_generic_MSG" || message == nullptr) {
        return -1;
    }
    const auto* msg = static_cast<const MSG*>(message);
    return msg->message == WM_SYSCOMMAND ? static_cast<int>(msg->wParam & 0xFFFF) : -1;
}

#else

// Elsewhere no window menu can be extended.
constexpr SystemMenu kSystemMenu = SystemMenu::Absent;

bool AppendToSystemMenu(QWidget& /*window*/, int /*command*/, const QString& /*text*/) {
    return false;
}

int SystemMenuCommand(const QByteArray& /*eventType*/, void* /*message*/) {
    return -1;
}

#endif

} // namespace

void CTrainerDialog::AddHelpAction() {
    m_helpAction = new QAction(QStringLiteral("&Help"), this);
    m_helpAction->setShortcut(QKeySequence::HelpContents);
    m_helpAction->setShortcutContext(Qt::WindowShortcut);
    connect(m_helpAction, &QAction::triggered, this, [this] { OnHelp(); });
    addAction(m_helpAction);
}

bool CTrainerDialog::OnSysCommand(int id) {
    if ((id & 0xFFF0) != res::kAboutCommand) {
        return false;
    }
    CAboutDialog about(this);
    about.DoModal();
    return true;
}

// The help text ends with where the other windows are: the context menu's
// entries are named from the menu itself, so an entry added there is named
// here too.
void CTrainerDialog::OnHelp() {
    std::vector<std::string> entries;
    for (const QAction* action : actions()) {
        if (!action->isSeparator() && action != m_helpAction && action->isVisible()) {
            entries.push_back(MenuEntryName(action->text().toStdString()));
        }
    }
    ShowMessage(QString::fromStdString(TrainerHelpText(entries, kSystemMenu)),
                MessageIcon::Information);
}

void CTrainerDialog::AddAboutEntry(const QString& text) {
    if (AppendToSystemMenu(*this, res::kAboutCommand, text)) {
        return;
    }
    // No system menu to extend: the window's context menu carries the entry
    // after a separator.
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    addAction(separator);
    auto* about = new QAction(text, this);
    connect(about, &QAction::triggered, this, [this] { OnSysCommand(res::kAboutCommand); });
    addAction(about);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

bool CTrainerDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    const int command = SystemMenuCommand(eventType, message);
    if (command >= 0 && OnSysCommand(command)) {
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}

} // namespace quillory
