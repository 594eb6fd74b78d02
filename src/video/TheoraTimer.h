#pragma once

#include <atomic>

namespace Velmora::Video {

/// A clip's clock in seconds. The caller's thread advances it through the clip's update; the
/// workers read it to decide which frames are late, so its state is atomic. Custom timers
/// derive from it and must stay safe to read from another thread.
class TheoraTimer {
public:
    TheoraTimer() = default;
    TheoraTimer(const TheoraTimer&) = delete;
    TheoraTimer& operator=(const TheoraTimer&) = delete;
    virtual ~TheoraTimer() = default;

    /// Seconds of playback so far.
    virtual float getTime() const { return mTime.load(); }
    /// Adds timeIncrease × speed seconds; called by the clip only while not paused.
    virtual void update(float timeIncrease) { mTime.store(mTime.load() + timeIncrease * mSpeed.load()); }
    /// Stops the clock; update is no longer called.
    virtual void pause() { mPaused.store(true); }
    /// Lets the clock run again.
    virtual void play() { mPaused.store(false); }
    /// True while paused.
    virtual bool isPaused() const { return mPaused.load(); }
    /// Pauses and sets the time back to 0.
    virtual void stop() {
        pause();
        seek(0.0f);
    }
    /// Playback speed factor (1 is real time); negative values are taken as 0.
    virtual void setSpeed(float speed) { mSpeed.store(speed > 0.0f ? speed : 0.0f); }
    /// The speed factor.
    virtual float getSpeed() const { return mSpeed.load(); }
    /// Sets the time in seconds.
    virtual void seek(float time) { mTime.store(time); }

private:
    std::atomic<float> mTime{0.0f};
    std::atomic<float> mSpeed{1.0f};
    std::atomic<bool> mPaused{false};
};

} // namespace Velmora::Video
