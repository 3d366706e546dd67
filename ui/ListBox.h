#pragma once

#include <QListWidget>

namespace quillory {

// A single-selection list of strings that is never sorted, so an item's
// position is the value it stands for. Indices run from 0 to GetCount() - 1;
// -1 means no item.
class ListBox : public QListWidget {
    Q_OBJECT

public:
    explicit ListBox(QWidget* parent = nullptr);

    // Appends a string and returns its index.
    int AddString(const QString& text);
    void ResetContent();
    int GetCount() const { return count(); }
    QString GetText(int index) const;

    // The selected index, or -1.
    int GetCurSel() const;
    // Selects an index (-1 clears the selection); returns it, or -1 when the
    // index is outside the list.
    int SetCurSel(int index);
};

} // namespace quillory
