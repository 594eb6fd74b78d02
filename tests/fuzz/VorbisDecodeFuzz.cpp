// Arbitrary bytes through the Vorbis decoder and the stream it decodes with: neither may crash,
// overrun or allocate beyond its bounds. Whatever the decoder accepts must be well-formed 16-bit
// PCM in one or two channels; the stream, read in small pieces as music is, must give the same
// samples, and give its first samples again after rewinding, as a looping track does.
#include "audio/VorbisDecoder.h"
#include "audio/VorbisStream.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

using Velmora::Audio::DecodedSound;
using Velmora::Audio::VorbisDecoder;
using Velmora::Audio::VorbisStream;

namespace {

// Reads the stream in pieces of `piece` bytes until its end, damage, or `limit` bytes.
std::vector<uint8_t> ReadPieces(VorbisStream& stream, size_t piece, size_t limit) {
    std::vector<uint8_t> pcm;
    std::vector<uint8_t> buffer(piece);
    size_t got = 0;
    while (pcm.size() <= limit && stream.Read(buffer, got) == VorbisStream::ReadResult::kData) {
        if (got > piece) __builtin_trap();
        pcm.insert(pcm.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got));
        if (got == 0 && piece >= 8) break; // a piece holding a whole frame must make progress
    }
    return pcm;
}

void CheckStream(const uint8_t* data, size_t size, const DecodedSound& sound, bool decoded) {
    VorbisStream stream;
    if (!stream.OpenMemory({data, size}, "fuzz.ogg")) {
        if (decoded) __builtin_trap(); // the decoder opens files through the same stream
        return;
    }
    const size_t piece = 8 + size % 4093;
    const std::vector<uint8_t> pcm = ReadPieces(stream, piece, VorbisDecoder::kMaxBytes);
    if (decoded && pcm != sound.mPcm) __builtin_trap();
    if (pcm.empty() || !stream.Rewind()) return;
    const std::vector<uint8_t> again = ReadPieces(stream, piece, std::min<size_t>(pcm.size(), 65536));
    if (!std::equal(again.begin(), again.begin() + static_cast<std::ptrdiff_t>(std::min(again.size(), pcm.size())),
                    pcm.begin())) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedSound sound;
    const bool decoded = VorbisDecoder::DecodeMemory({data, size}, sound, "fuzz.ogg");
    if (!decoded) {
        if (!sound.mPcm.empty()) __builtin_trap();
    } else {
        const size_t frameBytes = static_cast<size_t>(sound.mChannels) * 2;
        if (sound.mChannels < 1 || sound.mChannels > 2) __builtin_trap();
        if (sound.mRate < 1 || sound.mRate > VorbisDecoder::kMaxRate) __builtin_trap();
        if (sound.mPcm.empty() || sound.mPcm.size() % frameBytes != 0) __builtin_trap();
        // One chunk past the limit at most is read before the decoder stops.
        if (sound.mPcm.size() > VorbisDecoder::kMaxBytes + 16384) __builtin_trap();
    }
    CheckStream(data, size, sound, decoded);
    return 0;
}
