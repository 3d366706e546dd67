#pragma once

#include "drill/Summary.h"

#include <QWidget>
#include <vector>

namespace quillory {

// The calibration picture: every estimate answer as a dot at (guess, true
// value), both 0 to 100 %, over the diagonal where a guess equals its true
// value, and per 10-point band of guesses a larger mark at the band's middle
// and the mean true value of its answers, joined by a line. Marks above the
// diagonal mean the user rates those hands too low; below it, too high.
// Drawn in the palette's own colours for light and dark themes.
//
// Its accessible description (also its tooltip) says the bands in words, one
// sentence each: "Guesses of 40 to 50 %: true value 36 % on average, 12
// answers."
class CalibrationChart : public QWidget {
    Q_OBJECT

public:
    explicit CalibrationChart(QWidget* parent = nullptr);

    void SetAnswers(const std::vector<drill::Answer>& answers);
    QString TextEquivalent() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The texts drawn around the plot, and the width of the widest.
    static QString Title();
    static QString SquaresNote();
    static QString DiagonalNote();
    int TextWidth() const;

    std::vector<std::pair<double, double>> m_points; // guess, true value
    drill::Summary m_summary;
};

} // namespace quillory
