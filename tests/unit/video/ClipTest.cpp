// Clip loading, timing and damaged input, decoded on the test's own thread (a manager without
// workers).
#include "unit/video/VideoFixture.h"
#include "video/TheoraException.h"

#include <ogg/ogg.h>

namespace Velmora::Video::Tests {
namespace {

using ClipTest = VideoTest;
using RobustnessTest = VideoTest;
using Bytes = std::vector<std::uint8_t>;

struct PageSpan {
    size_t mOffset, mHeaderBytes, mBodyBytes;
};

std::vector<PageSpan> Pages(const Bytes& file) {
    std::vector<PageSpan> pages;
    for (size_t at = 0; at + 27 <= file.size();) {
        const size_t segments = file[at + 26];
        size_t body = 0;
        for (size_t s = 0; s < segments; ++s) body += file[at + 27 + s];
        pages.push_back({at, 27 + segments, body});
        at += 27 + segments + body;
    }
    return pages;
}

// Changes a byte of a page's body and, when asked, makes its checksum right again.
Bytes Damaged(Bytes file, size_t pageIndex, size_t bodyOffset, bool fixChecksum) {
    const PageSpan span = Pages(file).at(pageIndex);
    file[span.mOffset + span.mHeaderBytes + bodyOffset] ^= 0x5a;
    if (fixChecksum) {
        ogg_page page{file.data() + span.mOffset, static_cast<long>(span.mHeaderBytes),
                      file.data() + span.mOffset + span.mHeaderBytes, static_cast<long>(span.mBodyBytes)};
        ogg_page_checksum_set(&page);
    }
    return file;
}

TEST_F(ClipTest, DurationAndFrameCountComeFromTheTail) {
    // A long clip with sound puts Vorbis pages last and its tail beyond the first 4096 bytes.
    TheoraVideoClip* clip = Open({.mWidth = 96, .mFrames = 90, .mFps = 30, .mAudioChannels = 2});
    EXPECT_FLOAT_EQ(clip->getDuration(), 3.0f);
    EXPECT_EQ(clip->getNumFrames(), 90);
    EXPECT_TRUE(mLog.Contains("MEM:clip.ogg: file duration is 3 seconds"));
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

TEST_F(RobustnessTest, DamagedHeadersThrowTheirReason) {
    const Bytes video = EncodeClip({});
    const Bytes both = EncodeClip({.mAudioChannels = 1});
    const size_t firstPage = Pages(video)[0].mHeaderBytes + Pages(video)[0].mBodyBytes;
    struct Case {
        Bytes mFile;
        const char* mReason;
    };
    // Pages of a clip with sound: 0 Theora and 1 Vorbis identification, 2 and 3 their other headers.
    const Case cases[] = {
        {Bytes(video.begin(), video.begin() + static_cast<long>(firstPage)), "End of file found prematurely"},
        {Damaged(video, 1, 40, false), "Error parsing Theora stream headers."},
        {Damaged(video, 1, 2, true), "invalid theora stream"},
        {Damaged(both, 3, 40, false), "Error parsing vorbis stream headers"},
        {Damaged(both, 3, 2, true), "invalid stream"},
    };
    for (const Case& c : cases) {
        try {
            Open(c.mFile, "bad.ogg");
            ADD_FAILURE() << "accepted; expected " << c.mReason;
        } catch (const TheoraGenericException& e) {
            EXPECT_EQ(e.getErrorText(), c.mReason);
        }
    }
    EXPECT_EQ(mManager.getNumClips(), 0);
}

TEST_F(RobustnessTest, DamageInTheMiddleEndsTheClip) {
    const Bytes file = EncodeClip({.mWidth = 128, .mHeight = 96, .mFrames = 48, .mTextured = true});
    const size_t middle = Pages(file).size() / 2;
    struct Case {
        Bytes mFile;
        const char* mLog;
    };
    const Case cases[] = {
        {Damaged(file, middle, 10, false), "MEM:cut.ogg: pages of the video stream are missing, ending the clip"},
        {Bytes(file.begin(), file.begin() + static_cast<long>(Pages(file)[middle].mOffset) + 100), nullptr},
    };
    for (const Case& c : cases) {
        TheoraVideoClip* clip = Open(c.mFile, "cut.ogg", 64);
        const int decoded = DecodeAhead(*clip, 64);
        EXPECT_GT(decoded, 0);
        EXPECT_LT(decoded, 48);
        EXPECT_FALSE(clip->decodeNextFrame());
        clip->update(10.0f);
        while (clip->getNextFrame()) clip->popFrame();
        EXPECT_TRUE(clip->isDone());
        if (c.mLog) {
            EXPECT_TRUE(mLog.Contains(c.mLog));
        }
        mManager.destroyVideoClip(clip);
    }
}

} // namespace
} // namespace Velmora::Video::Tests
