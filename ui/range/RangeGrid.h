#pragma once

#include "range/HandRange.h"

#include <QAbstractTableModel>
#include <QTableView>
#include <array>
#include <vector>

namespace quillory {

// The combos of each of the 169 classes, in combo order.
const std::array<std::vector<int>, kClassCount>& CombosOfClasses();

// A class's part of a range: how many of its combos are in (weight above 0),
// the mean weight of those (0 to 1), and the filled share of the class (the
// sum of its weights over its combos, 0 to 1), which the cell's fill shows.
struct ClassPart {
    int inRange{};
    int combos{};
    double weight{};
    double fill{};
};
ClassPart PartOfClass(const HandRange& range, int handClass);

// What a screen reader says for a cell: "AKs, selected, 4 combos, weight 50 %",
// "AKs, selected, 2 of 4 combos, weight 100 %" or "AKs, not selected".
QString DescribeClass(const HandRange& range, int handClass);

// A combo as typed, the higher rank first: "AsKs", "Td9d".
QString ComboText(int combo);

// The 13x13 grid as a table model: row and column are the grid ranks (A
// first), the cell at (row, column) is class 13 * row + column. The display
// text is the class name, the accessible text its description, and the
// user role its ClassPart fill.
class RangeGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const HandRange& Range() const { return m_range; }
    void SetRange(const HandRange& range);

private:
    HandRange m_range;
};

// The range editor's grid: click a cell to add it at the current weight or,
// when it is in the range, to take it out; drag to do the same to every cell
// passed over. The arrow keys move the current cell and Space toggles it.
// A right-click, the menu key or Shift+F10 opens the weight and suit menu.
// Every change is emitted as RangeEdited with the whole new range.
class RangeGrid : public QTableView {
    Q_OBJECT

public:
    explicit RangeGrid(QWidget* parent = nullptr);

    const HandRange& Range() const { return m_model->Range(); }
    // Shows a range; emits nothing.
    void SetRange(const HandRange& range);
    // The weight (0 to 1) that a click or Space gives a class.
    void SetBrushWeight(double weight) { m_brush = weight; }
    double BrushWeight() const { return m_brush; }
    int CurrentClass() const;
    // Toggles a class at the brush weight, or sets its weight (0 clears it).
    void ToggleClass(int handClass);
    void SetClassWeight(int handClass, double weight);
    // Keeps only the given combos of the class, at the class's weight.
    void NarrowClass(int handClass, const std::vector<int>& combos);

signals:
    void RangeEdited(const quillory::HandRange& range);
    void CurrentClassChanged(int handClass);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    enum class Drag { None, Add, Remove };
    void ApplyDrag(const QModelIndex& index);
    void Change(const HandRange& range);
    void ChooseSuits(int handClass);

    RangeGridModel* m_model{};
    double m_brush{1.0};
    Drag m_drag{Drag::None};
    int m_lastDragged{-1};
};

} // namespace quillory
