#include "ui/drill/ErrorChart.h"

#include "drill/TrueValue.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quillory {

ErrorChart::ErrorChart(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Mean error over the last sessions"));
    setFocusPolicy(Qt::TabFocus); // so a screen reader user can land on it and hear it
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    SetSessions({});
}

void ErrorChart::SetSessions(const std::vector<drill::SessionAccuracy>& sessions) {
    m_sessions = sessions;
    const QString text = TextEquivalent();
    setAccessibleDescription(text);
    setToolTip(text);
    update();
}

QString ErrorChart::TextEquivalent() const {
    if (m_sessions.empty()) {
        return QStringLiteral("No sessions yet.");
    }
    QStringList sentences;
    for (const drill::SessionAccuracy& session : m_sessions) {
        QString sentence = QStringLiteral("Session %1: %2")
                               .arg(session.session)
                               .arg(QString::fromStdString(drill::Describe(session.accuracy)));
        if (session.byOpponents[1].answers > 0) {
            sentence += QStringLiteral(" (random opponents: %1; opponents with a range: %2)")
                            .arg(QString::fromStdString(drill::Describe(session.byOpponents[0])),
                                 QString::fromStdString(drill::Describe(session.byOpponents[1])));
        }
        sentences << sentence + QLatin1Char('.');
    }
    return sentences.join(QLatin1Char(' '));
}

QSize ErrorChart::sizeHint() const {
    return {std::max(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 60, LegendWidth()),
            fontMetrics().height() * 14};
}

// Never narrower than the legend under the bars, so no word of it is cut.
QSize ErrorChart::minimumSizeHint() const {
    return {std::max(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 30, LegendWidth()),
            fontMetrics().height() * 12};
}

int ErrorChart::LegendWidth() const {
    return fontMetrics().horizontalAdvance(Legend()) + 4;
}

QString ErrorChart::Legend() {
    return QStringLiteral("Under each bar: the session, then the share within 5 points; "
                          "hatched: opponents with a range");
}

// The top of the scale in points: at least 10, else the largest error
// rounded up to a multiple of 5.
double ErrorChart::Scale() const {
    double largest = 0;
    for (const drill::SessionAccuracy& session : m_sessions) {
        largest = std::max(largest, session.accuracy.meanAbsoluteError);
    }
    return std::max(10.0, 5.0 * std::ceil(largest / 5.0));
}

void ErrorChart::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics = fontMetrics();
    const QPalette& colours = palette();
    const QColor text = colours.color(QPalette::WindowText);
    const int line = metrics.height();
    const int left = metrics.horizontalAdvance(QStringLiteral("00 pts")) + 8;
    // The title, then a line for the values over the bars, the bars, and
    // three lines under them.
    const QRect plot(left, 2 * line + 4, width() - left - 8, height() - 6 * line);
    if (hasFocus()) {
        painter.setPen(QPen(colours.color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    painter.setPen(text);
    painter.drawText(QRect(0, 0, width(), line), Qt::AlignLeft,
                     QStringLiteral("Mean error per session, in points (lower is better)"));
    if (plot.width() <= 0 || plot.height() <= 0) {
        return;
    }
    const double scale = Scale();
    const auto y = [&](double points) {
        return plot.bottom() - static_cast<int>(plot.height() * points / scale);
    };
    // Axis with its end values, and the hit window as a dashed line.
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    for (const double points : {0.0, scale}) {
        painter.drawText(QRect(0, y(points) - line / 2, left - 6, line),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1 pts").arg(static_cast<int>(points)));
    }
    QColor window = text;
    window.setAlphaF(0.6f);
    painter.setPen(QPen(window, 1, Qt::DashLine));
    const int hitLine = y(drill::kHitWindow);
    painter.drawLine(plot.left(), hitLine, plot.right(), hitLine);
    painter.drawText(QRect(0, hitLine - line / 2, left - 6, line),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("5 pts"));
    if (m_sessions.empty()) {
        painter.setPen(text);
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("No sessions yet"));
        return;
    }
    // One slot per session (room for twelve), the bar in its middle.
    const int places = std::max<int>(12, static_cast<int>(m_sessions.size()));
    const double slot = static_cast<double>(plot.width()) / places;
    for (std::size_t i = 0; i < m_sessions.size(); ++i) {
        const drill::Accuracy& accuracy = m_sessions[i].accuracy;
        const int x = plot.left() + static_cast<int>(slot * static_cast<double>(i));
        const int w = static_cast<int>(slot);
        const int top = y(std::min(accuracy.meanAbsoluteError, scale));
        const QRect column(x + w / 5, top, w - 2 * (w / 5), plot.bottom() - top);
        PaintBar(painter, column, m_sessions[i], scale);
        painter.setPen(text);
        painter.drawText(QRect(x, top - line, w, line), Qt::AlignHCenter | Qt::AlignBottom,
                         QString::number(accuracy.meanAbsoluteError, 'f', 1));
        painter.drawText(QRect(x, plot.bottom() + 2, w, line), Qt::AlignHCenter | Qt::AlignTop,
                         QStringLiteral("#%1").arg(m_sessions[i].session));
        painter.drawText(QRect(x, plot.bottom() + 2 + line, w, line),
                         Qt::AlignHCenter | Qt::AlignTop,
                         QStringLiteral("%1%").arg(qRound(100.0 * accuracy.hitRate)));
    }
    painter.drawText(QRect(0, plot.bottom() + 2 + 2 * line, width(), line), Qt::AlignLeft,
                     Legend());
}

// A session's bar: solid for answers against random cards; where some were
// against a range, the bar splits in two, the right half hatched and as high
// as the mean error against the range.
void ErrorChart::PaintBar(QPainter& painter, const QRect& column,
                          const drill::SessionAccuracy& session, double scale) const {
    const QColor bar = palette().color(QPalette::Highlight);
    const auto& random = session.byOpponents[0];
    const auto& ranged = session.byOpponents[1];
    if (ranged.answers == 0) {
        painter.fillRect(column, bar);
        return;
    }
    const int bottom = column.bottom();
    const auto top = [&](double points) {
        return bottom - static_cast<int>(
                            (bottom - column.top()) * std::min(points, scale) /
                            std::max(std::min(session.accuracy.meanAbsoluteError, scale), 1e-9));
    };
    const int half = random.answers > 0 ? column.width() / 2 : 0;
    if (half > 0) {
        const int t = top(random.meanAbsoluteError);
        painter.fillRect(QRect(column.left(), t, half, bottom - t), bar);
    }
    const int t = top(ranged.meanAbsoluteError);
    const QRect hatched(column.left() + half, t, column.width() - half, bottom - t);
    painter.fillRect(hatched, QBrush(bar, Qt::BDiagPattern));
    painter.setPen(bar);
    painter.drawRect(hatched.adjusted(0, 0, -1, -1));
}

} // namespace quillory
