#include "audio/MusicStream.h"

#include "core/LogRecord.h"

#include <algorithm>

namespace Velmora::Audio {

namespace {

ALint SourceInt(ALuint source, ALenum what) {
    ALint value = 0;
    alGetSourcei(source, what, &value);
    return value;
}

} // namespace

bool MusicStream::CreateBuffers() {
    if (mHaveBuffers) return true;
    alGetError();
    alGenBuffers(kBufferCount, mBuffers.data());
    mHaveBuffers = alGetError() == AL_NO_ERROR;
    if (!mHaveBuffers) VELMORA_LOG("AUDIO") << "Cannot create the music buffers; music stays silent";
    return mHaveBuffers;
}

bool MusicStream::Start(ALuint source, const std::string& path, float gain, bool paused) {
    Stop();
    if (!CreateBuffers() || !mStream.OpenFile(path)) return false;
    mSource = source;
    mPath = path;
    mActive = true;
    mEnded = false;
    mAudioSinceRewind = false;
    mLoops = 0;
    const size_t frameBytes = static_cast<size_t>(mStream.GetChannels()) * 2;
    const auto frames = static_cast<size_t>(static_cast<double>(mStream.GetRate()) * kBufferSeconds);
    mPcm.resize(std::max<size_t>(frames, 1) * frameBytes);
    for (const ALuint buffer : mBuffers) {
        if (!Fill(buffer)) break;
        alSourceQueueBuffers(mSource, 1, &buffer);
    }
    alSourcef(mSource, AL_GAIN, gain);
    alSourcePlay(mSource);
    if (paused) alSourcePause(mSource);
    return true;
}

void MusicStream::Update(bool paused) {
    if (!mActive) return;
    for (ALint processed = SourceInt(mSource, AL_BUFFERS_PROCESSED); processed > 0; --processed) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(mSource, 1, &buffer);
        if (Fill(buffer)) alSourceQueueBuffers(mSource, 1, &buffer);
    }
    if (SourceInt(mSource, AL_SOURCE_STATE) != AL_STOPPED) return;
    // Stopped with buffers queued: it ran dry during a long frame. Stopped with none left: a
    // damaged track has played out.
    if (SourceInt(mSource, AL_BUFFERS_QUEUED) > 0) {
        if (!paused) alSourcePlay(mSource);
    } else {
        Stop();
    }
}

bool MusicStream::Fill(ALuint buffer) {
    if (mEnded) return false;
    size_t filled = 0;
    mEnded = !ReadInto(filled);
    if (filled == 0) return false;
    const ALenum format = mStream.GetChannels() == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    alBufferData(buffer, format, mPcm.data(), static_cast<ALsizei>(filled), static_cast<ALsizei>(mStream.GetRate()));
    return true;
}

// Fills mPcm from the file, running on into its beginning at the end; false once the track can
// go no further (damaged, or nothing to loop), with what was read before kept in `filled`.
bool MusicStream::ReadInto(size_t& filled) {
    while (filled < mPcm.size()) {
        size_t got = 0;
        const VorbisStream::ReadResult result = mStream.Read(std::span(mPcm).subspan(filled), got);
        if (result == VorbisStream::ReadResult::kDamaged) {
            VELMORA_LOG("AUDIO") << "Damaged Vorbis data in " << mPath << "; the music stops";
            return false;
        }
        if (result == VorbisStream::ReadResult::kData) {
            filled += got;
            mAudioSinceRewind |= got > 0;
            continue;
        }
        if (!mAudioSinceRewind || !mStream.Rewind()) {
            VELMORA_LOG("AUDIO") << "Cannot loop " << mPath << "; the music stops";
            return false;
        }
        mAudioSinceRewind = false;
        ++mLoops;
    }
    return true;
}

void MusicStream::Stop() {
    if (mSource != 0) {
        alSourceStop(mSource);
        alSourcei(mSource, AL_BUFFER, 0);  // unqueues every buffer of a stopped source
    }
    mStream.Close();
    mSource = 0;
    mPath.clear();
    mActive = false;
}

void MusicStream::Release() {
    Stop();
    if (mHaveBuffers) alDeleteBuffers(kBufferCount, mBuffers.data());
    mHaveBuffers = false;
    mBuffers.fill(0);
}

} // namespace Velmora::Audio
