#pragma once

#include <string>
#include <string_view>

namespace quillory {

// Output of the window program that needs no window: --version, --help and
// complaints about the command line.
//
// On Windows the program is a windowed one and has no console of its own;
// unless its output is redirected, the text goes to the console it was
// started from. Typed in a console, `quillory` finds the launcher quillory.com
// beside it first (tools/console-launcher), which hands the program the
// console's handles and waits for its exit status. Elsewhere these write to the
// standard streams.

// Connects standard output and error to the starting console where they are
// not connected already. Does nothing outside Windows.
void AttachToStartingConsole();

// Writes an answer to standard output. Returns 0, or 2 after a message on
// standard error when the output could not be written (closed, full).
int WriteAnswer(std::string_view program, const std::string& text);

// Writes lines to standard error, as they are.
void WriteError(const std::string& text);

} // namespace quillory
