#include "app/CallAdvisorApp.h"

#include "ui/CallAdvisorDialog.h"
#include "ui/Settings.h"

namespace quillory {

int RunCallAdvisorApp(int rate, int callers) {
    SetSettingsOwner(QStringLiteral("Morvelle Software"));
    CCallAdvisorDialog dialog;
    dialog.m_nWinRate = rate;
    dialog.m_nCallers = callers + 1; // the first result column is "No caller"
    dialog.DoModal();
    return 0;
}

} // namespace quillory
