// The main window's help key, About item and system-menu command.
#include "res/ResourceIds.h"
#include "trainer/Help.h"
#include "ui/AboutDialog.h"
#include "ui/TrainerDialog.h"
#include "ui/WindowMenu.h"

#include <QAction>
#include <QKeySequence>

namespace quillory {

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
    const SystemMenu systemMenu = HasSystemMenu() ? SystemMenu::HoldsAbout : SystemMenu::Absent;
    ShowMessage(QString::fromStdString(TrainerHelpText(entries, systemMenu)),
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
