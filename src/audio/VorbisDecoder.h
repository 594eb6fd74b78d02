#pragma once

#include "audio/DecodedSound.h"
#include "audio/VorbisStream.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace Velmora::Audio {

/// Decodes an Ogg Vorbis file completely into memory, through a VorbisStream. Knows nothing about
/// OpenAL, so it runs in tests and fuzzers without a sound device. Hostile files fail softly:
/// the result is false, a record goes to the "AUDIO" channel and nothing is allocated beyond the
/// bounds below. A stream damaged part-way keeps the audio decoded before the damage (libogg
/// already drops pages whose checksum fails).
class VorbisDecoder {
public:
    /// Longest sound we hold in memory, in seconds of audio.
    static constexpr double kMaxSeconds = 600.0;
    /// Hard ceiling on the decoded size in bytes, whatever the rate and channel count.
    static constexpr size_t kMaxBytes = size_t{128} << 20;
    /// Highest sample rate accepted (Hz).
    static constexpr long kMaxRate = VorbisStream::kMaxRate;

    /// Decodes the file at path. False (and an empty sound) when the file is missing, not Vorbis,
    /// damaged, empty or longer than the bounds; a missing file logs nothing.
    static bool DecodeFile(const std::string& path, DecodedSound& sound);
    /// Decodes a whole Ogg Vorbis file held in memory; name is used in log records only.
    static bool DecodeMemory(std::span<const uint8_t> bytes, DecodedSound& sound,
                             const std::string& name = "<memory>");
};

} // namespace Velmora::Audio
