#include "app/DrillApp.h"

#include "ui/ModalSeam.h"
#include "ui/Settings.h"
#include "ui/drill/DrillDialog.h"

namespace quillory {

int RunDrillApp() {
    // The same names as the main window's, so the record is in the same
    // data folder whichever way the drill is opened.
    SetSettingsOwner(QStringLiteral("Morvelle Software"));
    DrillDialog dialog(DefaultDrillRecordPath());
    RunModalDialog(dialog);
    return 0;
}

} // namespace quillory
