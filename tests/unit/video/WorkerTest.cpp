// The player with its worker threads: what the caller sees while workers decode (also run
// under ThreadSanitizer by scripts/test-tsan).
#include "unit/video/VideoFixture.h"
#include "video/TheoraWorkerThread.h"

#include <chrono>
#include <thread>

namespace Velmora::Video::Tests {
namespace {

class WorkerTest : public VideoTest {
protected:
    WorkerTest() : VideoTest(1) {}

    // Plays clips to their end, moving the clock only while each has a frame ready, so no frame
    // can be late however slowly the worker runs. Returns the frame numbers shown per clip.
    std::vector<std::vector<long>> PlayToEnd(const std::vector<TheoraVideoClip*>& clips, float step) {
        std::vector<std::vector<long>> shown(clips.size());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        for (bool done = false; !done && std::chrono::steady_clock::now() < deadline;) {
            done = true;
            bool allReady = true;
            for (size_t i = 0; i < clips.size(); ++i) {
                if (TheoraVideoFrame* frame = clips[i]->getNextFrame()) {
                    shown[i].push_back(frame->getFrameNumber());
                    clips[i]->popFrame();
                }
                allReady = allReady && (clips[i]->getNumReadyFrames() > 0 || clips[i]->isDone());
                done = done && clips[i]->isDone();
            }
            if (allReady) {
                mManager.update(step);
            } else {
                std::this_thread::yield();
            }
        }
        return shown;
    }
};

TEST_F(WorkerTest, WorkerDecodesEveryFrameInOrder) {
    TheoraVideoClip* a = Open({.mWidth = 160, .mHeight = 96, .mFrames = 40, .mFps = 8, .mAudioChannels = 1}, 4);
    TheoraVideoClip* b = Open({.mFrames = 20, .mFps = 8}, 4);
    const auto shown = PlayToEnd({a, b}, 0.125f);
    ASSERT_EQ(shown[0].size(), 40u);
    ASSERT_EQ(shown[1].size(), 20u);
    for (size_t i = 0; i < shown[0].size(); ++i) EXPECT_EQ(shown[0][i], static_cast<long>(i));
    EXPECT_EQ(a->getNumDroppedFrames() + b->getNumDroppedFrames(), 0);
}

TEST_F(WorkerTest, DestroyingAClipWaitsForItsWorker) {
    const std::vector<std::uint8_t> bytes = EncodeClip({.mWidth = 320, .mHeight = 240, .mFrames = 30});
    for (int round = 0; round < 5; ++round) {
        TheoraVideoClip* clip = Open(bytes, "busy.ogg", 30);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!clip->getAssignedWorker() && clip->getNumReadyFrames() == 0 &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::yield();
        }
        mManager.destroyVideoClip(clip);
        EXPECT_EQ(mManager.getNumClips(), 0);
    }
    EXPECT_TRUE(mLog.Contains("Destroying video clip: MEM:busy.ogg"));
    EXPECT_TRUE(mLog.Contains("Destroyed video."));
}

TEST_F(WorkerTest, ManagerGoesAwayWithClipsStillDecoding) {
    TheoraVideoClip* clip = Open({.mWidth = 320, .mHeight = 240, .mFrames = 30}, 30);
    Open({.mFrames = 30, .mAudioChannels = 2}, 30);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (clip->getNumReadyFrames() == 0 && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
    EXPECT_EQ(mManager.getNumWorkerThreads(), 1);
    EXPECT_GT(clip->getNumReadyFrames(), 0);
}

} // namespace
} // namespace Velmora::Video::Tests
