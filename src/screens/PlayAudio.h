#pragma once

#include "audio/AudioManager.h"

#include <functional>
#include <map>
#include <string>

namespace Velmora::Logic {

/// The play screen's sound: its two music tracks on the audio manager's one music source and
/// its seven samples. Remembers which track it last started, so pausing or stopping one track
/// leaves music that some other screen started alone.
class PlayAudio {
public:
    /// The music while sneaking and while two or more guards give chase.
    enum Track { kNoTrack, kTenseTrack, kChaseTrack };

    static constexpr const char* kTenseMusic = "BGM/vm_tense.ogg";
    static constexpr const char* kChaseMusic = "BGM/vm_chase.ogg";
    static constexpr const char* kWinSample = "SFX/UI/winlevel.ogg";
    static constexpr const char* kLoseSample = "SFX/UI/lose.ogg";
    static constexpr const char* kPhewSample = "SFX/UI/phew.ogg";
    static constexpr const char* kPowerSample = "SFX/UI/power_change.ogg";
    static constexpr const char* kItemSample = "SFX/UI/item_get.ogg";

    /// Told of every sound action, for tests and replays: "play TRACK", "stop TRACK" or
    /// "sample NAME".
    using Observer = std::function<void(const std::string& action)>;

    /// Loads the two tracks and the seven samples (gunfire and shockwave among them) through the
    /// audio manager; loading again finds them cached.
    void Load();
    /// Starts a track from its beginning, looping (replacing whatever music played).
    void PlayTrack(Track track);
    /// Stops the music when this track is the one playing.
    void StopTrack(Track track);
    /// Stops the music source whatever plays on it (the screen is going away).
    void StopMusic();
    /// Plays one of the loaded samples (others are loaded on first use).
    void PlaySample(const std::string& name);
    /// The track started last and not stopped since.
    Track GetTrack() const { return mTrack; }
    /// Replaces the observer (empty: none).
    void SetObserver(Observer observer) { mObserver = std::move(observer); }
    /// A track's file name.
    static const char* TrackName(Track track);

private:
    void Tell(const std::string& action) const;

    Audio::SoundHandle mTense = nullptr;  // cells owned by the audio manager
    Audio::SoundHandle mChase = nullptr;
    std::map<std::string, Audio::SoundHandle> mSamples;
    Track mTrack = kNoTrack;
    Observer mObserver;
};

} // namespace Velmora::Logic
