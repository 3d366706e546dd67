#pragma once

namespace quillory {

// Runs "Should I Call?" on its own, with the winning rate (whole percent, 0 to
// 100) and a column for each of 0 to `callers` players calling after the
// user (0 to 9). Needs a QApplication. Returns the process exit code, 0.
int RunCallAdvisorApp(int rate, int callers);

} // namespace quillory
