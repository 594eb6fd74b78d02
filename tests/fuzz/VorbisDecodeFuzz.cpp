// Arbitrary bytes through the Vorbis decoder: it must never crash, overrun or allocate beyond
// its bounds, and whatever it accepts must be well-formed 16-bit PCM in one or two channels.
#include "audio/VorbisDecoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using Velmora::Audio::DecodedSound;
    using Velmora::Audio::VorbisDecoder;
    DecodedSound sound;
    if (!VorbisDecoder::DecodeMemory({data, size}, sound, "fuzz.ogg")) {
        if (!sound.mPcm.empty()) __builtin_trap();
        return 0;
    }
    const size_t frameBytes = static_cast<size_t>(sound.mChannels) * 2;
    if (sound.mChannels < 1 || sound.mChannels > 2) __builtin_trap();
    if (sound.mRate < 1 || sound.mRate > VorbisDecoder::kMaxRate) __builtin_trap();
    if (sound.mPcm.empty() || sound.mPcm.size() % frameBytes != 0) __builtin_trap();
    // One chunk past the limit at most is read before the decoder stops.
    if (sound.mPcm.size() > VorbisDecoder::kMaxBytes + 16384) __builtin_trap();
    return 0;
}
