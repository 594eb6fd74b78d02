#include "screens/SampleVolumeCallback.h"

#include "audio/AudioManager.h"
#include "core/Settings.h"

namespace Velmora::Logic {

// The menu saves the settings when its page is left; a slider drag is not a file write per step.
void SampleVolumeCallback::OnChange(double value) {
    Settings::GetInstance().SetDouble(Settings::kEffectsVolume, Audio::AudioManager::GetInstance().SetSampleVolume(value));
}

} // namespace Velmora::Logic
