// The keys of a template dialog and its first focus indication: Enter
// accepts or presses the default button, Shift+F10 opens the context menu,
// and the first control shows its focus as soon as the window is active.
#include "ui/TemplateDialog.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace quillory {

void TemplateDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_showFocusOnActivation) {
        // The first control has the focus as if the user had tabbed to it, so
        // its focus frame shows from the start, before any key is pressed.
        m_showFocusOnActivation = false;
        setAttribute(Qt::WA_KeyboardFocusChange);
        if (QWidget* focused = focusWidget(); focused != nullptr) {
            focused->update();
        }
    }
}

void TemplateDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        // Shift+F10 asks for the context menu, as the menu key does: the
        // focused control's own menu, or the window's when it has none.
        QWidget* target = focusWidget() != nullptr ? focusWidget() : this;
        const QPoint local = target->rect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, local, target->mapToGlobal(local));
        QCoreApplication::sendEvent(target, &menu);
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // A focused push button takes Enter; anywhere else Enter presses the
        // default button, or accepts when there is none.
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget());
            focused != nullptr && focused->isEnabled() && focused->isVisible()) {
            focused->click();
            return;
        }
        for (QPushButton* button : findChildren<QPushButton*>()) {
            if (button->isDefault() && button->isVisible()) {
                if (button->isEnabled()) {
                    button->click();
                }
                return;
            }
        }
        OnOK();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace quillory
