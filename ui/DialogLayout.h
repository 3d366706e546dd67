#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <initializer_list>
#include <string_view>

class QDialog;
class QLabel;
class QLineEdit;
class QTableWidget;
class QWidget;

// The fixed layouts of the program's dialogs: each dialog keeps its controls'
// positions as data in dialog units and converts them to pixels once, here.
//
// One horizontal dialog unit is a quarter of the dialog font's average
// character width (the 52 letters A-Z, a-z), one vertical unit an eighth of
// its character height; x grows to the right, y downwards.
namespace quillory::layout {

struct DialogRect {
    int x{};
    int y{};
    int width{};
    int height{};
};

// Pixels per 4 horizontal and per 8 vertical dialog units.
struct BaseUnits {
    int x{};
    int y{};
};

BaseUnits MeasureBaseUnits(const QFont& font);

// Dialog units to pixels, each value rounded to the nearest pixel.
QRect ToPixels(const DialogRect& rect, BaseUnits units);

// The family at that size where it is installed ("MS Sans Serif" meaning its
// outline successor), otherwise the platform's general sans font.
QFont DialogFont(std::string_view family, int points);

// "&Pot:" to "Pot:", "A && B" to "A & B".
QString StripMnemonic(const QString& caption);

struct Placement {
    QWidget* widget{};
    DialogRect rect;
};

// Gives the dialog its caption, font, a close box without minimise or
// maximise, and a fixed client size of width x height units; places every
// control and chains the ones that take the Tab key in the order given. The
// horizontal unit grows where the font is wider than the layout expects, so
// a caption is never clipped: the layout widens as a whole. Returns the units
// used.
BaseUnits PlaceControls(QDialog& dialog, const QString& caption, const QFont& font,
                        std::initializer_list<Placement> controls, int width, int height);

// The controls the dialogs share: a label of plain text; an edit that takes
// digits only, with its accessible name, the buddy of `label` when one is
// given; and a read-only list of rows (one selected at a time, no editing,
// wrapping or row headers, rows one text line high).
QLabel* PlainLabel(QWidget& parent, const QString& text);
QLineEdit* DigitsEdit(QWidget& parent, const QString& name, QLabel* label);
void MakeRowList(QTableWidget& table);

} // namespace quillory::layout
