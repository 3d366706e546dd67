#include "ui/HandStatisticsExport.h"
#include "ui/TrainerDialog.h"

namespace quillory {

// The hidden "&More..." button simulates 100,000 deals and saves the hand
// statistics where the user chooses. The export uses nothing of the window's
// state; the read only makes a refused entry known, as every handler does.
void CTrainerDialog::OnMore() {
    m_trainer.Read(Fields());
    SaveHandStatistics(this, StatisticsExportOptions{});
}

} // namespace quillory
