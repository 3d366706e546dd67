#pragma once

#include <QString>

namespace quillory {

class Trainer;

// The per-user settings: integers by section and name, under the company and
// application names that SetSettingsOwner gives. On Windows they are the
// registry key HKEY_CURRENT_USER\Software\<company>\<application>\<section>;
// elsewhere the platform's settings file for that company and application
// (QSettings' default format, so a test that switches it to an ini file in a
// temporary folder never touches the user's settings).
//
// Where the settings are a file, it is checked before anything opens it
// (files/SettingsFileGuard.h). When it is not a regular file, reads give the
// defaults and writes are skipped; a lock beside it that is not a regular
// file skips the write. One line on standard error says so, once, and so
// does a write that fails, with its cause.

// Names the owner: the company, and the application named after the program
// file without its extension.
void SetSettingsOwner(const QString& company);

// The settings file, or empty where the settings are not a file (the
// registry on Windows, the preferences system on macOS).
QString SettingsFilePath();

// The main window's two settings, section "Setting": "Demonstration" (the
// practice mode, default 1) and "NumPlayers" (the player count, default 4).
// Read once and written once, as a member of the window that owns the
// trainer: Save() when the window closes, or, when it never closed, this
// object's destructor. Nothing is written before Load() ran, nor when the
// file was unusable at start-up (the defaults were used then). A stored value
// that is not a whole number gives the default; one beyond the 32-bit range
// is saturated to it; the trainer holds the count to 2 to 10.
class TrainerSettingsStore {
public:
    explicit TrainerSettingsStore(Trainer& trainer) : m_trainer(trainer) {}
    ~TrainerSettingsStore() { Save(); }
    TrainerSettingsStore(const TrainerSettingsStore&) = delete;
    TrainerSettingsStore& operator=(const TrainerSettingsStore&) = delete;

    void Load();
    void Save();

private:
    Trainer& m_trainer;
    bool m_usable{};
    bool m_loaded{};
    bool m_saved{};
};

} // namespace quillory
