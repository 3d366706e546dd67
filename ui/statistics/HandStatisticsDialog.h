#pragma once

#include "report/HandStatistics.h"
#include "report/HeatMap.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QTableWidget;
class QWidget;

namespace quillory {

// "Hand Statistics": the counters of a finished simulation as a heat map of
// the share of hands that did not win, per hand class (rows, straight flush
// first) and leading rank (columns, Ace first), for the table size and the
// hole-cards section chosen at the top. Each cell's tooltip and accessible
// text give L, N and the percentage; empty cells stay empty. The arrow keys
// move from cell to cell. Two buttons save the text report and the picture
// (PNG, or SVG when the chosen name ends in .svg) through the modal seam.
class HandStatisticsDialog : public QDialog {
    Q_OBJECT

public:
    explicit HandStatisticsDialog(const HandStatistics& statistics, QWidget* parent = nullptr);

    void ShowTableSize(int players);
    void ShowHoleCards(HoleCardsUsed holeCards);
    QTableWidget* Grid() const { return m_grid; }

    // Both ask where to save and report a failure with a message; true when
    // the file was written.
    bool SaveReport();
    bool SavePicture();

private:
    void Refresh();
    QWidget* BuildPicture();

    HandStatistics m_statistics;
    HeatMap m_map;
    QComboBox* m_players{};
    QComboBox* m_holeCards{};
    QWidget* m_picture{};
    QLabel* m_title{};
    QTableWidget* m_grid{};
};

} // namespace quillory
