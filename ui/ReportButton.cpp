#include "ui/TrainerDialog.h"

namespace quillory {

// The hidden "&More..." button: exports the hand statistics. Not wired yet.
void CTrainerDialog::OnMore() {}

} // namespace quillory
