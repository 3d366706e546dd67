#include "ui/TrainerDialog.h"

namespace quillory {

// Lists every seat's cards and marks the winners. Not wired to a hand yet.
void CTrainerDialog::OnShowdown() {}

} // namespace quillory
