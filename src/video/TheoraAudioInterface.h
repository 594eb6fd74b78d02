#pragma once

namespace Velmora::Video {

class TheoraVideoClip;

/// Receives a clip's decoded sound. Created by a TheoraAudioInterfaceFactory when a clip with a
/// Vorbis stream loads, and deleted by the clip. Every call comes from the thread that runs the
/// manager's update (the caller's thread), never from a worker.
class TheoraAudioInterface {
public:
    /// owner: the clip whose sound this plays; channels and frequency (Hz) of the stream.
    TheoraAudioInterface(TheoraVideoClip* owner, int channels, int frequency)
        : mClip(owner), mNumChannels(channels), mFrequency(frequency) {}
    TheoraAudioInterface(const TheoraAudioInterface&) = delete;
    TheoraAudioInterface& operator=(const TheoraAudioInterface&) = delete;
    virtual ~TheoraAudioInterface() = default;

    /// A block of decoded sound: one array of count floats (−1 … 1, gain applied) per channel.
    /// The arrays belong to the decoder and are valid during the call only.
    virtual void insertData(float** data, int count) = 0;
    /// Called once per clip update with the frame's time step in seconds, for an output that
    /// services its device regularly; the default does nothing.
    virtual void update(float timeIncrease) { (void)timeIncrease; }

    /// The clip this plays for.
    TheoraVideoClip* getClip() const { return mClip; }
    /// Channels per block.
    int getNumChannels() const { return mNumChannels; }
    /// Sample rate in Hz.
    int getFrequency() const { return mFrequency; }

private:
    TheoraVideoClip* mClip;
    int mNumChannels;
    int mFrequency;
};

/// Makes the audio interface for each clip that has sound.
class TheoraAudioInterfaceFactory {
public:
    virtual ~TheoraAudioInterfaceFactory() = default;
    /// A new interface (the clip takes ownership), or null to play the clip silently.
    virtual TheoraAudioInterface* createInstance(TheoraVideoClip* owner, int channels, int frequency) = 0;
};

} // namespace Velmora::Video
