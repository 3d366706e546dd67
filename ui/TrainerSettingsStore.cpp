#include "ui/TrainerSettingsStore.h"

#include "trainer/Trainer.h"
#include "ui/Profile.h"

namespace quillory {
namespace {

QString Name(const char* name) {
    return QString::fromLatin1(name);
}

} // namespace

// A stored value that is not a number gives the default; the trainer holds a
// count outside 2 to 10 to the nearest valid one.
void TrainerSettingsStore::Load() {
    m_loaded = true;
    m_usable = CheckProfileStore() == ProfileStore::Usable;
    const QString section = Name(kSettingsSection);
    m_trainer.RestoreSettings({GetProfileInt(section, Name(kPracticeModeEntry), 1),
                               GetProfileInt(section, Name(kPlayersEntry), 4)});
}

void TrainerSettingsStore::Save() {
    if (!m_loaded || m_saved) {
        return;
    }
    m_saved = true;
    if (!m_usable) {
        return;
    }
    const TrainerSettings settings = m_trainer.SettingsToStore();
    WriteProfileInts(Name(kSettingsSection), {{Name(kPracticeModeEntry), settings.practiceMode},
                                              {Name(kPlayersEntry), settings.players}});
}

} // namespace quillory
