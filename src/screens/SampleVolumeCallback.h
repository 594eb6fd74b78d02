#pragma once

#include "interface/WSliderCallback.h"

namespace Velmora::Logic {

/// The audio page's effects slider: the slider's value becomes the audio manager's effect volume.
class SampleVolumeCallback : public Interface::WSliderCallback {
public:
    /// value 0 … 1 (clamped by the audio manager), applied to every effect source at once.
    void OnChange(double value) override;
};

} // namespace Velmora::Logic
