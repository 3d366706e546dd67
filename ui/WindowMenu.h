#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace quillory {

// True where windows have a system menu that a program can extend (Windows).
bool HasSystemMenu();

// Appends a separator and an item with a command id to the window's system
// menu. False where there is no such menu.
bool AppendToSystemMenu(QWidget& window, int command, const QString& text);

// The command id of a native system-menu message, or -1 for any other message.
int SystemMenuCommand(const QByteArray& eventType, void* message);

} // namespace quillory
