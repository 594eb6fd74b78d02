// Damaged and unusual input: header errors, damage in the middle of a stream, data sources,
// and the colour conversion.
#include "unit/video/VideoFixture.h"
#include "video/TheoraException.h"
#include "video/TheoraFileDataSource.h"

#include <ogg/ogg.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>

namespace Velmora::Video::Tests {
namespace {

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

Bytes WithoutStream(const Bytes& file, int serial) {
    Bytes kept;
    for (const PageSpan& span : Pages(file)) {
        int pageSerial = 0;
        std::memcpy(&pageSerial, file.data() + span.mOffset + 14, 4);
        if (pageSerial == serial) continue;
        kept.insert(kept.end(), file.begin() + span.mOffset,
                    file.begin() + span.mOffset + span.mHeaderBytes + span.mBodyBytes);
    }
    return kept;
}

using RobustnessTest = VideoTest;

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
        {{}, "End of file found prematurely"},
        {Bytes(video.begin(), video.begin() + static_cast<long>(firstPage)), "End of file found prematurely"},
        {WithoutStream(both, 0x7e57), "invalid theora stream"},
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
    EXPECT_THROW(mManager.createVideoClip("/nonexistent/movie.ogg"), TheoraGenericException);
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

TEST_F(RobustnessTest, DataSourcesReadSeekAndName) {
    const Bytes bytes{1, 2, 3, 4, 5, 6, 7};
    const std::string path = (std::filesystem::temp_directory_path() / "velmora_video_source.bin").string();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    TheoraFileDataSource fromFile(path);
    TheoraMemoryFileDataSource fromMemory(path);
    TheoraMemoryFileDataSource fromBytes(bytes, "bytes");
    EXPECT_EQ(fromFile.repr(), path);
    EXPECT_EQ(fromMemory.repr(), "MEM:" + path);
    EXPECT_EQ(fromBytes.repr(), "MEM:bytes");
    for (TheoraDataSource* source : std::initializer_list<TheoraDataSource*>{&fromFile, &fromMemory, &fromBytes}) {
        std::uint8_t out[8] = {};
        EXPECT_EQ(source->size(), 7u);
        source->seek(5);
        EXPECT_EQ(source->read(out, 8), 2);
        EXPECT_EQ(out[0], 6);
        EXPECT_EQ(source->tell(), 7u);
        source->seek(100);
        EXPECT_EQ(source->read(out, 8), 0);
    }
    std::filesystem::remove(path);
    EXPECT_THROW(TheoraMemoryFileDataSource("/nonexistent/movie.ogg"), TheoraGenericException);
}

TEST(TheoraYuvConverterTest, ConvertsWithTheIntegerTables) {
    const TheoraYuvConverter converter;
    struct Case {
        int mY, mU, mV, mUnclamped;
        std::uint8_t mRgb;
    };
    for (const Case& c : {Case{16, 128, 128, 0, 0}, Case{235, 128, 128, 254, 254}, Case{255, 128, 128, 278, 255}}) {
        EXPECT_EQ(converter.convertUnclamped(c.mY, c.mU, c.mV)[0], c.mUnclamped) << c.mY;
        EXPECT_EQ(converter.convert(c.mY, c.mU, c.mV), (std::array<std::uint8_t, 3>{c.mRgb, c.mRgb, c.mRgb}));
    }
    // The 2 × 2 block path and the per-pixel path agree with the single-sample conversion, out
    // to the extremes that clamp hardest.
    const std::uint8_t luma[] = {0, 255, 160, 235, 255, 0, 90, 16};
    const std::uint8_t cb[] = {0, 255, 10, 250, 128, 20, 60, 100};
    const std::uint8_t cr[] = {255, 0, 128, 70, 16, 220, 90, 180};
    for (const bool subsampled : {true, false}) {
        const int chromaWidth = subsampled ? 2 : 4;
        TheoraYuvPicture picture{{{{luma, 4, 2, 4}, {cb, chromaWidth, subsampled ? 1 : 2, chromaWidth},
                                   {cr, chromaWidth, subsampled ? 1 : 2, chromaWidth}}}, 0, 0, 4, 2};
        std::uint8_t rgb[24] = {};
        converter.convertToRgb(picture, rgb, 12);
        for (int p = 0; p < 8; ++p) {
            const int chroma = subsampled ? (p % 4) / 2 : p;
            const auto expected = converter.convert(luma[p], cb[chroma], cr[chroma]);
            const std::array<std::uint8_t, 3> got{rgb[3 * p], rgb[3 * p + 1], rgb[3 * p + 2]};
            EXPECT_EQ(got, expected) << "pixel " << p << (subsampled ? " 4:2:0" : " 4:4:4");
        }
    }
}

} // namespace
} // namespace Velmora::Video::Tests
