#include "ui/DataExchange.h"

#include "platform/NumberText.h"
#include "ui/ModalSeam.h"
#include "ui/TemplateDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

namespace quillory {

QString IntegerMessage() {
    return QStringLiteral("Please enter an integer.");
}

QString IntegerRangeMessage(std::int32_t min, std::int32_t max) {
    return QStringLiteral("Please enter an integer between %1 and %2.").arg(min).arg(max);
}

DataExchange::DataExchange(TemplateDialog& dialog, bool saveAndValidate, bool quiet)
    : m_dialog(dialog), m_save(saveAndValidate), m_quiet(quiet) {}

// Every control the exchange names must be in the template: a missing one
// stops the program at the dialog's first exchange instead of being skipped.
QWidget* DataExchange::Item(int id) const {
    return m_dialog.Bind<QWidget>(id);
}

void DataExchange::Fail(int id, const QString& message) {
    m_failed = true;
    if (m_quiet) {
        return;
    }
    m_dialog.MessageBox(message, MessageIcon::Warning);
    if (QWidget* control = Item(id); control != nullptr) {
        control->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(control); edit != nullptr) {
            edit->selectAll();
        }
    }
}

void DataExchange::Text(int id, QString& value) {
    Item(id);
    if (m_failed) {
        return;
    }
    if (m_save) {
        value = m_dialog.GetItemText(id);
    } else {
        m_dialog.SetItemText(id, value);
    }
}

void DataExchange::Text(int id, std::string& value) {
    QString text = QString::fromStdString(value);
    Text(id, text);
    if (m_save && !m_failed) {
        value = text.toStdString();
    }
}

void DataExchange::Int(int id, std::int32_t& value) {
    Item(id);
    if (m_failed) {
        return;
    }
    if (!m_save) {
        m_dialog.SetItemText(id, QString::number(value));
        return;
    }
    const std::optional<std::int32_t> parsed =
        ReadFieldInteger(m_dialog.GetItemText(id).toStdString());
    if (!parsed) {
        Fail(id, IntegerMessage());
        return;
    }
    value = *parsed;
}

void DataExchange::Int(int id, std::int32_t& value, std::int32_t min, std::int32_t max) {
    Int(id, value);
    if (m_failed || !m_save) {
        return;
    }
    if (value < min || value > max) {
        Fail(id, IntegerRangeMessage(min, max));
    }
}

void DataExchange::Check(int id, std::int32_t& value) {
    if (m_failed) {
        return;
    }
    auto* box = m_dialog.Bind<QCheckBox>(id);
    if (m_save) {
        value = box->isChecked() ? 1 : 0;
    } else if (box->isChecked() != (value != 0)) {
        box->setChecked(value != 0);
    }
}

void DataExchange::ListBoxIndex(int id, std::int32_t& value) {
    if (m_failed) {
        return;
    }
    auto* list = m_dialog.Bind<QListWidget>(id);
    if (m_save) {
        value = list->currentRow();
    } else if (list->currentRow() != value) {
        list->setCurrentRow(value);
    }
}

} // namespace quillory
