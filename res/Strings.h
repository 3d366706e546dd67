#pragma once

#include <string_view>

namespace quillory::res {

// The string with this resource number; empty when there is none. Number 101
// is the text of the About item in the window menu.
std::string_view LoadResourceString(int id);

// What the help command (F1) shows.
std::string_view HelpText();

// Title of the program's message boxes.
inline constexpr std::string_view kMessageTitle = "Quillory";

} // namespace quillory::res
