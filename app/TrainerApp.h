#pragma once

namespace quillory {

// The program's frame: names the settings key ("Morvelle Software", then the
// program's file name), runs the main window modally and returns once it has
// closed. Needs a QApplication. Returns the process exit code, always 0.
int RunTrainerApp();

} // namespace quillory
