#include "ui/drill/CalibrationChart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace quillory {

CalibrationChart::CalibrationChart(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Calibration"));
    setFocusPolicy(Qt::TabFocus); // so a screen reader user can land on it and hear it
    SetAnswers({});
}

void CalibrationChart::SetAnswers(const std::vector<drill::Answer>& answers) {
    m_points.clear();
    for (const drill::Answer& answer : answers) {
        if (answer.question == drill::Question::Estimate) {
            m_points.emplace_back(answer.guess, answer.truth);
        }
    }
    m_summary = drill::Summarize(answers);
    const QString text = TextEquivalent();
    setAccessibleDescription(text);
    setToolTip(text);
    update();
}

QString CalibrationChart::TextEquivalent() const {
    QStringList sentences;
    for (const std::string& sentence : drill::CalibrationSentences(m_summary)) {
        sentences << QString::fromStdString(sentence) + QLatin1Char('.');
    }
    return sentences.isEmpty() ? QStringLiteral("No guesses yet.")
                               : sentences.join(QLatin1Char(' '));
}

QSize CalibrationChart::sizeHint() const {
    const int side = fontMetrics().height() * 16;
    return {
        std::max(side + fontMetrics().horizontalAdvance(QStringLiteral("100 %")) + 16, TextWidth()),
        side};
}

// Never narrower than its longest line of text, so no word of it is cut.
QSize CalibrationChart::minimumSizeHint() const {
    const int side = fontMetrics().height() * 12;
    return {std::max(side, TextWidth()), side};
}

int CalibrationChart::TextWidth() const {
    int widest = 0;
    for (const QString& text : {Title(), SquaresNote(), DiagonalNote()}) {
        widest = std::max(widest, fontMetrics().horizontalAdvance(text));
    }
    return widest + 4;
}

QString CalibrationChart::Title() {
    return QStringLiteral("Your guess (across) against the true value (up)");
}

QString CalibrationChart::SquaresNote() {
    return QStringLiteral("Squares: the mean true value per 10-point band of guesses");
}

QString CalibrationChart::DiagonalNote() {
    return QStringLiteral("Above the dashed diagonal you rate hands too low");
}

void CalibrationChart::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics = fontMetrics();
    const QPalette& colours = palette();
    const QColor text = colours.color(QPalette::WindowText);
    const int line = metrics.height();
    const int left = metrics.horizontalAdvance(QStringLiteral("100 %")) + 8;
    const int side = std::min(width() - left - 8, height() - 4 * line - 8);
    const QRect plot(left, line + 4, side, side);
    if (hasFocus()) {
        painter.setPen(QPen(colours.color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    painter.setPen(text);
    painter.drawText(QRect(0, 0, width(), line), Qt::AlignLeft, Title());
    if (side <= 0) {
        return;
    }
    const auto at = [&](double guess, double truth) {
        return QPointF(plot.left() + plot.width() * guess / 100.0,
                       plot.bottom() - plot.height() * truth / 100.0);
    };
    painter.drawRect(plot);
    for (const int percent : {0, 50, 100}) {
        const QPointF y = at(0, percent);
        painter.drawText(QRectF(0, y.y() - line / 2.0, left - 6, line),
                         Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1 %").arg(percent));
        const QPointF x = at(percent, 0);
        painter.drawText(QRectF(x.x() - left / 2.0, plot.bottom() + 2, left, line),
                         Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("%1 %").arg(percent));
    }
    // The diagonal: a guess equal to its true value.
    QColor faint = text;
    faint.setAlphaF(0.5f);
    painter.setPen(QPen(faint, 1, Qt::DashLine));
    painter.drawLine(at(0, 0), at(100, 100));
    // Every answer as a small dot.
    QColor dot = colours.color(QPalette::Highlight);
    dot.setAlphaF(0.55f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(dot);
    for (const auto& [guess, truth] : m_points) {
        painter.drawEllipse(at(guess, truth), 2.5, 2.5);
    }
    // Each band's mean true value at its middle, joined in order.
    QPainterPath means;
    painter.setBrush(text);
    for (int band = 0; band < drill::kCalibrationBands; ++band) {
        const drill::CalibrationBand& b = m_summary.calibration[static_cast<std::size_t>(band)];
        if (b.answers == 0) {
            continue;
        }
        const QPointF point = at(10.0 * band + 5.0, b.meanTruth);
        means.isEmpty() ? means.moveTo(point) : means.lineTo(point);
        painter.setPen(Qt::NoPen);
        painter.drawRect(QRectF(point.x() - 4, point.y() - 4, 8, 8));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(text, 1.5));
    painter.drawPath(means);
    painter.drawText(QRect(0, plot.bottom() + 2 + line, width(), line), Qt::AlignLeft,
                     SquaresNote());
    painter.drawText(QRect(0, plot.bottom() + 2 + 2 * line, width(), line), Qt::AlignLeft,
                     DiagonalNote());
}

} // namespace quillory
