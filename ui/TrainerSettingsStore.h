#pragma once

namespace quillory {

class Trainer;

// The settings of the main window: section "Setting", values "Demonstration"
// (practice mode, default 1) and "NumPlayers" (player count, default 4).
inline constexpr const char* kSettingsSection = "Setting";
inline constexpr const char* kPracticeModeEntry = "Demonstration";
inline constexpr const char* kPlayersEntry = "NumPlayers";

// Reads the trainer's two settings once and writes them once, as a member of
// the window that owns the trainer: Save() when the window closes, or, when
// it never closed, this object's destructor. Nothing is written before Load()
// ran, nor when the settings file was not a regular file at start-up (the
// defaults were used then). A write that cannot have the store's lock within
// a second is given up.
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
