#include "MovieWriter.h"

#include <algorithm>
#include <cmath>

namespace Velmora::MovieGen {

namespace {

constexpr int kVideoSerial = 0x7e0a;
constexpr int kAudioSerial = 0x50a1;
constexpr int kAudioBlock = 1024;

unsigned char Clamp(double value) { return static_cast<unsigned char>(std::clamp(value + 0.5, 0.0, 255.0)); }

} // namespace

MovieWriter::MovieWriter(const std::string& path, const Settings& settings) : mSettings(settings) {
    mFile = std::fopen(path.c_str(), "wb");
    if (!mFile) {
        std::fprintf(stderr, "moviegen: cannot write %s\n", path.c_str());
        return;
    }
    ogg_stream_init(&mVideoStream, kVideoSerial);
    ogg_stream_init(&mAudioStream, kAudioSerial);
    vorbis_info_init(&mAudioInfo);
    mOk = StartVideo() && StartAudio();
    if (mOk) WriteHeaders();
}

MovieWriter::~MovieWriter() {
    if (mFile) std::fclose(mFile);
    th_encode_free(mVideo);
    vorbis_block_clear(&mAudioBlock);
    vorbis_dsp_clear(&mAudioDsp);
    vorbis_info_clear(&mAudioInfo);
    ogg_stream_clear(&mVideoStream);
    ogg_stream_clear(&mAudioStream);
}

bool MovieWriter::StartVideo() {
    mFrameWidth = (mSettings.mWidth + 15) & ~15;
    mFrameHeight = (mSettings.mHeight + 15) & ~15;
    th_info info;
    th_info_init(&info);
    info.frame_width = static_cast<unsigned>(mFrameWidth);
    info.frame_height = static_cast<unsigned>(mFrameHeight);
    info.pic_width = static_cast<unsigned>(mSettings.mWidth);
    info.pic_height = static_cast<unsigned>(mSettings.mHeight);
    info.fps_numerator = static_cast<unsigned>(mSettings.mFps);
    info.fps_denominator = 1;
    info.aspect_numerator = 1;
    info.aspect_denominator = 1;
    info.colorspace = TH_CS_ITU_REC_470BG;
    info.pixel_fmt = TH_PF_420;
    info.quality = mSettings.mVideoQuality;
    mVideo = th_encode_alloc(&info);
    th_info_clear(&info);
    if (!mVideo) return false;
    ogg_uint32_t interval = static_cast<ogg_uint32_t>(mSettings.mKeyframeInterval);
    th_encode_ctl(mVideo, TH_ENCCTL_SET_KEYFRAME_FREQUENCY_FORCE, &interval, sizeof interval);
    const size_t luma = static_cast<size_t>(mFrameWidth) * static_cast<size_t>(mFrameHeight);
    mPlanes[0].assign(luma, 16);
    mPlanes[1].assign(luma / 4, 128);
    mPlanes[2].assign(luma / 4, 128);
    return true;
}

bool MovieWriter::StartAudio() {
    if (vorbis_encode_init_vbr(&mAudioInfo, 2, mSettings.mAudioRate, static_cast<float>(mSettings.mAudioQuality)) != 0) {
        return false;
    }
    return vorbis_analysis_init(&mAudioDsp, &mAudioInfo) == 0 && vorbis_block_init(&mAudioDsp, &mAudioBlock) == 0;
}

// Both identification headers open the file, each alone on its page; the other headers follow.
void MovieWriter::WriteHeaders() {
    th_comment videoComment;
    th_comment_init(&videoComment);
    ogg_packet packet;
    ogg_page page;
    for (int n = 0; th_encode_flushheader(mVideo, &videoComment, &packet) > 0; ++n) {
        ogg_stream_packetin(&mVideoStream, &packet);
        while (n == 0 && ogg_stream_flush(&mVideoStream, &page) > 0) Write(page);
    }
    th_comment_clear(&videoComment);
    vorbis_comment audioComment;
    vorbis_comment_init(&audioComment);
    ogg_packet identification, comment, codebooks;
    vorbis_analysis_headerout(&mAudioDsp, &audioComment, &identification, &comment, &codebooks);
    vorbis_comment_clear(&audioComment);
    ogg_stream_packetin(&mAudioStream, &identification);
    while (ogg_stream_flush(&mAudioStream, &page) > 0) Write(page);
    ogg_stream_packetin(&mAudioStream, &comment);
    ogg_stream_packetin(&mAudioStream, &codebooks);
    while (ogg_stream_flush(&mVideoStream, &page) > 0) Write(page);
    while (ogg_stream_flush(&mAudioStream, &page) > 0) Write(page);
}

void MovieWriter::SetAudio(const AudioGen::Stereo& audio) {
    for (size_t done = 0; done < audio.Frames(); done += kAudioBlock) {
        const int count = static_cast<int>(std::min<size_t>(kAudioBlock, audio.Frames() - done));
        float** buffer = vorbis_analysis_buffer(&mAudioDsp, count);
        for (int i = 0; i < count; ++i) {
            buffer[0][i] = std::clamp(audio.mLeft[done + i], -1.0f, 1.0f);
            buffer[1][i] = std::clamp(audio.mRight[done + i], -1.0f, 1.0f);
        }
        vorbis_analysis_wrote(&mAudioDsp, count);
        EncodeAudio(false);
    }
    vorbis_analysis_wrote(&mAudioDsp, 0);  // marks the end of the stream
    EncodeAudio(true);
}

// Pages are kept with their end times until the picture pages catch up with them.
void MovieWriter::EncodeAudio(bool end) {
    while (vorbis_analysis_blockout(&mAudioDsp, &mAudioBlock) == 1) {
        vorbis_analysis(&mAudioBlock, nullptr);
        vorbis_bitrate_addblock(&mAudioBlock);
        ogg_packet packet;
        while (vorbis_bitrate_flushpacket(&mAudioDsp, &packet) == 1) ogg_stream_packetin(&mAudioStream, &packet);
    }
    ogg_page page;
    while (end ? ogg_stream_flush(&mAudioStream, &page) > 0 : ogg_stream_pageout(&mAudioStream, &page) > 0) {
        std::vector<std::uint8_t> bytes(page.header, page.header + page.header_len);
        bytes.insert(bytes.end(), page.body, page.body + page.body_len);
        mAudioPages.push_back({vorbis_granule_time(&mAudioDsp, ogg_page_granulepos(&page)), std::move(bytes)});
    }
}

void MovieWriter::AddFrame(cairo_surface_t* frame, bool last) {
    ToYcbcr(frame);
    th_ycbcr_buffer buffer;
    const int widths[3] = {mFrameWidth, mFrameWidth / 2, mFrameWidth / 2};
    const int heights[3] = {mFrameHeight, mFrameHeight / 2, mFrameHeight / 2};
    for (int p = 0; p < 3; ++p) buffer[p] = {widths[p], heights[p], widths[p], mPlanes[p].data()};
    mOk = th_encode_ycbcr_in(mVideo, buffer) == 0 && mOk;
    ogg_packet packet;
    while (th_encode_packetout(mVideo, last ? 1 : 0, &packet) > 0) ogg_stream_packetin(&mVideoStream, &packet);
    ogg_page page;
    while (last ? ogg_stream_flush(&mVideoStream, &page) > 0 : ogg_stream_pageout(&mVideoStream, &page) > 0) {
        WriteAudioUntil(th_granule_time(mVideo, ogg_page_granulepos(&page)));
        Write(page);
    }
}

// Rec. 601 studio range, chroma averaged over each 2 × 2 block; rows below the picture repeat
// its last row so the encoder's padding costs nothing.
void MovieWriter::ToYcbcr(cairo_surface_t* frame) {
    cairo_surface_flush(frame);
    const unsigned char* data = cairo_image_surface_get_data(frame);
    const int stride = cairo_image_surface_get_stride(frame);
    auto rgb = [&](int x, int y, double out[3]) {
        const auto* pixel = reinterpret_cast<const std::uint32_t*>(data + std::min(y, mSettings.mHeight - 1) * stride) + x;
        out[0] = (*pixel >> 16) & 0xFF;
        out[1] = (*pixel >> 8) & 0xFF;
        out[2] = *pixel & 0xFF;
    };
    for (int y = 0; y < mFrameHeight; y += 2) {
        for (int x = 0; x < mFrameWidth; x += 2) {
            double sum[3] = {0, 0, 0};
            for (int k = 0; k < 4; ++k) {
                double c[3];
                rgb(std::min(x + (k & 1), mSettings.mWidth - 1), y + (k >> 1), c);
                mPlanes[0][static_cast<size_t>((y + (k >> 1)) * mFrameWidth + x + (k & 1))] =
                    Clamp(16.0 + 0.256788 * c[0] + 0.504129 * c[1] + 0.097906 * c[2]);
                for (int i = 0; i < 3; ++i) sum[i] += c[i] / 4.0;
            }
            const size_t chroma = static_cast<size_t>((y / 2) * (mFrameWidth / 2) + x / 2);
            mPlanes[1][chroma] = Clamp(128.0 - 0.148223 * sum[0] - 0.290993 * sum[1] + 0.439216 * sum[2]);
            mPlanes[2][chroma] = Clamp(128.0 + 0.439216 * sum[0] - 0.367788 * sum[1] - 0.071427 * sum[2]);
        }
    }
}

void MovieWriter::WriteAudioUntil(double time) {
    while (!mAudioPages.empty() && mAudioPages.front().mTime <= time) {
        const std::vector<std::uint8_t>& bytes = mAudioPages.front().mBytes;
        mOk = std::fwrite(bytes.data(), 1, bytes.size(), mFile) == bytes.size() && mOk;
        mAudioPages.pop_front();
    }
}

void MovieWriter::Write(const ogg_page& page) {
    mOk = std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), mFile) == static_cast<size_t>(page.header_len) &&
          std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), mFile) == static_cast<size_t>(page.body_len) && mOk;
}

bool MovieWriter::Finish() {
    WriteAudioUntil(1e30);
    if (!mFile) return false;
    mOk = std::fclose(mFile) == 0 && mOk;
    mFile = nullptr;
    return mOk;
}

} // namespace Velmora::MovieGen
