#include "app/EquityApp.h"

#include "ui/ModalSeam.h"
#include "ui/Settings.h"
#include "ui/equity/EquityWindow.h"

namespace quillory {

int RunEquityApp() {
    // The same names as the main window's, so the range presets are in the
    // same data folder whichever way the calculator is opened.
    SetSettingsOwner(QStringLiteral("Morvelle Software"));
    EquityWindow window;
    RunModalDialog(window);
    return 0;
}

} // namespace quillory
