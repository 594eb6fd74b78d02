#pragma once

#include "Song.h"

namespace Velmora::AudioGen {

/// Turns a Song into one mastered loop period. Every note, echo and reverb tail that runs past
/// the loop's end is wrapped into its beginning, so the file loops without a seam.
class SongRenderer {
public:
    /// The mastered stereo loop: exactly Song::LoopSeconds() long (rounded to samples), peaks at
    /// most −1 dBFS.
    static Stereo Render(const Song& song);

private:
    struct Buses {
        Stereo mDry;
        Stereo mReverb;
        Stereo mDelay;
    };

    static void RenderTrack(const Song& song, size_t trackIndex, Buses& buses);
    static Stereo Master(const Song& song, Buses& buses);
};

} // namespace Velmora::AudioGen
