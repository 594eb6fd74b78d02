#include "audio/AudioManager.h"

#include "audio/VorbisDecoder.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/LogRecord.h"
#include "core/Settings.h"

#include <AL/alut.h>

#include <cmath>

namespace Velmora::Audio {

namespace {

ALint SourceState(ALuint source) {
    ALint state = AL_INITIAL;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state;
}

// NaN keeps the current value; everything else is clamped to [0, 1].
float ClampVolume(double volume, float current) {
    if (std::isnan(volume)) return current;
    if (volume <= 0.0) return 0.0f;
    if (volume >= 1.0) return 1.0f;
    return static_cast<float>(volume);
}

} // namespace

AudioManager& AudioManager::GetInstance() {
    static AudioManager* instance = new AudioManager();  // lives to process exit, like every system
    return *instance;
}

AudioManager::~AudioManager() { Deinitialize(); }

void AudioManager::Initialize() {
    if (mAvailable) return;
    const Settings& settings = Settings::GetInstance();
    mMusicVolume = static_cast<float>(settings.GetDouble(Settings::kMusicVolume, kDefaultVolume, 0.0, 1.0));
    mSampleVolume = static_cast<float>(settings.GetDouble(Settings::kEffectsVolume, kDefaultVolume, 0.0, 1.0));
    if (alutInit(nullptr, nullptr) != AL_TRUE) {
        VELMORA_LOG("AUDIO") << "No audio device (" << alutGetErrorString(alutGetError())
                             << "); the game runs without sound";
        return;
    }
    alGetError();
    alGenSources(1, &mMusicSource);
    if (alGetError() != AL_NO_ERROR) {
        VELMORA_LOG("AUDIO") << "Cannot create the music source; the game runs without sound";
        alutExit();
        mMusicSource = 0;
        return;
    }
    mAvailable = true;
    // Sounds asked for before the device opened got empty cells; fill them now, in place, so
    // the handles their owners keep start to play.
    for (auto& [name, cell] : mSamples) {
        if (*cell == 0) *cell = DecodeToBuffer(Game::GetInstance().DataPath("audio", name));
    }
    for (auto& [name, cell] : mMusic) {
        if (*cell == 0) *cell = AddTrack(Game::GetInstance().DataPath("audio", name));
    }
}

void AudioManager::Deinitialize() {
    if (mAvailable) {
        // Sources go first: OpenAL refuses to delete a buffer still attached to a source.
        for (const ALuint source : mSampleSources) alSourceStop(source);
        mStream.Release();
        alSourceStop(mMusicSource);
        if (!mSampleSources.empty()) alDeleteSources(static_cast<ALsizei>(mSampleSources.size()), mSampleSources.data());
        alDeleteSources(1, &mMusicSource);
        ReleaseCache(mSamples);
        alutExit();
    }
    mSamples.clear();
    mMusic.clear();
    mTrackPaths.clear();
    mSampleSources.clear();
    mMusicSource = 0;
    mPaused = false;
    mAvailable = false;
}

void AudioManager::ReleaseCache(Cache& cache) {
    for (auto& [name, cell] : cache) {
        if (*cell != 0) alDeleteBuffers(1, cell.get());
        *cell = 0;
    }
}

void AudioManager::HandleMessage(Message& message) {
    if (mAvailable && message.Is<MessageUpdateLoop>()) mStream.Update(mPaused);
}

SoundHandle AudioManager::LoadSample(const std::string& name) {
    std::unique_ptr<ALuint>& cell = mSamples[name];
    if (cell) return cell.get();
    cell = std::make_unique<ALuint>(0);
    if (mAvailable) *cell = DecodeToBuffer(Game::GetInstance().DataPath("audio", name));
    return cell.get();
}

SoundHandle AudioManager::LoadMusic(const std::string& name) {
    std::unique_ptr<ALuint>& cell = mMusic[name];
    if (cell) return cell.get();
    cell = std::make_unique<ALuint>(0);
    if (mAvailable) *cell = AddTrack(Game::GetInstance().DataPath("audio", name));
    return cell.get();
}

ALuint AudioManager::AddTrack(const std::string& path) {
    ++mDecodeCount;
    VorbisStream check;
    if (!check.OpenFile(path)) return 0;
    mTrackPaths.push_back(path);
    return static_cast<ALuint>(mTrackPaths.size());
}

ALuint AudioManager::DecodeToBuffer(const std::string& path) {
    ++mDecodeCount;
    DecodedSound sound;
    if (!VorbisDecoder::DecodeFile(path, sound)) return 0;
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR) return 0;
    const ALenum format = sound.mChannels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    alBufferData(buffer, format, sound.mPcm.data(), static_cast<ALsizei>(sound.mPcm.size()),
                 static_cast<ALsizei>(sound.mRate));
    if (alGetError() != AL_NO_ERROR) {
        VELMORA_LOG("AUDIO") << "OpenAL refused the sound data of " << path;
        alDeleteBuffers(1, &buffer);
        return 0;
    }
    return buffer;
}

ALuint AudioManager::FindFreeSource() {
    // A paused source still holds a sound waiting for ResumeAll, so only idle ones are reused.
    for (const ALuint source : mSampleSources) {
        const ALint state = SourceState(source);
        if (state == AL_INITIAL || state == AL_STOPPED) return source;
    }
    alGetError();
    ALuint source = 0;
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR) {
        if (!mSourceLimitLogged) VELMORA_LOG("AUDIO") << "Out of effect sources; busy effects are not interrupted";
        mSourceLimitLogged = true;
        return 0;
    }
    mSampleSources.push_back(source);
    return source;
}

void AudioManager::StartOn(ALuint source, ALuint buffer, float gain) {
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcef(source, AL_GAIN, gain);
    alSourcePlay(source);
    if (mPaused) alSourcePause(source);
}

void AudioManager::PlaySample(ALuint buffer) {
    if (!mAvailable || buffer == 0) return;
    const ALuint source = FindFreeSource();
    if (source != 0) StartOn(source, buffer, mSampleVolume);
}

void AudioManager::PlaySampleHandle(const ALuint* handle) {
    if (handle != nullptr && *handle != 0) PlaySample(*handle);
}

double AudioManager::GetSeconds(const ALuint* handle) const {
    if (!handle || *handle == 0 || !mAvailable) return 0.0;
    ALint bytes = 0, channels = 0, bits = 0, frequency = 0;
    alGetBufferi(*handle, AL_SIZE, &bytes);
    alGetBufferi(*handle, AL_CHANNELS, &channels);
    alGetBufferi(*handle, AL_BITS, &bits);
    alGetBufferi(*handle, AL_FREQUENCY, &frequency);
    const double bytesPerSecond = static_cast<double>(channels) * (bits / 8.0) * frequency;
    return bytesPerSecond > 0.0 ? bytes / bytesPerSecond : 0.0;
}

void AudioManager::PlayMusic(ALuint track) {
    if (!mAvailable) return;
    if (track == 0 || track > mTrackPaths.size()) {
        StopMusic();
        return;
    }
    mStream.Start(mMusicSource, mTrackPaths[track - 1], mMusicVolume, mPaused);
}

void AudioManager::StopMusic() {
    if (!mAvailable) return;
    mStream.Stop();
    alSourceStop(mMusicSource);
    alSourcei(mMusicSource, AL_BUFFER, 0);
}

float AudioManager::SetMusicVolume(double volume) {
    mMusicVolume = ClampVolume(volume, mMusicVolume);
    if (mAvailable) alSourcef(mMusicSource, AL_GAIN, mMusicVolume);
    return mMusicVolume;
}

float AudioManager::SetSampleVolume(double volume) {
    mSampleVolume = ClampVolume(volume, mSampleVolume);
    if (mAvailable) {
        for (const ALuint source : mSampleSources) alSourcef(source, AL_GAIN, mSampleVolume);
    }
    return mSampleVolume;
}

void AudioManager::PauseAll() {
    mPaused = true;
    if (!mAvailable) return;
    for (const ALuint source : mSampleSources) {
        if (SourceState(source) == AL_PLAYING) alSourcePause(source);
    }
    if (SourceState(mMusicSource) == AL_PLAYING) alSourcePause(mMusicSource);
}

void AudioManager::ResumeAll() {
    mPaused = false;
    if (!mAvailable) return;
    for (const ALuint source : mSampleSources) {
        if (SourceState(source) == AL_PAUSED) alSourcePlay(source);
    }
    if (SourceState(mMusicSource) == AL_PAUSED) alSourcePlay(mMusicSource);
}

} // namespace Velmora::Audio
