#include "audio/VorbisDecoder.h"

#include "core/LogRecord.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace Velmora::Audio {

namespace {

constexpr size_t kChunkBytes = 16384;
constexpr int kBytesPerSample = 2;

// libvorbisfile reads through these; the FILE* is closed by ov_clear once the stream is open.
size_t ReadFile(void* out, size_t size, size_t count, void* source) {
    return std::fread(out, size, count, static_cast<FILE*>(source));
}
int SeekFile(void* source, ogg_int64_t offset, int origin) {
    return fseeko(static_cast<FILE*>(source), static_cast<off_t>(offset), origin);
}
int CloseFile(void* source) { return std::fclose(static_cast<FILE*>(source)); }
long TellFile(void* source) { return static_cast<long>(ftello(static_cast<FILE*>(source))); }

struct MemoryReader {
    std::span<const uint8_t> mBytes;
    size_t mPosition = 0;
};

size_t ReadMemory(void* out, size_t size, size_t count, void* source) {
    MemoryReader& reader = *static_cast<MemoryReader*>(source);
    if (size == 0) return 0;
    const size_t items = std::min(count, (reader.mBytes.size() - reader.mPosition) / size);
    if (items > 0) std::memcpy(out, reader.mBytes.data() + reader.mPosition, items * size);
    reader.mPosition += items * size;
    return items;
}
int SeekMemory(void* source, ogg_int64_t offset, int origin) {
    MemoryReader& reader = *static_cast<MemoryReader*>(source);
    const auto size = static_cast<ogg_int64_t>(reader.mBytes.size());
    ogg_int64_t base = 0;
    if (origin == SEEK_CUR) base = static_cast<ogg_int64_t>(reader.mPosition);
    else if (origin == SEEK_END) base = size;
    else if (origin != SEEK_SET) return -1;
    if (offset < -base || offset > size - base) return -1;
    reader.mPosition = static_cast<size_t>(base + offset);
    return 0;
}
int CloseMemory(void*) { return 0; }
long TellMemory(void* source) { return static_cast<long>(static_cast<MemoryReader*>(source)->mPosition); }

// Owns an opened stream; ov_clear also closes the data source through the close callback.
struct OpenStream {
    OggVorbis_File mFile{};
    bool mOpen = false;
    OpenStream() = default;
    OpenStream(const OpenStream&) = delete;
    OpenStream& operator=(const OpenStream&) = delete;
    ~OpenStream() {
        if (mOpen) ov_clear(&mFile);
    }
};

size_t MaxBytes(long rate, int channels) {
    const double bytes = VorbisDecoder::kMaxSeconds * static_cast<double>(rate) * channels * kBytesPerSample;
    return std::min(VorbisDecoder::kMaxBytes, static_cast<size_t>(bytes));
}

// Appends whole frames of a chunk; streams with more than two channels keep front left and
// front right (Vorbis order: 3 and 5+ channels put the centre second, quadraphonic does not).
void AppendFrames(const char* chunk, size_t bytes, int channels, std::vector<uint8_t>& pcm) {
    const auto* data = reinterpret_cast<const uint8_t*>(chunk);
    if (channels <= 2) {
        pcm.insert(pcm.end(), data, data + bytes);
        return;
    }
    const size_t frameBytes = static_cast<size_t>(channels) * kBytesPerSample;
    const size_t right = channels == 4 ? 1 : 2;
    for (size_t frame = 0; frame + frameBytes <= bytes; frame += frameBytes) {
        pcm.insert(pcm.end(), data + frame, data + frame + kBytesPerSample);
        const uint8_t* rightSample = data + frame + right * kBytesPerSample;
        pcm.insert(pcm.end(), rightSample, rightSample + kBytesPerSample);
    }
}

bool ReadAll(OggVorbis_File& file, int channels, long rate, size_t limit, std::vector<uint8_t>& pcm,
             const std::string& name) {
    char chunk[kChunkBytes];
    for (;;) {
        int link = -1;
        const long got = ov_read(&file, chunk, static_cast<int>(sizeof chunk), 0, kBytesPerSample, 1, &link);
        if (got == 0) return true;
        if (got < 0) {
            // What came before the damage is good audio; keep it, like the end of a short file.
            VELMORA_LOG("AUDIO") << "Damaged Vorbis data in " << name << "; the rest is ignored";
            return true;
        }
        const vorbis_info* info = ov_info(&file, link);
        if (info == nullptr || info->channels != channels || info->rate != rate) {
            // A chained file whose format changes cannot share one buffer; keep the first part.
            VELMORA_LOG("AUDIO") << "Sound format changes inside " << name << "; the rest is ignored";
            return true;
        }
        AppendFrames(chunk, static_cast<size_t>(got), channels, pcm);
        if (pcm.size() > limit) {
            VELMORA_LOG("AUDIO") << "Sound file too long: " << name;
            return false;
        }
    }
}

bool DecodeStream(OggVorbis_File& file, DecodedSound& sound, const std::string& name) {
    const vorbis_info* info = ov_info(&file, -1);
    if (info == nullptr || info->channels < 1 || info->rate < 1 || info->rate > VorbisDecoder::kMaxRate) {
        VELMORA_LOG("AUDIO") << "Unsupported Vorbis stream in " << name;
        return false;
    }
    const int channels = info->channels;
    const long rate = info->rate;
    const int outChannels = channels == 1 ? 1 : 2;
    const size_t limit = MaxBytes(rate, outChannels);
    const size_t frameBytes = static_cast<size_t>(outChannels) * kBytesPerSample;
    const ogg_int64_t frames = ov_pcm_total(&file, -1);
    if (frames > 0 && static_cast<uint64_t>(frames) > limit / frameBytes) {
        VELMORA_LOG("AUDIO") << "Sound file too long: " << name;
        return false;
    }
    std::vector<uint8_t> pcm;
    if (frames > 0) pcm.reserve(static_cast<size_t>(frames) * frameBytes);
    if (!ReadAll(file, channels, rate, limit, pcm, name)) return false;
    if (pcm.empty()) {
        VELMORA_LOG("AUDIO") << "No audio in " << name;
        return false;
    }
    sound.mChannels = outChannels;
    sound.mRate = rate;
    sound.mPcm = std::move(pcm);
    return true;
}

} // namespace

bool VorbisDecoder::DecodeFile(const std::string& path, DecodedSound& sound) {
    sound = DecodedSound();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    OpenStream stream;
    const ov_callbacks callbacks{ReadFile, SeekFile, CloseFile, TellFile};
    if (ov_open_callbacks(file, &stream.mFile, nullptr, 0, callbacks) != 0) {
        std::fclose(file);  // a failed open leaves the source to us
        VELMORA_LOG("AUDIO") << "Not an Ogg Vorbis file: " << path;
        return false;
    }
    stream.mOpen = true;
    return DecodeStream(stream.mFile, sound, path);
}

bool VorbisDecoder::DecodeMemory(std::span<const uint8_t> bytes, DecodedSound& sound, const std::string& name) {
    sound = DecodedSound();
    MemoryReader reader{bytes, 0};
    OpenStream stream;
    const ov_callbacks callbacks{ReadMemory, SeekMemory, CloseMemory, TellMemory};
    if (ov_open_callbacks(&reader, &stream.mFile, nullptr, 0, callbacks) != 0) {
        VELMORA_LOG("AUDIO") << "Not an Ogg Vorbis file: " << name;
        return false;
    }
    stream.mOpen = true;
    return DecodeStream(stream.mFile, sound, name);
}

} // namespace Velmora::Audio
