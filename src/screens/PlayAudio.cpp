#include "screens/PlayAudio.h"

#include "game/Gun.h"

namespace Velmora::Logic {

void PlayAudio::Load() {
    Audio::AudioManager& audio = Audio::AudioManager::GetInstance();
    mTense = audio.LoadMusic(kTenseMusic);
    mChase = audio.LoadMusic(kChaseMusic);
    mRest = audio.LoadMusic(kRestMusic);
    for (const char* name : {Gun::kGunfireSample, Gun::kShockwaveSample, kWinSample, kLoseSample, kPhewSample,
                             kPowerSample, kItemSample}) {
        mSamples[name] = audio.LoadSample(name);
    }
}

const char* PlayAudio::TrackName(Track track) {
    switch (track) {
    case kTenseTrack: return kTenseMusic;
    case kChaseTrack: return kChaseMusic;
    case kRestTrack: return kRestMusic;
    default: return "";
    }
}

void PlayAudio::PlayTrack(Track track) {
    if (track == kNoTrack) return;
    if (!mTense) Load();
    const Audio::SoundHandle handle = track == kTenseTrack ? mTense : track == kChaseTrack ? mChase : mRest;
    Audio::AudioManager::GetInstance().PlayMusic(handle ? *handle : 0);
    mTrack = track;
    Tell(std::string("play ") + TrackName(track));
}

void PlayAudio::StopTrack(Track track) {
    if (track == kNoTrack || mTrack != track) return;
    Audio::AudioManager::GetInstance().StopMusic();
    mTrack = kNoTrack;
    Tell(std::string("stop ") + TrackName(track));
}

void PlayAudio::StopMusic() {
    Audio::AudioManager::GetInstance().StopMusic();
    mTrack = kNoTrack;
    Tell("stop music");
}

Audio::SoundHandle PlayAudio::Sample(const std::string& name) {
    auto found = mSamples.find(name);
    if (found == mSamples.end()) found = mSamples.emplace(name, Audio::AudioManager::GetInstance().LoadSample(name)).first;
    return found->second;
}

void PlayAudio::PlaySample(const std::string& name) {
    Audio::AudioManager::GetInstance().PlaySampleHandle(Sample(name));
    Tell("sample " + name);
}

double PlayAudio::GetSampleSeconds(const std::string& name) {
    return Audio::AudioManager::GetInstance().GetSeconds(Sample(name));
}

void PlayAudio::Tell(const std::string& action) const {
    if (mObserver) mObserver(action);
}

} // namespace Velmora::Logic
