#pragma once

#include "ui/TemplateDialog.h"

#include <QString>
#include <QWidget>
#include <cstdint>
#include <string>

namespace quillory {

// One exchange between a dialog's members and its controls, in the order the
// dialog's DoDataExchange names them.
//
// Writing (to the controls) puts every member into its control, integers as
// decimal text, and replaces a control's text only where it differs.
// Reading (from the controls) takes every control into its member; an entry
// that is not an integer, or an integer outside its range, fails the read at
// that control: the user is told why, the control gets the focus, and the
// rest of the exchange does nothing. Members before the failing control are
// updated, an out-of-range value that parsed is already stored, and members
// after it keep their values.
class DataExchange {
public:
    // A quiet exchange reports a failure to nobody and moves no focus; the
    // dialog uses it once its window is gone.
    DataExchange(TemplateDialog& dialog, bool saveAndValidate, bool quiet = false);

    bool IsSaving() const { return m_save; }
    bool Failed() const { return m_failed; }

    void Text(int id, QString& value);
    void Text(int id, std::string& value);
    void Int(int id, std::int32_t& value);
    // Reads are refused outside min to max (both inclusive).
    void Int(int id, std::int32_t& value, std::int32_t min, std::int32_t max);
    // A check box: nonzero is checked; reading gives 1 or 0.
    void Check(int id, std::int32_t& value);
    // The selected index of a list box, -1 for none.
    void ListBoxIndex(int id, std::int32_t& value);

private:
    QWidget* Item(int id) const;
    void Fail(int id, const QString& message);

    TemplateDialog& m_dialog;
    bool m_save{};
    bool m_quiet{};
    bool m_failed{};
};

QString IntegerMessage();
QString IntegerRangeMessage(std::int32_t min, std::int32_t max);

} // namespace quillory
