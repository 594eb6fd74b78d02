#pragma once

#include <cstdint>
#include <vector>

namespace Velmora::Audio {

/// A whole sound decoded to interleaved little-endian signed 16-bit PCM, ready for one OpenAL
/// buffer. mChannels is 1 (mono) or 2 (stereo): streams with more channels are folded to stereo.
struct DecodedSound {
    int mChannels = 0;
    long mRate = 0;            ///< samples per second
    std::vector<uint8_t> mPcm; ///< mChannels × 2 bytes per frame
};

} // namespace Velmora::Audio
