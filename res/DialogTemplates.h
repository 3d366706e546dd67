#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// Dialog templates as data: for every dialog its caption, font, size and
// controls, with positions in dialog units. The window layer builds widgets
// from these (ui/TemplateBuilder.h); nothing here depends on the toolkit.
//
// Dialog units: one horizontal unit is a quarter of the dialog font's average
// character width, one vertical unit an eighth of its character height. The
// order of the controls is the tab order and the order in which a label hands
// its mnemonic to the control after it.

namespace quillory::res {

// x, y, width, height in dialog units; x grows to the right, y downwards.
struct DialogRect {
    int x{};
    int y{};
    int width{};
    int height{};
};

enum class ControlKind : std::uint8_t {
    Label,      // static text; with kBorder a sunken box
    Icon,       // the program icon
    CheckBox,   // two-state check box that toggles itself
    PushButton, // ids 1 and 2 are the dialog's accept and cancel
    Edit,       // one-line edit unless kMultiLine
    ListView,   // report-style list with columns; kNoHeader for a card view
    ListBox,    // single-selection list of strings, never sorted
};

// Style bits of a control; any combination.
enum ControlStyle : std::uint32_t {
    kNoStyle = 0,
    kTabStop = 1u << 0,       // in the tab chain
    kBorder = 1u << 1,        // framed
    kDigitsOnly = 1u << 2,    // an edit that accepts only the digits 0 to 9
    kReadOnly = 1u << 3,      // an edit the user cannot change
    kMultiLine = 1u << 4,     // an edit of several lines
    kHidden = 1u << 5,        // created hidden
    kDisabled = 1u << 6,      // created disabled
    kDefaultButton = 1u << 7, // Enter presses it
    kNoHeader = 1u << 8,      // a list view without column headings
    kNoPrefix = 1u << 9,      // '&' in a label is shown as is
    kVScroll = 1u << 10,      // vertical scroll bar
};

inline constexpr int kNoId = -1; // labels and icons that nothing refers to

struct ControlTemplate {
    int id{kNoId};
    ControlKind kind{ControlKind::Label};
    std::string_view caption;
    DialogRect rect;
    std::uint32_t style{kNoStyle};
    // What assistive technology announces; empty means the caption without '&'.
    std::string_view accessibleName;
};

enum DialogStyle : std::uint32_t {
    kSystemMenu = 1u << 0, // title bar with the window menu and a close box
    kModalFrame = 1u << 1, // fixed size, no minimise or maximise box
};

struct DialogTemplate {
    int id{};
    std::string_view caption;
    std::string_view fontFamily; // falls back to the platform's sans font
    int fontPoints{};
    int width{}; // client area in dialog units
    int height{};
    std::uint32_t style{};
    std::span<const ControlTemplate> controls;
};

// The template with this resource number, or nullptr.
const DialogTemplate* FindDialogTemplate(int id);

// Every template, in resource-number order.
std::span<const DialogTemplate* const> AllDialogTemplates();

} // namespace quillory::res
