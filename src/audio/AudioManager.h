#pragma once

#include "audio/MusicStream.h"
#include "core/ISystem.h"

#include <AL/al.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Velmora::Audio {

/// A sound handle: a cell owned by the audio manager holding an OpenAL buffer name (0: no
/// sound). Valid until the manager is deinitialised; read it when playing, never free it.
using SoundHandle = ALuint*;

/// Music and sound effects. An effect is decoded whole into one OpenAL buffer the first time it
/// is asked for and cached by name, and plays on a pool of sources that grows on demand. Music
/// streams from its file through a MusicStream on one source, looping, refilled every frame
/// (MessageUpdateLoop); a track's handle holds a track number rather than a buffer. Nothing is
/// positional. Without an audio device every operation is a harmless no-op: loads still return
/// handles (holding 0) and the game runs silently. Main thread only.
class AudioManager : public ISystem {
public:
    static constexpr float kDefaultVolume = 0.3f;

    /// The manager the game registers, created on first use.
    static AudioManager& GetInstance();
    /// A separate manager, for tests; at most one may be initialised at a time (ALUT is global).
    AudioManager() = default;
    ~AudioManager() override;
    AudioManager(const AudioManager&) = delete;
    AudioManager& operator=(const AudioManager&) = delete;

    /// Takes the music and effect volumes from the settings ("MusicVolume", "EffectsVolume";
    /// kDefaultVolume when unset or out of range), opens the default device through ALUT and
    /// creates the looping music source. Logs once on
    /// "AUDIO" and carries on silently when no device can be opened.
    void Initialize() override;
    /// Frees every buffer, handle cell and source, then closes ALUT.
    void Deinitialize() override;
    /// MessageUpdateLoop: refills the music's buffers as they play.
    void HandleMessage(Message& message) override;

    /// The effect of that name under data/audio (e.g. "SFX/UI/lowblip.ogg"), decoded on first
    /// request. Never null; the cell holds 0 when the file is missing or unreadable.
    SoundHandle LoadSample(const std::string& name);
    /// A music track by name ("BGM/vm_tense.ogg"): the file is opened once to check it is Ogg
    /// Vorbis and the cell gets a track number for PlayMusic (0 when missing or unreadable). Cached
    /// apart from effects, so one file loaded both ways is read twice.
    SoundHandle LoadMusic(const std::string& name);

    /// Plays an effect buffer once on a free source (a new one when all are busy), at the effect
    /// volume; paused at once while all audio is paused. Buffer 0 plays nothing.
    void PlaySample(ALuint buffer);
    /// PlaySample of the handle's buffer, when the handle is not null and holds one.
    void PlaySampleHandle(const ALuint* handle);
    /// How long the handle's sound plays, in seconds; 0 for a null handle or buffer 0.
    double GetSeconds(const ALuint* handle) const;
    /// Replaces the music with a track (a LoadMusic cell's number), from its start, looping at the
    /// music volume; 0 or an unknown number just stops the music.
    void PlayMusic(ALuint track);
    void StopMusic();

    /// Clamps to [0, 1], stores it, applies it to the music source; returns the stored value.
    float SetMusicVolume(double volume);
    /// Clamps to [0, 1], stores it, applies it to every effect source; returns the stored value.
    float SetSampleVolume(double volume);
    float GetMusicVolume() const { return mMusicVolume; }
    float GetSampleVolume() const { return mSampleVolume; }

    /// Window lost focus: pauses every playing source and keeps new sounds paused.
    void PauseAll();
    /// Window regained focus: resumes every paused source.
    void ResumeAll();
    bool IsPaused() const { return mPaused; }

    /// True between Initialize and Deinitialize when a device was opened.
    bool IsAvailable() const { return mAvailable; }
    /// The effect sources created so far (the pool never shrinks).
    const std::vector<ALuint>& GetSampleSources() const { return mSampleSources; }
    ALuint GetMusicSource() const { return mMusicSource; }
    /// The stream the music plays through.
    const MusicStream& GetMusicStream() const { return mStream; }
    /// How many files have been read since start-up (effects decoded, tracks checked).
    int GetDecodeCount() const { return mDecodeCount; }

private:
    using Cache = std::map<std::string, std::unique_ptr<ALuint>>;

    ALuint DecodeToBuffer(const std::string& path);
    ALuint AddTrack(const std::string& path);
    ALuint FindFreeSource();
    void StartOn(ALuint source, ALuint buffer, float gain);
    void ReleaseCache(Cache& cache);

    Cache mSamples;
    Cache mMusic;
    std::vector<std::string> mTrackPaths;  // track number n plays mTrackPaths[n - 1]
    MusicStream mStream;
    std::vector<ALuint> mSampleSources;
    ALuint mMusicSource = 0;
    float mMusicVolume = kDefaultVolume;
    float mSampleVolume = kDefaultVolume;
    bool mPaused = false;
    bool mAvailable = false;
    bool mSourceLimitLogged = false;
    int mDecodeCount = 0;
};

} // namespace Velmora::Audio
