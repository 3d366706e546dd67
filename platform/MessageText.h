#pragma once

#include <string>
#include <string_view>

namespace quillory {

// Text that repeats what a user typed, made safe for a message on a terminal.
// A message built with these is always exactly one line and never carries a
// terminal control sequence, whatever bytes the input held.
//
// Escapes: "\n", "\t", "\r" and "\xNN" for every other control byte (below
// 0x20 and 0x7F), for bytes that are not well-formed UTF-8, and for the UTF-8
// forms of the C1 controls (U+0080 to U+009F), the line and paragraph
// separators and the bidirectional overrides, which can reorder what a
// terminal shows. Other UTF-8 text, such as a file name in Japanese, is kept.

// The input between single quotes, with the escapes above and "\\" and "\'"
// for a backslash and a quote: Quoted("a'b\n") is 'a\'b\n'.
std::string Quoted(std::string_view text);

// The input with only the escapes above: for a whole message put together
// elsewhere (a system error text, a library's message naming a path), as the
// last step before it is written. Backslashes and quotes stay as they are.
std::string PrintableText(std::string_view text);

} // namespace quillory
