// Control notifications of a template dialog: clicks, text changes and
// focus losses, delivered in the order and at the moments TemplateDialog.h
// describes.
#include "res/ResourceIds.h"
#include "ui/TemplateDialog.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QLineEdit>
#include <algorithm>

namespace quillory {
namespace {

void AppendOnce(std::vector<int>& ids, int id) {
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) {
        ids.push_back(id);
    }
}

} // namespace

int TemplateDialog::OwnControlId(QWidget* control) const {
    const int id = control != nullptr ? ControlId(*control) : res::kNoId;
    if (id == res::kNoId || GetDlgItem(id) != control) {
        FailBinding(id, "control of this dialog");
    }
    return id;
}

void TemplateDialog::OnClicked(QAbstractButton* button, std::function<void()> handler) {
    OwnControlId(button);
    connect(button, &QAbstractButton::clicked, this,
            [this, button, handler = std::move(handler)](bool checked) {
                if (m_destroyed) {
                    return;
                }
                // The edit the user left is checked before the click counts. When it
                // refused its entry, the user was told so and the click is lost, as it
                // would be under a message box; a check box is put back as it was.
                if (!m_pendingFocusLoss.empty()) {
                    const int messages = m_messagesShown;
                    DeliverFocusLoss();
                    if (m_destroyed) {
                        return;
                    }
                    if (m_messagesShown != messages) {
                        if (button->isCheckable()) {
                            button->setChecked(!checked);
                        }
                        return;
                    }
                }
                handler();
            });
}

void TemplateDialog::OnChange(QLineEdit* edit, std::function<void()> handler) {
    const int id = OwnControlId(edit);
    m_changeHandlers[id] = std::move(handler);
    connect(edit, &QLineEdit::textChanged, this, [this, id] { DeliverChange(id); });
}

void TemplateDialog::OnKillFocus(QWidget* control, std::function<void()> handler) {
    m_killFocusHandlers[OwnControlId(control)] = std::move(handler);
    control->installEventFilter(this);
}

void TemplateDialog::DeliverChange(int id) {
    if (m_lockout > 0 || m_destroyed) {
        return;
    }
    if (m_writing > 0) {
        AppendOnce(m_pendingChanges, id);
        return;
    }
    const auto found = m_changeHandlers.find(id);
    if (found != m_changeHandlers.end()) {
        found->second();
    }
}

bool TemplateDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !m_destroyed) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && reason != Qt::ActiveWindowFocusReason &&
            reason != Qt::PopupFocusReason) {
            const int id = ControlId(*widget);
            if (m_killFocusHandlers.count(id) != 0) {
                AppendOnce(m_pendingFocusLoss, id);
                ScheduleFocusLoss();
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The handlers run as soon as the event that moved the focus is done: the new
// control has its focus and the toolkit is between events, so a handler may
// show a message box. A click that comes first takes them along (OnClicked).
void TemplateDialog::ScheduleFocusLoss() {
    if (m_focusLossScheduled) {
        return;
    }
    m_focusLossScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_focusLossScheduled = false;
            DeliverFocusLoss();
        },
        Qt::QueuedConnection);
}

void TemplateDialog::DeliverFocusLoss() {
    if (m_destroyed || m_pendingFocusLoss.empty()) {
        return;
    }
    std::vector<int> lost;
    lost.swap(m_pendingFocusLoss);
    for (int id : lost) {
        if (m_destroyed) {
            return;
        }
        const auto found = m_killFocusHandlers.find(id);
        if (found != m_killFocusHandlers.end()) {
            found->second();
        }
    }
}

} // namespace quillory
