#pragma once

#include "Signal.h"

#include <string>
#include <vector>

namespace Velmora::AudioGen {

/// Encodes rendered audio as Ogg Vorbis (variable bit rate) with libvorbisenc.
class VorbisWriter {
public:
    /// Writes one or two equally long channels at kSampleRate to path, creating parent folders.
    /// quality is libvorbisenc's −0.1 … 1 scale; serial names the Ogg stream (fixed, so the file
    /// is identical on every run). Samples are clamped to [-1, 1]. Returns false (with a message
    /// on standard error) when the encoder or the file fails.
    static bool Write(const std::string& path, const std::vector<const Mono*>& channels, double quality, int serial);
};

} // namespace Velmora::AudioGen
