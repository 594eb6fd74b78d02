#include "VorbisWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace Velmora::AudioGen {
namespace {

constexpr int kBlockFrames = 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

/// The libvorbis and libogg state of one encoding, torn down in reverse order of setup.
struct Encoder {
    vorbis_info mInfo{};
    vorbis_comment mComment{};
    vorbis_dsp_state mDsp{};
    vorbis_block mBlock{};
    ogg_stream_state mStream{};
    bool mReady = false;

    Encoder() {
        vorbis_info_init(&mInfo);
        vorbis_comment_init(&mComment);
    }
    ~Encoder() {
        if (mReady) {
            ogg_stream_clear(&mStream);
            vorbis_block_clear(&mBlock);
            vorbis_dsp_clear(&mDsp);
        }
        vorbis_comment_clear(&mComment);
        vorbis_info_clear(&mInfo);
    }
};

bool WritePage(std::FILE* file, const ogg_page& page) {
    return std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), file) ==
        static_cast<size_t>(page.header_len) &&
        std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), file) == static_cast<size_t>(page.body_len);
}

bool WriteHeaders(Encoder& encoder, std::FILE* file) {
    ogg_packet header;
    ogg_packet comments;
    ogg_packet codebooks;
    vorbis_analysis_headerout(&encoder.mDsp, &encoder.mComment, &header, &comments, &codebooks);
    ogg_stream_packetin(&encoder.mStream, &header);
    ogg_stream_packetin(&encoder.mStream, &comments);
    ogg_stream_packetin(&encoder.mStream, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&encoder.mStream, &page) != 0) {
        if (!WritePage(file, page)) {
            return false;
        }
    }
    return true;
}

/// Pulls every finished packet out of the encoder and writes the pages that fill up.
bool Drain(Encoder& encoder, std::FILE* file) {
    ogg_packet packet;
    ogg_page page;
    while (vorbis_analysis_blockout(&encoder.mDsp, &encoder.mBlock) == 1) {
        vorbis_analysis(&encoder.mBlock, nullptr);
        vorbis_bitrate_addblock(&encoder.mBlock);
        while (vorbis_bitrate_flushpacket(&encoder.mDsp, &packet) != 0) {
            ogg_stream_packetin(&encoder.mStream, &packet);
            while (ogg_stream_pageout(&encoder.mStream, &page) != 0) {
                if (!WritePage(file, page)) {
                    return false;
                }
            }
        }
    }
    return true;
}

bool Encode(Encoder& encoder, std::FILE* file, const std::vector<const Mono*>& channels) {
    const size_t frames = channels.front()->size();
    size_t start = 0;
    while (true) {
        const size_t count = std::min<size_t>(kBlockFrames, frames - start);
        // The final zero-length write tells the encoder that the stream has ended.
        float** buffer = vorbis_analysis_buffer(&encoder.mDsp, static_cast<int>(std::max<size_t>(count, 1)));
        for (size_t c = 0; c < channels.size(); ++c) {
            for (size_t i = 0; i < count; ++i) {
                buffer[c][i] = std::clamp((*channels[c])[start + i], -1.0f, 1.0f);
            }
        }
        vorbis_analysis_wrote(&encoder.mDsp, static_cast<int>(count));
        if (!Drain(encoder, file)) {
            return false;
        }
        if (count == 0) {
            return true;
        }
        start += count;
    }
}

} // namespace

bool VorbisWriter::Write(const std::string& path, const std::vector<const Mono*>& channels, double quality,
                         int serial) {
    if (channels.empty() || channels.size() > 2 ||
        (channels.size() == 2 && channels[0]->size() != channels[1]->size())) {
        std::fprintf(stderr, "audiogen: %s: need one or two channels of equal length\n", path.c_str());
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    Encoder encoder;
    if (vorbis_encode_init_vbr(&encoder.mInfo, static_cast<long>(channels.size()), kSampleRate,
                               static_cast<float>(quality)) != 0) {
        std::fprintf(stderr, "audiogen: %s: the encoder refused its settings\n", path.c_str());
        return false;
    }
    vorbis_comment_add_tag(&encoder.mComment, "TITLE", std::filesystem::path(path).stem().string().c_str());
    vorbis_comment_add_tag(&encoder.mComment, "ENCODER", "velmora audiogen");
    vorbis_analysis_init(&encoder.mDsp, &encoder.mInfo);
    vorbis_block_init(&encoder.mDsp, &encoder.mBlock);
    ogg_stream_init(&encoder.mStream, serial);
    encoder.mReady = true;
    File file(std::fopen(path.c_str(), "wb"));
    if (!file || !WriteHeaders(encoder, file.get()) || !Encode(encoder, file.get(), channels)) {
        std::fprintf(stderr, "audiogen: %s: cannot write the file\n", path.c_str());
        return false;
    }
    // Flush whatever pages remain after the end of stream.
    ogg_page page;
    while (ogg_stream_flush(&encoder.mStream, &page) != 0) {
        if (!WritePage(file.get(), page)) {
            return false;
        }
    }
    return true;
}

} // namespace Velmora::AudioGen
