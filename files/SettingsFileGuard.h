#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace quillory {

// The checks that stand before a per-user settings file is opened, so that
// the settings can neither block the program (a FIFO, a lock that is not a
// file) nor replace what the name points to (a device, a folder).
//
// Each check gives nothing when the settings may go ahead, or else the one
// line to tell the user: UTF-8, the path quoted with the system's separators
// ('\' on Windows), not yet escaped for a terminal (the caller passes the
// whole line through PrintableText before writing it). The lock itself is
// taken by the caller, with the same lock protocol as the code that writes
// the file, and described with SettingsNotSavedNote.

// Whether `file` may be read and written: missing (it will be created) or a
// regular file, directly or through links. A FIFO, a device, a folder, a
// link to one of those, a dangling link or a loop of links gives the note
// that the defaults are used and not saved. A path that cannot be examined
// (a folder on the way that may not be searched) counts as missing: opening
// it fails, and the write says why. So does an empty path, which stands for
// settings that are not a file (the registry).
std::optional<std::string> SettingsFileFault(const std::filesystem::path& file);

// Prepares a write of `file`, whose lock is `file` with ".lock" appended.
// Checks `file` again as SettingsFileFault does (it may have changed since it
// was read) and gives that note; then the lock must be missing or a regular
// file that is not a link (it is created and removed by name), and the folder
// of `file` is created when missing. Gives the note that the settings were
// not saved, with the cause, when either fails.
std::optional<std::string> PrepareSettingsWrite(const std::filesystem::path& file);

// How long a write waits for the settings' lock before giving up (the code
// that writes the file itself would wait without end).
inline constexpr std::chrono::milliseconds kSettingsLockTimeout{1000};

// Why a write of the settings failed after PrepareSettingsWrite.
enum class SettingsWriteFailure {
    LockHeld,       // another program kept the lock past the time limit
    LockDenied,     // the lock could not be created: permission denied
    LockNotCreated, // the lock could not be created for another reason
    FileDenied,     // the file itself could not be written: permission denied
};

// The note that the settings in `file` were not saved, and why; the lock's
// failures name the lock's path.
std::string SettingsNotSavedNote(SettingsWriteFailure failure, const std::filesystem::path& file);

} // namespace quillory
