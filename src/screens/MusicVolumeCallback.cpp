#include "screens/MusicVolumeCallback.h"

#include "audio/AudioManager.h"
#include "core/Settings.h"

namespace Velmora::Logic {

// The menu saves the settings when its page is left; a slider drag is not a file write per step.
void MusicVolumeCallback::OnChange(double value) {
    Settings::GetInstance().SetDouble(Settings::kMusicVolume, Audio::AudioManager::GetInstance().SetMusicVolume(value));
}

} // namespace Velmora::Logic
