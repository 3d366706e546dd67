#pragma once

#include "res/DialogTemplates.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <string_view>
#include <vector>

class QDialog;
class QLabel;
class QWidget;

namespace quillory {

// The dialog-unit base of a font, in pixels: x is the average width of the 52
// letters A-Z and a-z, y the character height. One horizontal dialog unit is
// x / 4 pixels, one vertical unit y / 8.
struct BaseUnits {
    int x{};
    int y{};
};

BaseUnits MeasureBaseUnits(const QFont& font);

// Dialog units to pixels, each value rounded to the nearest pixel.
QRect ToPixels(const res::DialogRect& rect, BaseUnits units);

// The font of a dialog: the family at the size where it is installed,
// otherwise the platform's general sans font at the same size.
QFont DialogFont(std::string_view family, int points);

// "&Pot:" to "Pot:", "A && B" to "A & B".
QString StripMnemonic(const QString& caption);

// The width in pixels a control needs to show its caption without clipping;
// 0 for controls without a caption.
int CaptionWidth(const QWidget& widget, const res::ControlTemplate& controlTemplate);

struct BuiltControl {
    const res::ControlTemplate* controlTemplate{};
    QWidget* widget{};
};

struct BuiltDialog {
    BaseUnits units;
    std::vector<BuiltControl> controls; // in template order
};

// Builds a template into an empty dialog: caption, font, window decoration,
// fixed client size, and every control in template order with its id, style,
// caption, position, buddy label, tab order and accessible name. The
// horizontal unit grows where the font is wider than the template expects, so
// that no caption is clipped; the layout then widens as a whole.
BuiltDialog BuildDialog(QDialog& dialog, const res::DialogTemplate& source);

// The control id kept on a built widget; res::kNoId for labels and icons.
int ControlId(const QWidget& widget);

// Sets a label's text. A label that shows a figure (a template label with an
// accessible name of its own, such as the winning rate) is announced as that
// name and the figure, "Winning rate: 49.36%", so screen readers read the
// value and hear of each change; with no figure it is the name alone.
void SetLabelText(QLabel& label, const QString& text);

} // namespace quillory
