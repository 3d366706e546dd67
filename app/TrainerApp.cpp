#include "app/TrainerApp.h"

#include "ui/Settings.h"
#include "ui/TrainerDialog.h"

namespace quillory {

int RunTrainerApp() {
    SetSettingsOwner(QStringLiteral("Morvelle Software"));
    CTrainerDialog dialog;
    dialog.DoModal(); // the window writes its settings as it closes
    return 0;
}

} // namespace quillory
