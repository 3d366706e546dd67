#pragma once

#include <QString>
#include <cstdint>

namespace quillory {

// The per-user settings store: integers by section and name, under the
// company and application names that SetRegistryKey gives. On Windows it is
// the registry key HKEY_CURRENT_USER\Software\<company>\<application>\<section>;
// elsewhere the platform's settings file for that company and application.
// The store follows QSettings' default format, so a test that switches it to
// an ini file in a temporary folder never touches the user's settings.

// Names the store: the company, and the application named after the program
// file without its extension.
void SetRegistryKey(const QString& company);

// The stored integer, or the default when the value is missing or is not a
// whole number. A number outside the 32-bit range is saturated to it.
std::int32_t GetProfileInt(const QString& section, const QString& entry, std::int32_t defaultValue);

// Stores an integer; false when the store could not be written (the callers
// ignore it).
bool WriteProfileInt(const QString& section, const QString& entry, std::int32_t value);

} // namespace quillory
