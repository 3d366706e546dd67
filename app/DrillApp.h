#pragma once

namespace quillory {

// Runs "Practise Estimating" on its own (quillory --drill), with the record in
// the user's data folder, and returns the program's exit status.
int RunDrillApp();

} // namespace quillory
