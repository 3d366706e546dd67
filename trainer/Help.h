#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillory {

// The name of a menu entry as the help text gives it: the caption without its
// mnemonic marks and without "..." ("Should I &Call?..." is "Should I Call?").
std::string MenuEntryName(std::string_view caption);

// Whether the window has a system menu (Alt+Space) that holds About Quillory.
enum class SystemMenu { Absent, HoldsAbout };

// What the main window's help (F1) shows: how the window is used, then where
// the other windows are (the context menu and, on macOS, the application
// menu) with `entries`, the names of the context menu's entries in order
// (nothing is added when there are none), then the system menu where it
// holds About Quillory.
std::string TrainerHelpText(const std::vector<std::string>& entries, SystemMenu systemMenu);

} // namespace quillory
