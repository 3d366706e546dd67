#include "ui/ListBox.h"

namespace quillory {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
}

int ListBox::GetCurSel() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.front());
}

int ListBox::SetCurSel(int index) {
    if (index < 0 || index >= count()) {
        clearSelection();
        return -1;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    return index;
}

} // namespace quillory
