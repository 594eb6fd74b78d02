// The committed opening movie as the video screen will play it: it opens with the player, is
// 640 x 360 or larger and 20 to 40 seconds long, carries stereo sound, and every frame decodes
// with its sound lasting as long as the picture.

#include "support/TestSupport.h"
#include "video/TheoraAudioInterface.h"
#include "video/TheoraVideoClip.h"
#include "video/TheoraVideoManager.h"

#include <gtest/gtest.h>

namespace Velmora {
namespace {

using namespace Video;

class CountingAudio : public TheoraAudioInterface, public TheoraAudioInterfaceFactory {
public:
    CountingAudio() : TheoraAudioInterface(nullptr, 0, 0) {}
    TheoraAudioInterface* createInstance(TheoraVideoClip*, int channels, int frequency) override {
        mChannels = channels;
        mRate = frequency;
        return mMade = new CountingAudio();
    }
    void insertData(float**, int count) override { mSamples += count; }
    CountingAudio* mMade = nullptr;
    int mChannels = 0;
    int mRate = 0;
    long mSamples = 0;
};

TEST(MovieContentTest, OpeningMoviePlaysWholeWithSound) {
    TheoraVideoManager::setLogFunction([](const std::string&) {});
    TheoraVideoManager manager(0);
    CountingAudio audio;
    manager.setAudioInterfaceFactory(&audio);
    TheoraVideoClip* clip = manager.createVideoClip(Tests::SourceDir() + "/data/video/movie_opening_halfsize.ogg");
    EXPECT_GE(clip->getWidth(), 640);
    EXPECT_GE(clip->getHeight(), 360);
    EXPECT_GE(clip->getDuration(), 20.0f);
    EXPECT_LE(clip->getDuration(), 40.0f);
    EXPECT_EQ(audio.mChannels, 2);
    const float step = 1.0f / clip->getFps();
    long frames = 0;
    for (; clip->decodeNextFrame(); ++frames) {
        // The clock a hair past the frame's time, so float rounding never leaves it not yet due.
        clip->getTimer()->seek(step * static_cast<float>(frames + 1) + 1e-4f);
        manager.update(0.0f);
        ASSERT_NE(clip->getNextFrame(), nullptr) << "frame " << frames;
        clip->popFrame();
    }
    manager.update(0.0f);
    EXPECT_EQ(frames, clip->getNumFrames());
    EXPECT_EQ(clip->getNumDroppedFrames(), 0);
    EXPECT_NEAR(static_cast<double>(audio.mMade->mSamples) / audio.mRate, clip->getDuration(), 0.1);
    TheoraVideoManager::setLogFunction(nullptr);
}

} // namespace
} // namespace Velmora
