#pragma once

#include "audio/VorbisStream.h"

#include <AL/al.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Velmora::Audio {

/// One music track played from its Ogg file through a small ring of OpenAL buffers queued on a
/// source: the buffers the source has finished are refilled with the next stretch of the file
/// and queued again, and the end of the file runs on into its beginning inside the same buffer,
/// so the loop point has neither gap nor click. A whole decoded track would take some 14 MB; the
/// ring takes kBufferCount × kBufferSeconds of audio. Needs an OpenAL context from Start to
/// Release; main thread only.
class MusicStream {
public:
    /// Buffers in the ring.
    static constexpr int kBufferCount = 8;
    /// Audio per buffer; the ring holds two seconds, enough to ride out a slow frame or a level
    /// loading before the source runs dry (it then starts again where the music stopped).
    static constexpr double kBufferSeconds = 0.25;

    MusicStream() = default;
    ~MusicStream() = default;
    MusicStream(const MusicStream&) = delete;
    MusicStream& operator=(const MusicStream&) = delete;

    /// Stops whatever played and starts the file at path on source from its beginning, looping,
    /// at gain; paused at once when paused. False (and silence) when the file does not open as
    /// Ogg Vorbis (logged by the reader) or OpenAL refuses the buffers.
    bool Start(ALuint source, const std::string& path, float gain, bool paused);
    /// Refills and requeues the buffers the source has played, and restarts a source that ran dry
    /// during a long frame unless all audio is paused. Called once a frame.
    void Update(bool paused);
    /// Stops the source, takes the buffers off it and closes the file.
    void Stop();
    /// Stop, then deletes the buffers (before the OpenAL context goes).
    void Release();

    /// True from Start until Stop, or until a track damaged mid-stream has played what it had.
    bool IsActive() const { return mActive; }
    /// The file being played (empty when none).
    const std::string& GetPath() const { return mPath; }
    /// How often the file has run on into its beginning since Start.
    int GetLoopCount() const { return mLoops; }

private:
    bool CreateBuffers();
    bool Fill(ALuint buffer);
    bool ReadInto(size_t& filled);

    VorbisStream mStream;
    std::array<ALuint, kBufferCount> mBuffers{};
    bool mHaveBuffers = false;
    std::vector<uint8_t> mPcm;  // one buffer's worth, reused
    ALuint mSource = 0;
    std::string mPath;
    bool mActive = false;
    bool mEnded = false;          // no more audio will be queued (damaged file)
    bool mAudioSinceRewind = false;
    int mLoops = 0;
};

} // namespace Velmora::Audio
