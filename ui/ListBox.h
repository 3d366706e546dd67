#pragma once

#include <QListWidget>

namespace quillory {

// A single-selection list of strings that is never sorted, so an item's
// position is the value it stands for. Items are added and counted with the
// list widget's own addItem() and count(); this class adds only the selected
// index as a value, -1 meaning none.
class ListBox : public QListWidget {
    Q_OBJECT

public:
    explicit ListBox(QWidget* parent = nullptr);

    // The selected index, or -1.
    int GetCurSel() const;
    // Selects an index (-1 clears the selection); returns it, or -1 when the
    // index is outside the list.
    int SetCurSel(int index);
};

} // namespace quillory
