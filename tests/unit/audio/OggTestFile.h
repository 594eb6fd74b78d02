#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Velmora::Tests {

/// An Ogg Vorbis file holding a sine tone (the same on every channel), encoded with
/// libvorbisenc at low quality so it stays small. Empty when the encoder refuses the format.
std::vector<uint8_t> EncodeSineOgg(int channels, long rate, double seconds, double frequency);

/// Writes bytes to a file, creating parent directories.
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace Velmora::Tests
