#include "ui/equity/EquityPicture.h"

#include "platform/NumberText.h"
#include "report/HeatMap.h"

#include <QLinearGradient>
#include <QPainter>
#include <cmath>

namespace quillory {
namespace {

QColor Rgb(std::uint32_t rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

// Light text on the dark end of the scale, dark text on the light end.
std::uint32_t TextOn(std::uint32_t fill) {
    return Rgb(fill).lightnessF() > 0.55 ? 0x000000 : 0xFFFFFF;
}

std::string Hex(std::uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
    return text;
}

constexpr int kTitleLines = 1;

} // namespace

std::uint32_t EquityColour(double percent) {
    // The heat map's scale, whose stops grow lighter from end to end.
    return HeatColour(percent);
}

EquityPicture::EquityPicture(QWidget* parent) : QWidget(parent) {
    Clear();
    setAccessibleName(QStringLiteral("Equity picture"));
}

void EquityPicture::Show(const QString& title, const std::array<double, kClassCount>& equities) {
    m_title = title;
    m_equities = equities;
    QString described;
    for (int place = 0; place < kClassCount; ++place) {
        const int handClass = ClassesByStrength()[static_cast<std::size_t>(place)];
        if (m_equities[static_cast<std::size_t>(handClass)] >= 0.0) {
            described += QStringLiteral("%1 %2%, ")
                             .arg(QString::fromStdString(ClassName(handClass)))
                             .arg(m_equities[static_cast<std::size_t>(handClass)], 0, 'f', 1);
        }
    }
    described.chop(2);
    setAccessibleDescription(title + QStringLiteral(": ") + described);
    update();
}

void EquityPicture::Clear() {
    m_title.clear();
    m_equities.fill(-1.0);
    setAccessibleDescription(QStringLiteral("No picture yet"));
    update();
}

int EquityPicture::Side() const {
    return std::max(fontMetrics().horizontalAdvance(QStringLiteral("AKo")) + 10,
                    2 * fontMetrics().height() + 4);
}

QSize EquityPicture::sizeHint() const {
    const int line = fontMetrics().height();
    return {kGridSize * Side() + 2, (kTitleLines + 3) * line + kGridSize * Side() + 16};
}

QRect EquityPicture::CellRect(int handClass) const {
    const int side = Side();
    const int top = kTitleLines * fontMetrics().height() + 6;
    return {1 + (handClass % kGridSize) * side, top + (handClass / kGridSize) * side, side, side};
}

void EquityPicture::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Window));
    painter.setPen(colours.color(QPalette::WindowText));
    const QFontMetrics metrics = fontMetrics();
    painter.drawText(QRect(0, 0, width(), metrics.height() + 4), Qt::AlignLeft | Qt::AlignVCenter,
                     m_title);
    for (int handClass = 0; handClass < kClassCount; ++handClass) {
        const QRect cell = CellRect(handClass).adjusted(0, 0, -1, -1);
        const double equity = m_equities[static_cast<std::size_t>(handClass)];
        const QString name = QString::fromStdString(ClassName(handClass));
        if (equity < 0.0) {
            painter.fillRect(cell, colours.color(QPalette::Base));
            painter.setPen(colours.color(QPalette::PlaceholderText));
            painter.drawText(cell, Qt::AlignCenter, name);
        } else {
            const std::uint32_t fill = EquityColour(equity);
            painter.fillRect(cell, Rgb(fill));
            painter.setPen(Rgb(TextOn(fill)));
            painter.drawText(cell, Qt::AlignCenter,
                             name + QLatin1Char('\n') + QString::number(std::lround(equity)));
        }
        painter.setPen(colours.color(QPalette::Mid));
        painter.drawRect(cell);
    }
    // The legend: the scale from 0 % to 100 % with its quarters labelled.
    const int legendTop = CellRect(kClassCount - 1).bottom() + 8;
    const QRect bar(1 + metrics.horizontalAdvance(QStringLiteral("100%")) / 2, legendTop,
                    kGridSize * Side() - metrics.horizontalAdvance(QStringLiteral("100%")),
                    metrics.height() / 2 + 4);
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    for (int percent = 0; percent <= 100; percent += 5) {
        gradient.setColorAt(percent / 100.0, Rgb(EquityColour(percent)));
    }
    painter.fillRect(bar, gradient);
    painter.setPen(colours.color(QPalette::WindowText));
    for (int percent = 0; percent <= 100; percent += 25) {
        const int x = bar.left() + bar.width() * percent / 100;
        const QString label = QStringLiteral("%1%").arg(percent);
        painter.drawText(x - metrics.horizontalAdvance(label) / 2,
                         bar.bottom() + 4 + metrics.ascent(), label);
    }
}

std::string EquityPicture::Svg() const {
    constexpr int kCell = 40;
    constexpr int kTop = 30;
    const int width = kGridSize * kCell + 20;
    const int height = kTop + kGridSize * kCell + 60;
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) +
                      "\" height=\"" + std::to_string(height) +
                      "\" font-family=\"sans-serif\">\n<rect width=\"100%\" height=\"100%\" "
                      "fill=\"#FFFFFF\"/>\n<text x=\"10\" y=\"20\" font-size=\"14\">" +
                      m_title.toHtmlEscaped().toStdString() + "</text>\n";
    for (int handClass = 0; handClass < kClassCount; ++handClass) {
        const int x = 10 + (handClass % kGridSize) * kCell;
        const int y = kTop + (handClass / kGridSize) * kCell;
        const double equity = m_equities[static_cast<std::size_t>(handClass)];
        const std::uint32_t fill = equity < 0.0 ? 0xF4F4F4 : EquityColour(equity);
        const std::uint32_t ink = equity < 0.0 ? 0x999999 : TextOn(fill);
        svg += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
               std::to_string(kCell - 1) + "\" height=\"" + std::to_string(kCell - 1) +
               "\" fill=\"" + Hex(fill) + "\"/><text x=\"" + std::to_string(x + kCell / 2) +
               "\" y=\"" + std::to_string(y + 17) +
               "\" font-size=\"11\" text-anchor=\"middle\" "
               "fill=\"" +
               Hex(ink) + "\">" + ClassName(handClass);
        if (equity >= 0.0) {
            svg += "<tspan x=\"" + std::to_string(x + kCell / 2) + "\" dy=\"13\">" +
                   FixedText(equity, 0) + "</tspan>";
        }
        svg += "</text>\n";
    }
    const int legendY = kTop + kGridSize * kCell + 12;
    svg += "<defs><linearGradient id=\"scale\">";
    for (int percent = 0; percent <= 100; percent += 25) {
        svg += "<stop offset=\"" + std::to_string(percent) + "%\" stop-color=\"" +
               Hex(EquityColour(percent)) + "\"/>";
    }
    svg += "</linearGradient></defs>\n<rect x=\"10\" y=\"" + std::to_string(legendY) +
           "\" width=\"" + std::to_string(kGridSize * kCell) +
           "\" height=\"12\" fill=\"url(#scale)\"/>\n";
    for (int percent = 0; percent <= 100; percent += 25) {
        svg += "<text x=\"" + std::to_string(10 + kGridSize * kCell * percent / 100) + "\" y=\"" +
               std::to_string(legendY + 28) + "\" font-size=\"11\" text-anchor=\"middle\">" +
               std::to_string(percent) + "%</text>\n";
    }
    return svg + "</svg>\n";
}

} // namespace quillory
