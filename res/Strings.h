#pragma once

#include <string_view>

namespace quillory::res {

// The About item of the window menu.
inline constexpr std::string_view kAboutItem = "&About Quillory...";

// Title of the program's message boxes.
inline constexpr std::string_view kMessageTitle = "Quillory";

} // namespace quillory::res
