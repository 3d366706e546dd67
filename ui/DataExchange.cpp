#include "ui/DataExchange.h"

#include "ui/ListBox.h"
#include "ui/ModalSeam.h"
#include "ui/TemplateDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <limits>

namespace quillory {

bool ParseInteger(const QString& text, std::int32_t& value) {
    const QString trimmed = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < trimmed.size() && (trimmed[i] == QLatin1Char('-') || trimmed[i] == QLatin1Char('+'))) {
        negative = trimmed[i] == QLatin1Char('-');
        ++i;
    }
    if (i == trimmed.size()) {
        return false;
    }
    long long magnitude = 0;
    constexpr long long kLimit =
        static_cast<long long>(std::numeric_limits<std::int32_t>::max()) + 1;
    for (; i < trimmed.size(); ++i) {
        const QChar c = trimmed[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
        magnitude = magnitude * 10 + (c.unicode() - u'0');
        if (magnitude > kLimit) {
            return false;
        }
    }
    if (!negative && magnitude == kLimit) {
        return false;
    }
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

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
    std::int32_t parsed = 0;
    if (!ParseInteger(m_dialog.GetItemText(id), parsed)) {
        Fail(id, IntegerMessage());
        return;
    }
    value = parsed;
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
    auto* list = m_dialog.Bind<ListBox>(id);
    if (m_save) {
        value = list->GetCurSel();
    } else if (list->GetCurSel() != value) {
        list->SetCurSel(value);
    }
}

} // namespace quillory
