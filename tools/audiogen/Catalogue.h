#pragma once

#include "Signal.h"

#include <functional>
#include <string>
#include <vector>

namespace Velmora::AudioGen {

/// The list of files the game loads from data/audio, each with the function that renders it.
class Catalogue {
public:
    struct Entry {
        std::string mName;               ///< path relative to data/audio, as the game names it
        std::function<Stereo()> mRender; ///< mono clips leave mRight empty
        bool mStereo;
        double mQuality; ///< libvorbisenc quality
    };

    /// Every file, music first (the longest jobs).
    static std::vector<Entry> Entries();
};

} // namespace Velmora::AudioGen
