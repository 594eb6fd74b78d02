#include "screens/MusicVolumeCallback.h"

#include "audio/AudioManager.h"

namespace Velmora::Logic {

void MusicVolumeCallback::OnChange(double value) { Audio::AudioManager::GetInstance().SetMusicVolume(value); }

} // namespace Velmora::Logic
