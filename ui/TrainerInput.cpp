// The main window's input: clicks, the edits' changes and the Leave
// commands, Enter, Shift+F10, and the focus frame shown from the start.
#include "ui/TrainerDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace quillory {

// Every notification becomes one trainer command.
void CTrainerDialog::ConnectNotifications() {
    OnClick(m_draw, [this] { Send(Command::Draw); });
    OnClick(m_flop, [this] { Send(Command::Flop); });
    OnClick(m_turn, [this] { Send(Command::Turn); });
    OnClick(m_river, [this] { Send(Command::River); });
    OnClick(m_showdown, [this] { Send(Command::Showdown); });
    OnClick(m_more, [this] { OnMore(); });
    for (std::size_t slot = 0; slot < kCardSlots; ++slot) {
        const auto card = static_cast<CardSlot>(slot);
        OnClick(m_fixButtons[slot], [this, card] { Send(Command::Fix, card); });
    }
    connect(m_practiceMode, &QCheckBox::clicked, this, [this](bool checked) {
        if (m_ended) {
            return;
        }
        if (!SendPendingLeaves()) {
            m_practiceMode->setChecked(!checked); // put back, as under a message box
            return;
        }
        Send(Command::PracticeMode);
    });
    // The window's own writes are made under a signal blocker (ShowState),
    // so these are the user's changes.
    connect(m_pot, &QLineEdit::textChanged, this, [this] { Send(Command::EditPot); });
    connect(m_invest, &QLineEdit::textChanged, this, [this] { Send(Command::EditInvest); });
    const std::array<std::pair<QLineEdit*, Command>, 3> leaves{{{m_players, Command::LeavePlayers},
                                                                {m_pot, Command::LeavePot},
                                                                {m_invest, Command::LeaveInvest}}};
    for (const auto& [edit, command] : leaves) {
        connect(edit, &QLineEdit::editingFinished, this, [this, edit = edit, command = command] {
            // Enter keeps the focus in the edit, and the focus passing to
            // another window (a message box, a dialog) is no leaving.
            const QWidget* active = QApplication::activeWindow();
            if (edit->hasFocus() || (active != nullptr && active != this)) {
                return;
            }
            LeaveLater(command);
        });
    }
}

void CTrainerDialog::OnClick(QPushButton* button, std::function<void()> command) {
    connect(button, &QPushButton::clicked, this, [this, command = std::move(command)] {
        if (!m_ended && SendPendingLeaves() && !m_ended) {
            command();
        }
    });
}

// The Leave commands run as soon as the event that moved the focus is done:
// the new control has its focus, and a message box may be shown.
void CTrainerDialog::LeaveLater(Command command) {
    if (std::find(m_pendingLeaves.begin(), m_pendingLeaves.end(), command) ==
        m_pendingLeaves.end()) {
        m_pendingLeaves.push_back(command);
    }
    QMetaObject::invokeMethod(
        this, [this] { SendPendingLeaves(); }, Qt::QueuedConnection);
}

bool CTrainerDialog::SendPendingLeaves() {
    const int messages = m_messagesShown;
    std::vector<Command> pending;
    pending.swap(m_pendingLeaves);
    for (Command command : pending) {
        if (m_ended) {
            return false;
        }
        Send(command);
    }
    return m_messagesShown == messages;
}

void CTrainerDialog::ShowMessage(const QString& text, MessageIcon icon) {
    ++m_messagesShown;
    ShowMessageBox(this, text, icon);
}

void CTrainerDialog::changeEvent(QEvent* event) {
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

void CTrainerDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        // Shift+F10 asks for the context menu, as the menu key does.
        QWidget* target = focusWidget() != nullptr ? focusWidget() : this;
        const QPoint local = target->rect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, local, target->mapToGlobal(local));
        QCoreApplication::sendEvent(target, &menu);
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // A focused push button takes Enter; anywhere else Enter closes the
        // window when the fields read.
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget());
            focused != nullptr && focused->isEnabled() && focused->isVisible()) {
            focused->click();
            return;
        }
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace quillory
