// Clip loading and timing, decoded on the test's own thread (a manager without workers).
#include "unit/video/VideoFixture.h"
#include "video/TheoraAudioInterface.h"
#include "video/TheoraException.h"
#include "video/TheoraWorkerThread.h"

#include <cmath>

namespace Velmora::Video::Tests {
namespace {

using ClipTest = VideoTest;

TEST_F(ClipTest, DurationAndFrameCountComeFromTheTail) {
    struct Case {
        int mFrames, mFps, mChannels;
    };
    // A long clip with sound puts Vorbis pages last and its tail beyond the first 4096 bytes.
    for (const Case& c : {Case{24, 24, 0}, Case{7, 5, 0}, Case{90, 30, 2}}) {
        TheoraVideoClip* clip =
            Open({.mWidth = 96, .mHeight = 64, .mFrames = c.mFrames, .mFps = c.mFps, .mAudioChannels = c.mChannels});
        EXPECT_FLOAT_EQ(clip->getDuration(), static_cast<float>(c.mFrames) / c.mFps) << c.mFrames;
        EXPECT_EQ(clip->getNumFrames(), c.mFrames);
        EXPECT_EQ(clip->hasAudio(), c.mChannels > 0);
        mManager.destroyVideoClip(clip);
    }
    EXPECT_TRUE(mLog.Contains("MEM:clip.ogg: file duration is 1.4 seconds"));
}

TEST_F(ClipTest, QueueSizeAndStride) {
    EXPECT_EQ(Open({}, 0)->getNumPrecachedFrames(), 16);
    EXPECT_EQ(Open({}, 4)->getNumPrecachedFrames(), 4);
    TheoraVideoClip* padded = Open({.mWidth = 40, .mHeight = 30}, 0, true);
    EXPECT_EQ(padded->getWidth(), 40);
    EXPECT_EQ(padded->getHeight(), 30);
    EXPECT_EQ(padded->getStride(), 64);
}

TEST_F(ClipTest, FramesComeInOrderWithTheirPictures) {
    // Eighths of a second add up exactly in floats, so every frame is due on its step.
    TheoraVideoClip* clip = Open({.mFrames = 12, .mFps = 8}, 4);
    const TheoraYuvConverter& converter = mManager.getYuvConverter();
    for (int i = 0; i < 12; ++i) {
        ASSERT_GE(DecodeAhead(*clip, 4), 0);
        EXPECT_EQ(clip->getNextFrame(), nullptr) << "frame " << i << " is not due before its time";
        clip->update(0.125f);
        TheoraVideoFrame* frame = clip->getNextFrame();
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(clip->getNextFrame(), frame) << "a due frame stays until popped";
        EXPECT_EQ(frame->getFrameNumber(), i);
        const auto expected = converter.convert(LumaOf(i), 128, 128);
        EXPECT_NEAR(frame->getBuffer()[3 * (20 * 64 + 30)], expected[0], 3);
        EXPECT_FALSE(clip->isDone());
        clip->popFrame();
    }
    EXPECT_FALSE(clip->decodeNextFrame());
    EXPECT_TRUE(clip->isDone());
    EXPECT_EQ(clip->getNumDisplayedFrames(), 12);
    EXPECT_EQ(clip->getNumDroppedFrames(), 0);
}

TEST_F(ClipTest, LateFramesAreDroppedAndCounted) {
    TheoraVideoClip* clip = Open({.mFps = 10});
    DecodeAhead(*clip, 4);
    // At 0.38 s frames 0 (0.1 s) and 1 (0.2 s) are over 0.1 s late; frame 2 (0.3 s) is due.
    clip->update(0.38f);
    TheoraVideoFrame* frame = clip->getNextFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->getFrameNumber(), 2);
    EXPECT_EQ(clip->getNumDroppedFrames(), 2);
    EXPECT_EQ(clip->getNumDisplayedFrames(), 2);
    // Frames decoded after the clock has passed them are dropped by the decoder the same way.
    clip->popFrame();
    clip->update(1.0f);
    ASSERT_TRUE(clip->decodeNextFrame());
    EXPECT_EQ(clip->getNumDroppedFrames(), 2 + 9);
    EXPECT_EQ(clip->getNumDisplayedFrames(), 3 + 9);
    // A decoder that cannot keep up still converts a frame a second of movie, and a late frame with
    // nothing behind it is shown rather than dropped.
    clip->update(3.0f);
    ASSERT_TRUE(clip->decodeNextFrame());
    frame = clip->getNextFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->getFrameNumber(), 23);
}

TEST_F(ClipTest, PausedClipsWaitForRunningOnes) {
    TheoraVideoClip* paused = Open({}, 16);
    TheoraVideoClip* running = Open({}, 16);
    DecodeAhead(*running, 5);
    paused->pause();
    EXPECT_EQ(paused->getPriorityIndex(), 8);
    EXPECT_EQ(running->getPriorityIndex(), 5);
    TheoraWorkerThread worker(mManager); // never started: only a name for the assignment
    EXPECT_EQ(mManager.requestWork(&worker), running);
    EXPECT_EQ(running->getAssignedWorker(), &worker);
    EXPECT_EQ(mManager.requestWork(&worker), paused) << "a busy clip is skipped";
    EXPECT_EQ(mManager.requestWork(&worker), nullptr);
    paused->setAssignedWorker(nullptr);
    running->setAssignedWorker(nullptr);
}

class RecordingAudio : public TheoraAudioInterface, public TheoraAudioInterfaceFactory {
public:
    RecordingAudio() : TheoraAudioInterface(nullptr, 0, 0) {}
    TheoraAudioInterface* createInstance(TheoraVideoClip* owner, int channels, int frequency) override {
        auto* audio = new RecordingAudio();
        audio->mChannels = channels;
        audio->mRate = frequency;
        mMade = audio;
        (void)owner;
        return audio;
    }
    void insertData(float** data, int count) override {
        for (int i = 0; i < count; ++i) mPeak = std::max(mPeak, std::abs(data[0][i]));
        mSamples += count;
    }
    RecordingAudio* mMade = nullptr;
    int mChannels = 0;
    int mRate = 0;
    long mSamples = 0;
    float mPeak = 0.0f;
};

TEST_F(ClipTest, SoundRunsASecondAheadWithItsGain) {
    RecordingAudio factory;
    mManager.setAudioInterfaceFactory(&factory);
    TheoraVideoClip* clip = Open({.mFrames = 96, .mFps = 24, .mAudioChannels = 2, .mAudioRate = 22050});
    ASSERT_NE(factory.mMade, nullptr);
    EXPECT_EQ(factory.mMade->mChannels, 2);
    EXPECT_EQ(factory.mMade->mRate, 22050);
    clip->setAudioGain(0.5f);
    clip->pause();
    ASSERT_TRUE(clip->decodeNextFrame());
    mManager.update(0.0f);
    EXPECT_EQ(factory.mMade->mSamples, 0) << "a paused clip keeps its sound";
    clip->play();
    mManager.update(0.0f);
    EXPECT_GE(factory.mMade->mSamples, 22050);
    EXPECT_NEAR(factory.mMade->mPeak, 0.25f, 0.05f);
}

TEST_F(ClipTest, ClipWithoutSoundPlaysSilently) {
    RecordingAudio factory;
    mManager.setAudioInterfaceFactory(&factory);
    // Two seconds of large frames: without sound to keep ahead, the reader takes only what the
    // first picture needs.
    const std::vector<std::uint8_t> bytes =
        EncodeClip({.mWidth = 128, .mHeight = 96, .mFrames = 48, .mTextured = true});
    auto source = std::make_unique<TheoraMemoryFileDataSource>(bytes, "silent.ogg");
    const TheoraDataSource* reader = source.get();
    TheoraVideoClip* clip = mManager.createVideoClip(std::move(source), TheoraOutputMode::Rgb, 64);
    EXPECT_EQ(factory.mMade, nullptr);
    EXPECT_EQ(clip->getAudioInterface(), nullptr);
    ASSERT_TRUE(clip->decodeNextFrame());
    EXPECT_LT(reader->tell(), bytes.size() / 4);
    EXPECT_EQ(DecodeAhead(*clip, 64), 47);
}

TEST_F(ClipTest, AutoRestartWrapsTheClock) {
    TheoraVideoClip* clip = Open({.mFrames = 4, .mFps = 4}, 4);
    clip->setAutoRestart(true);
    std::vector<long> shown;
    for (int step = 0; step < 12; ++step) {
        DecodeAhead(*clip, 4);
        clip->update(0.25f);
        if (TheoraVideoFrame* frame = clip->getNextFrame()) {
            shown.push_back(frame->getFrameNumber());
            clip->popFrame();
        }
    }
    EXPECT_FALSE(clip->isDone());
    EXPECT_LT(clip->getTimePosition(), clip->getDuration());
    EXPECT_GE(std::count(shown.begin(), shown.end(), 0L), 2) << "the first frame came round again";
}

} // namespace
} // namespace Velmora::Video::Tests
