#pragma once

#include "range/HandRange.h"

#include <QWidget>
#include <array>
#include <cstdint>
#include <string>

namespace quillory {

// The colour of an equity (0 to 100 %) on the picture's scale: from dark
// purple through blue and green to yellow, each step of higher luminance
// than the one below it, so a higher equity is never drawn darker, in light
// and dark palettes alike.
std::uint32_t EquityColour(double percent);

// One range's 13x13 grid, each class in the range filled with the colour of
// its equity against the other players and labelled with its name and whole
// percent; classes outside the range stay in the palette's base colour. A
// legend of the scale is drawn beneath. Readable in light and dark palettes:
// text on a fill takes black or white by the fill's lightness, the rest the
// palette's text colour.
class EquityPicture : public QWidget {
    Q_OBJECT

public:
    explicit EquityPicture(QWidget* parent = nullptr);

    // Equities per class in percent, negative outside the range.
    void Show(const QString& title, const std::array<double, kClassCount>& equities);
    void Clear();
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // The cell of a class, in the widget's coordinates.
    QRect CellRect(int handClass) const;
    // The picture as SVG text.
    std::string Svg() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int Side() const;
    QString m_title;
    std::array<double, kClassCount> m_equities{};
};

} // namespace quillory
