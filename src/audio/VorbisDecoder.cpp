#include "audio/VorbisDecoder.h"

#include "audio/VorbisStream.h"
#include "core/LogRecord.h"

#include <algorithm>

namespace Velmora::Audio {

namespace {

constexpr size_t kChunkBytes = 16384;
constexpr int kBytesPerSample = 2;

size_t MaxBytes(long rate, int channels) {
    const double bytes = VorbisDecoder::kMaxSeconds * static_cast<double>(rate) * channels * kBytesPerSample;
    return std::min(VorbisDecoder::kMaxBytes, static_cast<size_t>(bytes));
}

bool ReadAll(VorbisStream& stream, size_t limit, std::vector<uint8_t>& pcm) {
    uint8_t chunk[kChunkBytes];
    for (;;) {
        size_t got = 0;
        const VorbisStream::ReadResult result = stream.Read(chunk, got);
        if (result == VorbisStream::ReadResult::kEnd) return true;
        if (result == VorbisStream::ReadResult::kDamaged) {
            // What came before the damage is good audio; keep it, like the end of a short file.
            VELMORA_LOG("AUDIO") << "Damaged Vorbis data in " << stream.GetName() << "; the rest is ignored";
            return true;
        }
        pcm.insert(pcm.end(), chunk, chunk + got);
        if (pcm.size() > limit) {
            VELMORA_LOG("AUDIO") << "Sound file too long: " << stream.GetName();
            return false;
        }
    }
}

bool DecodeStream(VorbisStream& stream, DecodedSound& sound) {
    const size_t limit = MaxBytes(stream.GetRate(), stream.GetChannels());
    const size_t frameBytes = static_cast<size_t>(stream.GetChannels()) * kBytesPerSample;
    const int64_t frames = stream.GetFrameCount();
    if (frames > 0 && static_cast<uint64_t>(frames) > limit / frameBytes) {
        VELMORA_LOG("AUDIO") << "Sound file too long: " << stream.GetName();
        return false;
    }
    std::vector<uint8_t> pcm;
    if (frames > 0) pcm.reserve(static_cast<size_t>(frames) * frameBytes);
    if (!ReadAll(stream, limit, pcm)) return false;
    if (pcm.empty()) {
        VELMORA_LOG("AUDIO") << "No audio in " << stream.GetName();
        return false;
    }
    sound.mChannels = stream.GetChannels();
    sound.mRate = stream.GetRate();
    sound.mPcm = std::move(pcm);
    return true;
}

} // namespace

bool VorbisDecoder::DecodeFile(const std::string& path, DecodedSound& sound) {
    sound = DecodedSound();
    VorbisStream stream;
    return stream.OpenFile(path) && DecodeStream(stream, sound);
}

bool VorbisDecoder::DecodeMemory(std::span<const uint8_t> bytes, DecodedSound& sound, const std::string& name) {
    sound = DecodedSound();
    VorbisStream stream;
    return stream.OpenMemory(bytes, name) && DecodeStream(stream, sound);
}

} // namespace Velmora::Audio
