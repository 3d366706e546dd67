#include "ui/HandStatisticsExport.h"
#include "ui/TrainerDialog.h"

namespace quillory {

// The hidden "&More..." button. The export uses nothing of the window's
// state; the read only makes a refused entry known, as every handler does.
void CTrainerDialog::OnMore() {
    m_trainer.Read(Fields());
    ExportHandStatistics();
}

void CTrainerDialog::ExportHandStatistics() {
    SaveHandStatistics(this, StatisticsExportOptions{});
}

} // namespace quillory
