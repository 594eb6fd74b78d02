#include "unit/audio/OggTestFile.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

namespace Velmora::Tests {

std::vector<uint8_t> EncodeSineOgg(int channels, long rate, double seconds, double frequency) {
    std::vector<uint8_t> out;
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, 0.0f) != 0) {
        vorbis_info_clear(&info);
        return out;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);
    // Drains the encoder's finished blocks into pages, one page per call, so even a short file has
    // several audio pages (the decoder tests damage and rewrite single pages).
    const auto flush = [&] {
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) ogg_stream_packetin(&stream, &packet);
        }
        ogg_page page;
        while (ogg_stream_flush(&stream, &page) > 0) {
            out.insert(out.end(), page.header, page.header + page.header_len);
            out.insert(out.end(), page.body, page.body + page.body_len);
        }
    };

    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    flush();
    const long frames = static_cast<long>(seconds * static_cast<double>(rate));
    constexpr long kBlock = 1024;
    for (long done = 0; done < frames; done += kBlock) {
        const long count = std::min(kBlock, frames - done);
        float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
        for (long i = 0; i < count; ++i) {
            const double t = static_cast<double>(done + i) / static_cast<double>(rate);
            const auto value = static_cast<float>(0.5 * std::sin(2.0 * std::numbers::pi * frequency * t));
            for (int c = 0; c < channels; ++c) buffer[c][i] = value;
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        flush();
    }
    vorbis_analysis_wrote(&dsp, 0);
    flush();

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace Velmora::Tests
