#pragma once

#include "drill/Summary.h"

#include <QWidget>

class QPainter;
#include <vector>

namespace quillory {

// A small bar chart of the drill's last sessions: one bar per session, oldest
// on the left, as high as the session's mean absolute error in points (lower
// is better), with the session's hit rate under it and a dashed line at the
// 5-point hit window. Drawn in the palette's own colours, so it reads in
// light and dark themes alike.
//
// Its accessible description says the same in words, one sentence per
// session ("Session 3: 5 answers: off by 4.3 points on average, 60% within
// 5 points."), and is also its tooltip.
class ErrorChart : public QWidget {
    Q_OBJECT

public:
    explicit ErrorChart(QWidget* parent = nullptr);

    void SetSessions(const std::vector<drill::SessionAccuracy>& sessions);
    QString TextEquivalent() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The line under the bars, and its width.
    static QString Legend();
    int LegendWidth() const;
    double Scale() const;
    void PaintBar(QPainter& painter, const QRect& column, const drill::SessionAccuracy& session,
                  double scale) const;

    std::vector<drill::SessionAccuracy> m_sessions;
};

} // namespace quillory
