#pragma once

#include "drill/Record.h"

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace quillory {

class CalibrationChart;
class ErrorChart;

// "Your Record": how close the drill's guesses came. A line for the whole
// record with its bias and the call-or-fold score, a chart of the mean error
// over the last twelve sessions, the calibration picture, and a table of the
// mean absolute error, the share within 5 points and the bias (mean signed
// error), overall, by street, by table size, by opponents and by kind of
// spot (rows without answers read "-").
// "Export CSV..." saves every answer as comma-separated values, asking where
// through the modal seam; a file that cannot be written is reported.
class RecordDialog : public QDialog {
    Q_OBJECT

public:
    explicit RecordDialog(const std::vector<drill::Answer>& answers, QWidget* parent = nullptr);

    // True when the file was written; false when cancelled or failed (reported).
    bool ExportCsv();

    QLabel* m_overall{};
    QLabel* m_bias{};      // "On average your guesses are 3.2 points too high."
    QLabel* m_decisions{}; // "Call or fold: 8 decisions: 75% right, ..."
    ErrorChart* m_chart{};
    CalibrationChart* m_calibration{};
    QTableWidget* m_table{};
    QPushButton* m_export{};

private:
    void Fill();

    std::vector<drill::Answer> m_answers;
};

} // namespace quillory
