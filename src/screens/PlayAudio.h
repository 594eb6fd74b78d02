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
    /// The music while sneaking, while two or more guards give chase, and the calm title music
    /// that follows the win jingle while the level-end panel waits.
    enum Track { kNoTrack, kTenseTrack, kChaseTrack, kRestTrack };

    static constexpr const char* kTenseMusic = "BGM/vm_tense.ogg";
    static constexpr const char* kChaseMusic = "BGM/vm_chase.ogg";
    static constexpr const char* kRestMusic = "BGM/vm_blues_title.ogg";
    static constexpr const char* kWinSample = "SFX/UI/winlevel.ogg";
    static constexpr const char* kLoseSample = "SFX/UI/lose.ogg";
    static constexpr const char* kPhewSample = "SFX/UI/phew.ogg";
    static constexpr const char* kPowerSample = "SFX/UI/power_change.ogg";
    static constexpr const char* kItemSample = "SFX/UI/item_get.ogg";

    /// Told of every sound action, for tests and replays: "play TRACK", "stop TRACK" or
    /// "sample NAME".
    using Observer = std::function<void(const std::string& action)>;

    /// Loads the three tracks and the seven samples (gunfire and shockwave among them) through the
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
    /// How long a sample plays, in seconds (loaded on first use); 0 without sound.
    double GetSampleSeconds(const std::string& name);
    /// The track started last and not stopped since.
    Track GetTrack() const { return mTrack; }
    /// Replaces the observer (empty: none).
    void SetObserver(Observer observer) { mObserver = std::move(observer); }
    /// A track's file name.
    static const char* TrackName(Track track);

private:
    Audio::SoundHandle Sample(const std::string& name);
    void Tell(const std::string& action) const;

    Audio::SoundHandle mTense = nullptr;  // cells owned by the audio manager
    Audio::SoundHandle mChase = nullptr;
    Audio::SoundHandle mRest = nullptr;
    std::map<std::string, Audio::SoundHandle> mSamples;
    Track mTrack = kNoTrack;
    Observer mObserver;
};

} // namespace Velmora::Logic
