#include "ui/TrainerDialog.h"

namespace quillory {

// Each Fix button replaces the card in its slot through the card picker. Not
// wired to the picker yet.
void CTrainerDialog::OnFixHole1() {}
void CTrainerDialog::OnFixHole2() {}
void CTrainerDialog::OnFixFlop1() {}
void CTrainerDialog::OnFixFlop2() {}
void CTrainerDialog::OnFixFlop3() {}
void CTrainerDialog::OnFixTurn() {}
void CTrainerDialog::OnFixRiver() {}

} // namespace quillory
