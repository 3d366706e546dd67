#pragma once

#include "drill/Record.h"

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace quillory {

class ErrorChart;

// "Your Record": how close the drill's guesses came. A line for the whole
// record, a chart of the mean error over the last twelve sessions, and a
// table of the mean absolute error and the share within 5 points, overall,
// by street and by table size (rows without answers read "no answers").
// "Export CSV..." saves every answer as comma-separated values, asking where
// through the modal seam; a file that cannot be written is reported.
class RecordDialog : public QDialog {
    Q_OBJECT

public:
    explicit RecordDialog(const std::vector<drill::Answer>& answers, QWidget* parent = nullptr);

    // True when the file was written; false when cancelled or failed (reported).
    bool ExportCsv();

    QLabel* m_overall{};
    ErrorChart* m_chart{};
    QTableWidget* m_table{};
    QPushButton* m_export{};

private:
    void Fill();

    std::vector<drill::Answer> m_answers;
};

} // namespace quillory
