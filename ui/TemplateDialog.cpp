#include "ui/TemplateDialog.h"

#include "res/ResourceIds.h"
#include "ui/DataExchange.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtGlobal>
#include <string>

namespace quillory {
namespace {

constexpr res::DialogTemplate kMissingTemplate{0, "", "", 8, 100, 50, res::kSystemMenu, {}};

} // namespace

TemplateDialog::TemplateDialog(int templateId, QWidget* parent) : QDialog(parent) {
    const res::DialogTemplate* source = res::FindDialogTemplate(templateId);
    Build(source != nullptr ? *source : kMissingTemplate);
}

TemplateDialog::TemplateDialog(const res::DialogTemplate& source, QWidget* parent)
    : QDialog(parent) {
    Build(source);
}

void TemplateDialog::Build(const res::DialogTemplate& source) {
    m_template = &source;
    m_built = BuildDialog(*this, *m_template);
    for (const BuiltControl& control : m_built.controls) {
        if (control.controlTemplate->id != res::kNoId) {
            m_items.emplace(control.controlTemplate->id, control.widget);
        }
    }
    // OK and Cancel where the template has them (the main window has neither).
    if (auto* ok = qobject_cast<QAbstractButton*>(GetDlgItem(res::kIdOk)); ok != nullptr) {
        OnClicked(ok, [this] { OnOK(); });
    }
    if (auto* cancel = qobject_cast<QAbstractButton*>(GetDlgItem(res::kIdCancel));
        cancel != nullptr) {
        OnClicked(cancel, [this] { OnCancel(); });
    }
}

TemplateDialog::~TemplateDialog() = default;

int TemplateDialog::DoModal() {
    EnsureInitialised();
    if (!m_destroyed) {
        RunModalDialog(*this);
    }
    if (!m_destroyed) {
        // The seam returned without an end (a script that did nothing): a cancel.
        done(res::kIdCancel);
    }
    return result();
}

void TemplateDialog::Create() {
    EnsureInitialised();
    if (!m_destroyed) {
        show();
    }
}

void TemplateDialog::accept() {
    OnOK();
}

void TemplateDialog::reject() {
    OnCancel();
}

void TemplateDialog::done(int result) {
    if (m_destroyed) {
        return;
    }
    QDialog::done(result);
    DestroyOnce();
}

void TemplateDialog::DestroyOnce() {
    if (m_destroyed) {
        return;
    }
    m_destroyed = true;
    m_pendingFocusLoss.clear();
    m_pendingChanges.clear();
    OnDestroy();
}

void TemplateDialog::EnsureInitialised() {
    if (m_initialised) {
        return;
    }
    m_initialised = true;
    if (!OnInitDialog() || m_destroyed) {
        return;
    }
    for (const BuiltControl& control : m_built.controls) {
        if ((control.controlTemplate->style & res::kTabStop) != 0 && control.widget->isEnabled() &&
            !control.widget->isHidden()) {
            control.widget->setFocus(Qt::TabFocusReason);
            m_showFocusOnActivation = true;
            break;
        }
    }
}

void TemplateDialog::DoDataExchange(DataExchange& /*dx*/) {}

bool TemplateDialog::OnInitDialog() {
    NotificationLockout lockout(*this);
    UpdateData(false);
    return true;
}

void TemplateDialog::OnOK() {
    if (UpdateData(true)) {
        done(res::kIdOk);
    }
}

void TemplateDialog::OnCancel() {
    done(res::kIdCancel);
}

bool TemplateDialog::UpdateData(bool saveAndValidate) {
    return Exchange(saveAndValidate, false);
}

bool TemplateDialog::UpdateDataQuietly() {
    return Exchange(true, true);
}

bool TemplateDialog::Exchange(bool save, bool quiet) {
    DataExchange dx(*this, save, quiet);
    if (save) {
        DoDataExchange(dx);
        return !dx.Failed();
    }
    ++m_writing;
    DoDataExchange(dx);
    --m_writing;
    if (m_writing == 0 && !m_pendingChanges.empty()) {
        std::vector<int> changed;
        changed.swap(m_pendingChanges);
        for (int id : changed) {
            DeliverChange(id);
        }
    }
    return true;
}

void TemplateDialog::FailBinding(int id, const char* type) const {
    const std::string caption(m_template->caption);
    qFatal("dialog %d (\"%s\") has no control %d of type %s", m_template->id, caption.c_str(), id,
           type);
}

QWidget* TemplateDialog::GetDlgItem(int id) const {
    const auto found = m_items.find(id);
    return found != m_items.end() ? found->second : nullptr;
}

void TemplateDialog::EnableItem(int id, bool enable) {
    if (QWidget* item = GetDlgItem(id); item != nullptr) {
        item->setEnabled(enable);
    }
}

bool TemplateDialog::IsItemEnabled(int id) const {
    const QWidget* item = GetDlgItem(id);
    return item != nullptr && item->isEnabled();
}

QString TemplateDialog::GetItemText(int id) const {
    const QWidget* item = GetDlgItem(id);
    if (const auto* edit = qobject_cast<const QLineEdit*>(item); edit != nullptr) {
        return edit->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(item); label != nullptr) {
        return label->text();
    }
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(item); text != nullptr) {
        return text->toPlainText();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(item); button != nullptr) {
        return button->text();
    }
    return {};
}

bool TemplateDialog::SetItemText(int id, const QString& text) {
    QWidget* item = GetDlgItem(id);
    if (item == nullptr || GetItemText(id) == text) {
        return false;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(item); edit != nullptr) {
        edit->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(item); label != nullptr) {
        SetLabelText(*label, text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(item); plain != nullptr) {
        plain->setPlainText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(item); button != nullptr) {
        button->setText(text);
    } else {
        return false;
    }
    return true;
}

void TemplateDialog::MessageBox(const QString& text, MessageIcon icon) {
    ++m_messagesShown;
    ShowMessageBox(this, text, icon);
}

} // namespace quillory
