#include "ui/TrainerDialog.h"

namespace quillory {

// Draw, Flop, Turn and River: each step deals or asks for its cards, estimates
// the winning rate and shows the cards. Not wired to a hand yet.
void CTrainerDialog::OnDraw() {}
void CTrainerDialog::OnFlop() {}
void CTrainerDialog::OnTurn() {}
void CTrainerDialog::OnRiver() {}

} // namespace quillory
