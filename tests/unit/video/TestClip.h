#pragma once

#include <cstdint>
#include <vector>

namespace Velmora::Video::Tests {

/// Shape of a clip made by EncodeClip.
struct ClipSpec {
    int mWidth = 64;
    int mHeight = 48;
    int mFrames = 24;
    int mFps = 24;
    int mAudioChannels = 0;  ///< 0: no sound track
    int mAudioRate = 22050;
    bool mTextured = false;  ///< fine noise over the grey, so frames take many pages
};

/// Luma of every pixel of frame i in a clip from EncodeClip (flat pictures code almost exactly).
int LumaOf(int frame);

/// An Ogg file with a Theora stream of grey frames (frame i has luma LumaOf(i), neutral chroma,
/// flat unless textured) and, when asked, a Vorbis sine of the same length; pages interleaved by time.
std::vector<std::uint8_t> EncodeClip(const ClipSpec& spec);

} // namespace Velmora::Video::Tests
