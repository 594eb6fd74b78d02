#pragma once

#include "interface/WSliderCallback.h"

namespace Velmora::Logic {

/// The audio page's music slider: the slider's value becomes the audio manager's music volume.
class MusicVolumeCallback : public Interface::WSliderCallback {
public:
    /// value 0 … 1 (clamped by the audio manager), applied to the music at once and kept in the settings.
    void OnChange(double value) override;
};

} // namespace Velmora::Logic
