#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace Velmora::Audio {

/// A read position in an Ogg Vorbis file or memory block, decoding on demand with libvorbisfile
/// into interleaved little-endian signed 16-bit PCM. Streams with more than two channels come
/// out as stereo (front left and front right). Knows nothing about OpenAL, so it runs in tests
/// and fuzzers without a sound device; music plays through it a little at a time, and effects
/// are decoded whole through it.
class VorbisStream {
public:
    /// Highest sample rate accepted (Hz).
    static constexpr long kMaxRate = 192000;

    /// What Read found.
    enum class ReadResult {
        kData,     ///< some PCM was written
        kEnd,      ///< the end of the stream: nothing written
        kDamaged,  ///< the data is damaged, or the format changes in a chained file: nothing written
    };

    VorbisStream();
    ~VorbisStream();
    VorbisStream(const VorbisStream&) = delete;
    VorbisStream& operator=(const VorbisStream&) = delete;

    /// Opens the file at path (closing what was open). False when it is missing (nothing logged),
    /// not Ogg Vorbis or of an unsupported format (logged on "AUDIO" with the path).
    bool OpenFile(const std::string& path);
    /// Opens a whole file held in memory, which must outlive the stream; name is used in log
    /// records only.
    bool OpenMemory(std::span<const uint8_t> bytes, const std::string& name);
    void Close();
    bool IsOpen() const { return mOpen; }

    /// 1 or 2: the channels Read delivers.
    int GetChannels() const { return mOutChannels; }
    /// Samples per second.
    long GetRate() const { return mRate; }
    /// Frames in the whole stream as its pages announce them; negative when unknown.
    int64_t GetFrameCount() const;
    /// The name given when it was opened (the path for files).
    const std::string& GetName() const { return mName; }

    /// Decodes the next whole frames into out (at most out.size() bytes) and sets written to the
    /// bytes written. A buffer too small for one frame reads nothing (kData, 0 written).
    ReadResult Read(std::span<uint8_t> out, size_t& written);
    /// Back to the first sample, for seamless looping: the stream is opened again, so it gives
    /// the very samples of its first pass. False (and closed) when that fails or the format of
    /// the file has changed.
    bool Rewind();

private:
    struct Source;

    bool Open(const std::string& name);
    size_t Fold(const uint8_t* chunk, size_t bytes, std::span<uint8_t> out) const;

    std::unique_ptr<Source> mSource;
    bool mOpen = false;
    bool mIsFile = false;
    int mChannels = 0;
    int mOutChannels = 0;
    long mRate = 0;
    std::string mName;
};

} // namespace Velmora::Audio
