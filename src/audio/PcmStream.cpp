#include "audio/PcmStream.h"

#include "core/LogRecord.h"

#include <AL/alc.h>

#include <algorithm>
#include <cmath>

namespace Velmora::Audio {

namespace {

constexpr int kMaxFrequency = 192000;

ALint SourceInt(ALuint source, ALenum what) {
    ALint value = 0;
    alGetSourcei(source, what, &value);
    return value;
}

int16_t ToSample(float value) {
    // NaN compares false both ways and ends up as silence.
    if (!(value > -1.0f)) return value < 0.0f ? -32767 : 0;
    if (value >= 1.0f) return 32767;
    return static_cast<int16_t>(std::lround(value * 32767.0f));
}

} // namespace

PcmStream::~PcmStream() { Close(); }

bool PcmStream::Open(int channels, int frequency, float gain) {
    Close();
    if ((channels != 1 && channels != 2) || frequency < 1 || frequency > kMaxFrequency) {
        VELMORA_LOG("AUDIO") << "Cannot stream " << channels << " channels at " << frequency << " Hz; kept silent";
        return false;
    }
    if (alcGetCurrentContext() == nullptr) return false;
    alGetError();
    ALuint source = 0;
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR) {
        VELMORA_LOG("AUDIO") << "No OpenAL source for streamed sound; kept silent";
        return false;
    }
    mSource = source;
    mChannels = channels;
    mFrequency = frequency;
    mFormat = channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    mPending.reserve(static_cast<size_t>(kChunkFrames * channels));
    SetGain(gain);
    return true;
}

void PcmStream::Append(const float* const* data, int count) {
    if (!IsOpen() || data == nullptr) return;
    for (int i = 0; i < count; ++i) {
        for (int c = 0; c < mChannels; ++c) mPending.push_back(ToSample(data[c][i]));
        if (mPending.size() >= static_cast<size_t>(kChunkFrames * mChannels)) QueueChunk();
    }
}

void PcmStream::QueueChunk() {
    const ALuint buffer = TakeFreeBuffer();
    const auto frames = static_cast<long>(mPending.size()) / mChannels;
    if (buffer == 0) {
        if (!mOverflowLogged) VELMORA_LOG("AUDIO") << "Streamed sound runs too far ahead; dropping some of it";
        mOverflowLogged = true;
        mPending.clear();
        return;
    }
    alBufferData(buffer, mFormat, mPending.data(), static_cast<ALsizei>(mPending.size() * sizeof(int16_t)), mFrequency);
    alSourceQueueBuffers(mSource, 1, &buffer);
    mPending.clear();
    mQueuedFrames += frames;
    if (SourceInt(mSource, AL_SOURCE_STATE) != AL_PLAYING) alSourcePlay(mSource);
}

ALuint PcmStream::TakeFreeBuffer() {
    RecyclePlayed();
    if (!mFreeBuffers.empty()) {
        const ALuint buffer = mFreeBuffers.back();
        mFreeBuffers.pop_back();
        return buffer;
    }
    if (static_cast<int>(mBuffers.size()) >= kMaxBuffers) return 0;
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR) return 0;
    mBuffers.push_back(buffer);
    return buffer;
}

void PcmStream::RecyclePlayed() {
    for (ALint played = SourceInt(mSource, AL_BUFFERS_PROCESSED); played > 0; --played) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(mSource, 1, &buffer);
        if (buffer != 0) mFreeBuffers.push_back(buffer);
    }
}

void PcmStream::Update() {
    if (!IsOpen()) return;
    RecyclePlayed();
    // A long frame can let the source play out everything it had; it stops then and must be
    // started again once there is more.
    if (SourceInt(mSource, AL_BUFFERS_QUEUED) > 0 && SourceInt(mSource, AL_SOURCE_STATE) != AL_PLAYING) {
        alSourcePlay(mSource);
    }
}

void PcmStream::SetGain(float gain) {
    if (IsOpen()) alSourcef(mSource, AL_GAIN, std::clamp(gain, 0.0f, 1.0f));
}

void PcmStream::Close() {
    if (mSource != 0) {
        alSourceStop(mSource);
        alSourcei(mSource, AL_BUFFER, 0);
        alDeleteSources(1, &mSource);
    }
    if (!mBuffers.empty()) alDeleteBuffers(static_cast<ALsizei>(mBuffers.size()), mBuffers.data());
    mSource = 0;
    mBuffers.clear();
    mFreeBuffers.clear();
    mPending.clear();
    mQueuedFrames = 0;
    mOverflowLogged = false;
}

} // namespace Velmora::Audio
