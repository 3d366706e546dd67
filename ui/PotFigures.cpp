#include "ui/TrainerDialog.h"

namespace quillory {

// Typing a pot or an investment recomputes the expected profit and the amount
// that can be added; an edit left empty becomes 0. Not computed yet.
void CTrainerDialog::OnChangePot() {}
void CTrainerDialog::OnChangeInvest() {}
void CTrainerDialog::OnKillFocusPot() {}
void CTrainerDialog::OnKillFocusInvest() {}

} // namespace quillory
