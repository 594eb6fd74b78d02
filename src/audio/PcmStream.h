#pragma once

#include <AL/al.h>

#include <cstdint>
#include <vector>

namespace Velmora::Audio {

/// Sound made while it plays (a movie's track, say) streamed to one OpenAL source: blocks of
/// float samples are converted to 16-bit, gathered into buffers of kChunkFrames and queued; the
/// buffers the source has played are reused. The source starts with the first buffer and is
/// restarted when it ran dry and more arrives. Without a current OpenAL context (no sound
/// device) every call is a harmless no-op. Main thread only.
class PcmStream {
public:
    /// Sample frames per queued buffer: about 46 ms at 44.1 kHz, short enough that the end of a
    /// track is hardly cut off, long enough that a frame's worth of sound is one or two buffers.
    static constexpr int kChunkFrames = 2048;
    /// Most buffers on the source at once (some six seconds at 44.1 kHz). A producer that runs
    /// further ahead loses the blocks past that, with one log line.
    static constexpr int kMaxBuffers = 128;

    PcmStream() = default;
    ~PcmStream();
    PcmStream(const PcmStream&) = delete;
    PcmStream& operator=(const PcmStream&) = delete;

    /// Creates the source for channels (1 or 2) at frequency Hz, played at gain (0 … 1). False,
    /// logged on "AUDIO", for another channel count, a rate outside 1 … 192000 Hz, or when OpenAL
    /// has no context or refuses the source; the stream then stays silent.
    bool Open(int channels, int frequency, float gain);
    /// Appends count frames: data holds one array of count samples (−1 … 1) per channel.
    /// Values outside that range are clipped.
    void Append(const float* const* data, int count);
    /// Recycles played buffers and restarts a source that ran dry with sound still queued.
    void Update();
    /// Sets the source's gain (clamped to 0 … 1).
    void SetGain(float gain);
    /// Stops the source and deletes it with its buffers. Open may be called again.
    void Close();

    /// True between a successful Open and Close.
    bool IsOpen() const { return mSource != 0; }
    /// Sample frames handed to OpenAL since Open.
    long GetQueuedFrames() const { return mQueuedFrames; }
    /// Buffers created so far (played ones are reused before new ones are made).
    int GetBufferCount() const { return static_cast<int>(mBuffers.size()); }

private:
    void QueueChunk();
    ALuint TakeFreeBuffer();
    void RecyclePlayed();

    ALuint mSource = 0;
    ALenum mFormat = 0;
    int mChannels = 0;
    int mFrequency = 0;
    std::vector<ALuint> mBuffers;     // every buffer created
    std::vector<ALuint> mFreeBuffers; // played, ready for new sound
    std::vector<int16_t> mPending;    // interleaved frames not yet queued
    long mQueuedFrames = 0;
    bool mOverflowLogged = false;
};

} // namespace Velmora::Audio
