#pragma once

namespace quillory {

// Runs "Equity Calculator" on its own (quillory --equity), with the range
// presets in the user's data folder, and returns the program's exit status.
int RunEquityApp();

} // namespace quillory
