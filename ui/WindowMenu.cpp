#include "ui/WindowMenu.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace quillory {

#ifdef Q_OS_WIN

bool HasSystemMenu() {
    return true;
}

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

int SystemMenuCommand(const QByteArray& eventType, void* message) {
    if (eventType != "windows_generic_MSG" || message == nullptr) {
        return -1;
    }
    const auto* msg = static_cast<const MSG*>(message);
    if (msg->message != WM_SYSCOMMAND) {
        return -1;
    }
    return static_cast<int>(msg->wParam & 0xFFFF);
}

#else

bool HasSystemMenu() {
    return false;
}

bool AppendToSystemMenu(QWidget& /*window*/, int /*command*/, const QString& /*text*/) {
    return false;
}

int SystemMenuCommand(const QByteArray& /*eventType*/, void* /*message*/) {
    return -1;
}

#endif

} // namespace quillory
