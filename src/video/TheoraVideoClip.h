#pragma once

#include "video/TheoraDecoderState.h"
#include "video/TheoraFrameQueue.h"
#include "video/TheoraMutex.h"
#include "video/TheoraOutputMode.h"
#include "video/TheoraTimer.h"

#include <atomic>
#include <memory>
#include <string>

namespace Velmora::Video {

class TheoraAudioInterface;
class TheoraAudioInterfaceFactory;
class TheoraDataSource;
class TheoraWorkSignal;
class TheoraWorkerThread;
class TheoraYuvConverter;

/// One movie being played: its decoder, its frame queue and its clock. Made and destroyed by
/// the TheoraVideoManager.
///
/// Threads: the caller's thread runs update, decodedAudioCheck, getNextFrame, popFrame, isDone
/// and the settings; a worker assigned by the manager runs decodeNextFrame, one at a time.
class TheoraVideoClip {
public:
    /// Largest picture accepted, in pixels across, down and in all.
    static constexpr int kMaxSide = 4096;
    static constexpr long kMaxPixels = 4096L * 2304L;

    /// What the manager hands a new clip; the pointers must outlive it (signal and factory may
    /// be null).
    struct Context {
        const TheoraYuvConverter* mConverter = nullptr;
        TheoraWorkSignal* mWorkSignal = nullptr;
        TheoraAudioInterfaceFactory* mAudioFactory = nullptr;
    };

    /// Loads the clip from source: headers, frame queue, duration, audio interface.
    /// @throws TheoraGenericException when the headers are missing or damaged.
    TheoraVideoClip(std::unique_ptr<TheoraDataSource> source, TheoraOutputMode mode, int numPrecachedFrames,
                    bool usePower2Stride, const Context& context);
    ~TheoraVideoClip();
    TheoraVideoClip(const TheoraVideoClip&) = delete;
    TheoraVideoClip& operator=(const TheoraVideoClip&) = delete;

    /// The frame due now, or null when none is due yet. A due frame is returned by every call
    /// until popFrame; frames more than 0.1 s late are dropped on the way.
    TheoraVideoFrame* getNextFrame();
    /// Releases the frame from getNextFrame once its pixels have been copied.
    void popFrame();
    /// True when the file has been read to its end and every decoded frame was handed out.
    bool isDone();
    /// Advances the clock by timeIncrease seconds unless paused; wraps an auto-restarting clip.
    void update(float timeIncrease);
    /// Hands the sound decoded so far to the audio interface; does nothing while paused or
    /// without an interface.
    void decodedAudioCheck();

    /// Decodes the next picture into an empty frame (worker side). Returns true when a frame
    /// became ready, false when there was no empty frame, no data left or the stream is damaged.
    bool decodeNextFrame();
    /// Decoding order among clips: the lower, the sooner (ready frames, plus half the queue
    /// while paused).
    int getPriorityIndex();
    /// The worker decoding this clip, or null.
    TheoraWorkerThread* getAssignedWorker() const { return mAssignedWorker.load(); }
    /// Set by the manager when it hands the clip to a worker, cleared by the worker afterwards.
    void setAssignedWorker(TheoraWorkerThread* worker) { mAssignedWorker.store(worker); }

    /// The data source's name, for log lines.
    const std::string& getName() const { return mName; }
    /// Picture width in pixels.
    int getWidth() const { return mWidth; }
    /// Picture height in pixels.
    int getHeight() const { return mHeight; }
    /// Pixels per row of the frame buffers (the width, or the next power of two).
    int getStride() const { return mStride; }
    /// Seconds; read from the file's tail, raised by any later frame, −1 while unknown.
    float getDuration() const { return mDuration.load(); }
    /// Frames in the file as read from its tail (0 while unknown).
    long getNumFrames() const { return mNumFrames; }
    /// Frames per second of the stream.
    float getFps() const;
    /// The pixel layout of the frames.
    TheoraOutputMode getOutputMode() const { return mOutputMode; }
    /// True when the file has a Vorbis stream (whether or not it is played).
    bool hasAudio() const { return mState.mVorbisHeaders > 0; }
    /// The clip's audio output, or null.
    TheoraAudioInterface* getAudioInterface() const { return mAudioInterface.get(); }

    /// Rewinds to the start at the end of the file instead of ending.
    void setAutoRestart(bool value) { mAutoRestart.store(value); }
    /// Whether the clip rewinds at its end.
    bool getAutoRestart() const { return mAutoRestart.load(); }
    /// Linear sound gain 0 … 1 (values below 1 scale the samples).
    void setAudioGain(float gain);
    /// The sound gain.
    float getAudioGain() const { return mAudioGain.load(); }

    /// Frames handed out or dropped (a dropped frame counts in both).
    int getNumDisplayedFrames() const { return mNumDisplayedFrames.load(); }
    /// Frames dropped for being late, by the decoder or by getNextFrame.
    int getNumDroppedFrames() const { return mNumDroppedFrames.load(); }
    /// Decoded frames waiting in the queue.
    int getNumReadyFrames() { return mFrameQueue->getReadyCount(); }
    /// Size of the frame queue.
    int getNumPrecachedFrames() const { return mNumPrecachedFrames; }

    /// Lets the clock run (see TheoraTimer).
    void play() { getTimer()->play(); }
    /// Stops the clock; the workers keep filling the queue, after running clips.
    void pause() { getTimer()->pause(); }
    /// True while the clock is stopped.
    bool isPaused() const { return getTimer()->isPaused(); }
    /// Clock speed factor (1 is real time).
    void setPlaybackSpeed(float speed) { getTimer()->setSpeed(speed); }
    /// The clock speed factor.
    float getPlaybackSpeed() const { return getTimer()->getSpeed(); }
    /// Seconds on the clip's clock.
    float getTimePosition() const { return getTimer()->getTime(); }
    /// Replaces the clock with one the caller owns and keeps alive while the clip exists (null
    /// restores the clip's own).
    void setTimer(TheoraTimer* timer) { mTimer.store(timer ? timer : &mDefaultTimer); }
    /// The clock in use.
    TheoraTimer* getTimer() const { return mTimer.load(); }

private:
    void load(const Context& context);
    void checkPicture() const;
    void measureDuration();
    void startAudio(TheoraAudioInterfaceFactory* factory);
    bool decodePacket(ogg_packet& packet, double& time, long& number);
    void convertPicture(TheoraVideoFrame& frame);
    bool _readData();
    bool endOfData();
    void queueAudioPage(ogg_page& page, double& audioTime, bool& audioEnded);
    void _restart();
    void wrapPlayback(float time);
    void endDamaged(const char* reason);
    void notifyWorkers();

    std::unique_ptr<TheoraFrameQueue> mFrameQueue;
    std::unique_ptr<TheoraAudioInterface> mAudioInterface;
    std::unique_ptr<TheoraDataSource> mSource;
    TheoraTimer mDefaultTimer;
    std::atomic<TheoraTimer*> mTimer{&mDefaultTimer};
    std::atomic<TheoraWorkerThread*> mAssignedWorker{nullptr};
    std::atomic<int> mNumDroppedFrames{0};
    std::atomic<int> mNumDisplayedFrames{0};
    int mNumPrecachedFrames;
    std::atomic<float> mDuration{-1.0f};
    float mFileDuration = -1.0f;
    std::string mName;
    int mWidth = 0;
    int mHeight = 0;
    int mStride = 0;
    long mNumFrames = 0;
    std::atomic<float> mAudioGain{1.0f};
    TheoraOutputMode mOutputMode;
    bool mUsePower2Stride;
    std::atomic<bool> mAutoRestart{false};
    std::atomic<bool> mEndOfFile{false};
    std::atomic<bool> mRestarted{false};
    // Movie time of the last frame converted; only the decoding worker touches it.
    double mLastPublishedTime = -1.0;
    std::atomic<int> mIteration{0};
    const TheoraYuvConverter* mConverter = nullptr;
    TheoraWorkSignal* mWorkSignal = nullptr;
    TheoraDecoderState mState;
    TheoraMutex mAudioMutex;
};

} // namespace Velmora::Video
