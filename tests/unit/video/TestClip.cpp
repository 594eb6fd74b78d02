#include "unit/video/TestClip.h"

#include <ogg/ogg.h>
#include <theora/theoraenc.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <stdexcept>

namespace Velmora::Video::Tests {

namespace {

struct Page {
    double mTime;
    int mStream; // 0 video, 1 sound: video first when times tie
    std::vector<std::uint8_t> mBytes;
};

// Pages of a stream as they complete; a page without a granule position keeps the last time.
template <typename TimeOf>
void DrainPages(ogg_stream_state& stream, bool flush, int index, double& lastTime, TimeOf timeOf,
                std::vector<Page>& pages) {
    ogg_page page;
    while (flush ? ogg_stream_flush(&stream, &page) > 0 : ogg_stream_pageout(&stream, &page) > 0) {
        if (ogg_page_granulepos(&page) >= 0) lastTime = timeOf(ogg_page_granulepos(&page));
        pages.push_back({lastTime, index, std::vector<std::uint8_t>(page.header, page.header + page.header_len)});
        pages.back().mBytes.insert(pages.back().mBytes.end(), page.body, page.body + page.body_len);
    }
}

// Header pages come before any data.
double HeaderTime(ogg_int64_t) { return 0.0; }

// 0 … 31, different in every pixel of every frame, so no frame predicts the next.
int Noise(size_t pixel, int frame) {
    std::uint32_t h = static_cast<std::uint32_t>(pixel) * 2654435761u ^ static_cast<std::uint32_t>(frame) * 40503u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return static_cast<int>(h >> 27);
}

class VideoEncoder {
public:
    explicit VideoEncoder(const ClipSpec& spec) : mSpec(spec) {
        th_info info;
        th_info_init(&info);
        info.frame_width = static_cast<unsigned>((spec.mWidth + 15) & ~15);
        info.frame_height = static_cast<unsigned>((spec.mHeight + 15) & ~15);
        info.pic_width = static_cast<unsigned>(spec.mWidth);
        info.pic_height = static_cast<unsigned>(spec.mHeight);
        info.fps_numerator = static_cast<unsigned>(spec.mFps);
        info.fps_denominator = 1;
        info.pixel_fmt = TH_PF_420;
        info.quality = 48;
        mContext = th_encode_alloc(&info);
        th_info_clear(&info);
        if (!mContext) throw std::runtime_error("theora encoder refused the test clip");
        ogg_stream_init(&mStream, 0x7e57);
    }
    ~VideoEncoder() {
        th_encode_free(mContext);
        ogg_stream_clear(&mStream);
    }

    // The identification header alone on the first page, the other two on the next.
    void Headers(std::vector<Page>& first, std::vector<Page>& rest) {
        th_comment comment;
        th_comment_init(&comment);
        ogg_packet packet;
        for (int n = 0; th_encode_flushheader(mContext, &comment, &packet) > 0; ++n) {
            ogg_stream_packetin(&mStream, &packet);
            if (n == 0) DrainPages(mStream, true, 0, mTime, HeaderTime, first);
        }
        th_comment_clear(&comment);
        DrainPages(mStream, true, 0, mTime, HeaderTime, rest);
    }

    void Frames(std::vector<Page>& pages) {
        const int frameWidth = (mSpec.mWidth + 15) & ~15;
        const int frameHeight = (mSpec.mHeight + 15) & ~15;
        std::vector<unsigned char> luma(static_cast<size_t>(frameWidth * frameHeight));
        std::vector<unsigned char> chroma(luma.size() / 4, 128);
        th_ycbcr_buffer buffer = {{frameWidth, frameHeight, frameWidth, luma.data()},
                                  {frameWidth / 2, frameHeight / 2, frameWidth / 2, chroma.data()},
                                  {frameWidth / 2, frameHeight / 2, frameWidth / 2, chroma.data()}};
        auto timeOf = [this](ogg_int64_t granule) { return th_granule_time(mContext, granule); };
        for (int i = 0; i < mSpec.mFrames; ++i) {
            for (size_t p = 0; p < luma.size(); ++p) {
                luma[p] = static_cast<unsigned char>(LumaOf(i) + (mSpec.mTextured ? Noise(p, i) : 0));
            }
            th_encode_ycbcr_in(mContext, buffer);
            ogg_packet packet;
            while (th_encode_packetout(mContext, i == mSpec.mFrames - 1, &packet) > 0) {
                ogg_stream_packetin(&mStream, &packet);
            }
            DrainPages(mStream, false, 0, mTime, timeOf, pages);
        }
        DrainPages(mStream, true, 0, mTime, timeOf, pages);
    }

private:
    ClipSpec mSpec;
    th_enc_ctx* mContext = nullptr;
    ogg_stream_state mStream{};
    double mTime = 0.0;
};

class AudioEncoder {
public:
    explicit AudioEncoder(const ClipSpec& spec) : mSpec(spec) {
        vorbis_info_init(&mInfo);
        if (vorbis_encode_init_vbr(&mInfo, spec.mAudioChannels, spec.mAudioRate, 0.1f) != 0) {
            throw std::runtime_error("vorbis encoder refused the test clip");
        }
        vorbis_analysis_init(&mDsp, &mInfo);
        vorbis_block_init(&mDsp, &mBlock);
        ogg_stream_init(&mStream, 0x50d);
    }
    ~AudioEncoder() {
        ogg_stream_clear(&mStream);
        vorbis_block_clear(&mBlock);
        vorbis_dsp_clear(&mDsp);
        vorbis_info_clear(&mInfo);
    }

    void Headers(std::vector<Page>& first, std::vector<Page>& rest) {
        vorbis_comment comment;
        vorbis_comment_init(&comment);
        ogg_packet identification, commentPacket, codebooks;
        vorbis_analysis_headerout(&mDsp, &comment, &identification, &commentPacket, &codebooks);
        vorbis_comment_clear(&comment);
        ogg_stream_packetin(&mStream, &identification);
        DrainPages(mStream, true, 1, mTime, HeaderTime, first);
        ogg_stream_packetin(&mStream, &commentPacket);
        ogg_stream_packetin(&mStream, &codebooks);
        DrainPages(mStream, true, 1, mTime, HeaderTime, rest);
    }

    void Samples(std::vector<Page>& pages) {
        const long total = static_cast<long>(mSpec.mFrames) * mSpec.mAudioRate / mSpec.mFps;
        for (long done = 0; done < total;) {
            const int count = static_cast<int>(std::min(1024L, total - done));
            float** buffer = vorbis_analysis_buffer(&mDsp, count);
            for (int i = 0; i < count; ++i) {
                const float sample =
                    0.5f * static_cast<float>(std::sin(2.0 * std::numbers::pi * 440.0 * (done + i) / mSpec.mAudioRate));
                for (int c = 0; c < mSpec.mAudioChannels; ++c) buffer[c][i] = sample;
            }
            vorbis_analysis_wrote(&mDsp, count);
            done += count;
            Encode(pages, false);
        }
        vorbis_analysis_wrote(&mDsp, 0);
        Encode(pages, true);
    }

private:
    void Encode(std::vector<Page>& pages, bool flush) {
        auto timeOf = [this](ogg_int64_t granule) { return vorbis_granule_time(&mDsp, granule); };
        while (vorbis_analysis_blockout(&mDsp, &mBlock) == 1) {
            vorbis_analysis(&mBlock, nullptr);
            vorbis_bitrate_addblock(&mBlock);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&mDsp, &packet) == 1) ogg_stream_packetin(&mStream, &packet);
        }
        DrainPages(mStream, flush, 1, mTime, timeOf, pages);
    }

    ClipSpec mSpec;
    vorbis_info mInfo{};
    vorbis_dsp_state mDsp{};
    vorbis_block mBlock{};
    ogg_stream_state mStream{};
    double mTime = 0.0;
};

} // namespace

int LumaOf(int frame) { return 32 + (frame * 7) % 192; }

std::vector<std::uint8_t> EncodeClip(const ClipSpec& spec) {
    std::vector<Page> first, headers, data;
    VideoEncoder video(spec);
    video.Headers(first, headers);
    std::unique_ptr<AudioEncoder> audio;
    if (spec.mAudioChannels > 0) {
        audio = std::make_unique<AudioEncoder>(spec);
        audio->Headers(first, headers);
        audio->Samples(data);
    }
    video.Frames(data);
    std::stable_sort(data.begin(), data.end(), [](const Page& a, const Page& b) {
        return a.mTime < b.mTime || (a.mTime == b.mTime && a.mStream < b.mStream);
    });
    std::vector<std::uint8_t> file;
    for (const auto* list : {&first, &headers, &data}) {
        for (const Page& page : *list) file.insert(file.end(), page.mBytes.begin(), page.mBytes.end());
    }
    return file;
}

} // namespace Velmora::Video::Tests
