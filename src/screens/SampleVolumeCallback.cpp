#include "screens/SampleVolumeCallback.h"

#include "audio/AudioManager.h"

namespace Velmora::Logic {

void SampleVolumeCallback::OnChange(double value) { Audio::AudioManager::GetInstance().SetSampleVolume(value); }

} // namespace Velmora::Logic
