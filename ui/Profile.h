#pragma once

#include <QString>
#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <utility>

namespace quillory {

// The per-user settings store: integers by section and name, under the
// company and application names that SetRegistryKey gives. On Windows it is
// the registry key HKEY_CURRENT_USER\Software\<company>\<application>\<section>;
// elsewhere the platform's settings file for that company and application.
// The store follows QSettings' default format, so a test that switches it to
// an ini file in a temporary folder never touches the user's settings.
//
// Where the store is a file, it is checked before anything opens it: a path
// that exists but is not a regular file (a FIFO, a device, a folder, a link
// to one of those, a loop of links), or a lock file beside it that is not a
// regular file, makes the store unusable. Reads then give the defaults and
// writes are skipped, so the store can neither block the program nor replace
// what the name points to; one line on standard error says so, once. Only
// that one file is read: neither a company-wide file nor system-wide
// defaults are consulted.

// Names the store: the company, and the application named after the program
// file without its extension.
void SetRegistryKey(const QString& company);

enum class ProfileStore {
    Usable,   // missing (it will be created) or a regular file
    Unusable, // something else stands at its path or at its lock's path
};

// Checks the store's file and its lock (always Usable for the registry).
ProfileStore CheckProfileStore();

// The store's file, or empty where the store is not a file (the registry on
// Windows, the preferences system on macOS).
QString ProfileFilePath();

// How long a write waits for the store's lock before giving up.
inline constexpr std::chrono::milliseconds kProfileLockTimeout{1000};

// The stored integer, or the default when the value is missing, is not a
// whole number, or the store is unusable. A number outside the 32-bit range
// is saturated to it.
std::int32_t GetProfileInt(const QString& section, const QString& entry, std::int32_t defaultValue);

// Stores integers of one section in one write; false when nothing could be
// stored (an unusable store, a lock held for longer than kProfileLockTimeout,
// any write error). The callers ignore it.
bool WriteProfileInts(const QString& section,
                      std::initializer_list<std::pair<QString, std::int32_t>> values);

// Stores one integer; as WriteProfileInts.
bool WriteProfileInt(const QString& section, const QString& entry, std::int32_t value);

} // namespace quillory
