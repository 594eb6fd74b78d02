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
};

TEST_F(WorkerTest, WorkerDecodesEveryFrameInOrder) {
    const std::vector<TheoraVideoClip*> clips{
        Open({.mWidth = 160, .mHeight = 96, .mFrames = 40, .mFps = 8, .mAudioChannels = 1}, 4),
        Open({.mFrames = 20, .mFps = 8}, 4)};
    // The clock moves only while both clips have a frame ready, so no frame can be late however
    // slowly the worker runs.
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
            mManager.update(0.125f);
        } else {
            std::this_thread::yield();
        }
    }
    ASSERT_EQ(shown[0].size(), 40u);
    ASSERT_EQ(shown[1].size(), 20u);
    for (size_t i = 0; i < shown[0].size(); ++i) EXPECT_EQ(shown[0][i], static_cast<long>(i));
    EXPECT_EQ(clips[0]->getNumDroppedFrames() + clips[1]->getNumDroppedFrames(), 0);
}

TEST_F(WorkerTest, DestroyingAClipOrTheManagerWaitsForTheWorker) {
    const std::vector<std::uint8_t> bytes = EncodeClip({.mWidth = 320, .mHeight = 240, .mFrames = 30});
    for (int round = 0; round < 5; ++round) {
        TheoraVideoClip* clip = Open(bytes, "busy.ogg", 30);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!clip->getAssignedWorker() && clip->getNumReadyFrames() == 0 &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::yield();
        }
        if (round < 4) mManager.destroyVideoClip(clip); // the last one is left to the manager
    }
    EXPECT_EQ(mManager.getNumClips(), 1);
    EXPECT_TRUE(mLog.Contains("Destroyed video."));
}

} // namespace
} // namespace Velmora::Video::Tests
