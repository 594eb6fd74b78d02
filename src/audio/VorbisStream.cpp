#include "audio/VorbisStream.h"

#include "core/LogRecord.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace Velmora::Audio {

namespace {

constexpr int kBytesPerSample = 2;
constexpr size_t kChunkBytes = 16384;

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

} // namespace

struct VorbisStream::Source {
    OggVorbis_File mFile{};
    MemoryReader mMemory;
    char mChunk[kChunkBytes];  // decoded frames of more than two channels, before folding
};

VorbisStream::VorbisStream() : mSource(std::make_unique<Source>()) {}

VorbisStream::~VorbisStream() { Close(); }

void VorbisStream::Close() {
    if (mOpen) ov_clear(&mSource->mFile);
    mOpen = false;
    mChannels = mOutChannels = 0;
    mRate = 0;
}

bool VorbisStream::OpenFile(const std::string& path) {
    Close();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    const ov_callbacks callbacks{ReadFile, SeekFile, CloseFile, TellFile};
    if (ov_open_callbacks(file, &mSource->mFile, nullptr, 0, callbacks) != 0) {
        std::fclose(file);  // a failed open leaves the source to us
        VELMORA_LOG("AUDIO") << "Not an Ogg Vorbis file: " << path;
        return false;
    }
    mIsFile = true;
    return Open(path);
}

bool VorbisStream::OpenMemory(std::span<const uint8_t> bytes, const std::string& name) {
    Close();
    mSource->mMemory = MemoryReader{bytes, 0};
    const ov_callbacks callbacks{ReadMemory, SeekMemory, CloseMemory, TellMemory};
    if (ov_open_callbacks(&mSource->mMemory, &mSource->mFile, nullptr, 0, callbacks) != 0) {
        VELMORA_LOG("AUDIO") << "Not an Ogg Vorbis file: " << name;
        return false;
    }
    mIsFile = false;
    return Open(name);
}

bool VorbisStream::Open(const std::string& name) {
    mOpen = true;
    mName = name;
    const vorbis_info* info = ov_info(&mSource->mFile, -1);
    if (info == nullptr || info->channels < 1 || info->rate < 1 || info->rate > kMaxRate) {
        VELMORA_LOG("AUDIO") << "Unsupported Vorbis stream in " << name;
        Close();
        return false;
    }
    mChannels = info->channels;
    mOutChannels = mChannels == 1 ? 1 : 2;
    mRate = info->rate;
    return true;
}

int64_t VorbisStream::GetFrameCount() const {
    return mOpen ? static_cast<int64_t>(ov_pcm_total(&mSource->mFile, -1)) : -1;
}

VorbisStream::ReadResult VorbisStream::Read(std::span<uint8_t> out, size_t& written) {
    written = 0;
    if (!mOpen) return ReadResult::kEnd;
    const size_t frameBytes = static_cast<size_t>(mChannels) * kBytesPerSample;
    const size_t outFrameBytes = static_cast<size_t>(mOutChannels) * kBytesPerSample;
    const size_t frames = std::min(out.size() / outFrameBytes, kChunkBytes / frameBytes);
    if (frames == 0) return ReadResult::kData;
    // Stereo and mono decode straight into out; more channels go through the chunk and fold.
    char* target = mChannels <= 2 ? reinterpret_cast<char*>(out.data()) : mSource->mChunk;
    int link = -1;
    const long got = ov_read(&mSource->mFile, target, static_cast<int>(frames * frameBytes), 0, kBytesPerSample, 1, &link);
    if (got == 0) return ReadResult::kEnd;
    if (got < 0) return ReadResult::kDamaged;
    const vorbis_info* info = ov_info(&mSource->mFile, link);
    // A chained file whose format changes cannot go on in the same buffers.
    if (info == nullptr || info->channels != mChannels || info->rate != mRate) return ReadResult::kDamaged;
    const size_t bytes = static_cast<size_t>(got) - static_cast<size_t>(got) % frameBytes;
    written = mChannels <= 2 ? bytes : Fold(reinterpret_cast<const uint8_t*>(mSource->mChunk), bytes, out);
    return ReadResult::kData;
}

// Keeps front left and front right of each frame (Vorbis order: 3 and 5+ channels put the centre
// second, quadraphonic does not).
size_t VorbisStream::Fold(const uint8_t* chunk, size_t bytes, std::span<uint8_t> out) const {
    const size_t frameBytes = static_cast<size_t>(mChannels) * kBytesPerSample;
    const size_t right = mChannels == 4 ? 1 : 2;
    size_t written = 0;
    for (size_t frame = 0; frame + frameBytes <= bytes; frame += frameBytes) {
        std::memcpy(out.data() + written, chunk + frame, kBytesPerSample);
        std::memcpy(out.data() + written + kBytesPerSample, chunk + frame + right * kBytesPerSample, kBytesPerSample);
        written += 2 * kBytesPerSample;
    }
    return written;
}

bool VorbisStream::Rewind() {
    if (!mOpen) return false;
    // Opening again decodes exactly what the first pass did; a seek to sample 0 does not on a
    // stream whose pages disagree about their positions. The format must stay what it was, as
    // buffers already queued from this stream hold it (the file may have changed meanwhile).
    const int channels = mChannels;
    const long rate = mRate;
    const std::string name = mName;
    const bool reopened = mIsFile ? OpenFile(name) : OpenMemory(mSource->mMemory.mBytes, name);
    if (reopened && mChannels == channels && mRate == rate) return true;
    Close();
    return false;
}

} // namespace Velmora::Audio
