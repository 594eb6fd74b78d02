#include "video/TheoraDecoderState.h"

#include "video/TheoraDataSource.h"
#include "video/TheoraException.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace Velmora::Video {

namespace {

// How far back from the end the duration is looked for, in chunks.
constexpr int kTailChunks = 10;

} // namespace

TheoraDecoderState::TheoraDecoderState() {
    ogg_sync_init(&mSync);
    th_info_init(&mTheoraInfo);
    th_comment_init(&mTheoraComment);
    vorbis_info_init(&mVorbisInfo);
    vorbis_comment_init(&mVorbisComment);
}

TheoraDecoderState::~TheoraDecoderState() {
    if (mVorbisStarted) {
        vorbis_block_clear(&mVorbisBlock);
        vorbis_dsp_clear(&mVorbisDsp);
    }
    vorbis_comment_clear(&mVorbisComment);
    vorbis_info_clear(&mVorbisInfo);
    th_decode_free(mTheoraDecoder);
    th_setup_free(mTheoraSetup);
    th_comment_clear(&mTheoraComment);
    th_info_clear(&mTheoraInfo);
    ogg_stream_clear(&mVorbisStream);
    ogg_stream_clear(&mTheoraStream);
    ogg_sync_clear(&mSync);
}

void TheoraDecoderState::forgetHeaders() {
    ogg_sync_reset(&mSync);
    ogg_stream_clear(&mTheoraStream);
    ogg_stream_clear(&mVorbisStream);
    th_setup_free(mTheoraSetup);
    mTheoraSetup = nullptr;
    th_comment_clear(&mTheoraComment);
    th_info_clear(&mTheoraInfo);
    th_info_init(&mTheoraInfo);
    th_comment_init(&mTheoraComment);
    vorbis_comment_clear(&mVorbisComment);
    vorbis_info_clear(&mVorbisInfo);
    vorbis_info_init(&mVorbisInfo);
    vorbis_comment_init(&mVorbisComment);
    mTheoraHeaders = 0;
    mVorbisHeaders = 0;
}

void TheoraDecoderState::readHeaders(TheoraDataSource& source) {
    forgetHeaders();
    // The beginning-of-stream pages come first and name the streams; the first other page ends them.
    bool named = false;
    while (!named) {
        if (readChunk(source) == 0) throw TheoraGenericException("End of file found prematurely");
        ogg_page page;
        while (!named && nextPage(page)) {
            if (ogg_page_bos(&page)) {
                identifyStream(page);
            } else {
                queuePage(page);
                named = true;
            }
        }
    }
    if (mTheoraHeaders == 0) throw TheoraGenericException("invalid theora stream");
    for (;;) {
        takeHeaderPackets();
        if (headersComplete()) return;
        ogg_page page;
        if (nextPage(page)) {
            queuePage(page);
        } else if (readChunk(source) == 0) {
            throw TheoraGenericException("End of file found prematurely");
        }
    }
}

// Keeps the first Theora and the first Vorbis stream; any other stream is ignored.
void TheoraDecoderState::identifyStream(ogg_page& page) {
    ogg_stream_state test{};
    ogg_stream_init(&test, ogg_page_serialno(&page));
    ogg_stream_pagein(&test, &page);
    ogg_packet packet;
    if (ogg_stream_packetout(&test, &packet) == 1) {
        if (mTheoraHeaders == 0 && th_decode_headerin(&mTheoraInfo, &mTheoraComment, &mTheoraSetup, &packet) > 0) {
            mTheoraStream = test;
            mTheoraHeaders = 1;
            return;
        }
        if (mVorbisHeaders == 0 && vorbis_synthesis_headerin(&mVorbisInfo, &mVorbisComment, &packet) == 0) {
            mVorbisStream = test;
            mVorbisHeaders = 1;
            return;
        }
    }
    ogg_stream_clear(&test);
}

void TheoraDecoderState::takeHeaderPackets() {
    ogg_packet packet;
    while (mTheoraHeaders > 0 && mTheoraHeaders < 3) {
        const int got = ogg_stream_packetout(&mTheoraStream, &packet);
        if (got == 0) break;
        if (got < 0) throw TheoraGenericException("Error parsing Theora stream headers.");
        // 0 would mean a picture packet came before the last header.
        if (th_decode_headerin(&mTheoraInfo, &mTheoraComment, &mTheoraSetup, &packet) <= 0) {
            throw TheoraGenericException("invalid theora stream");
        }
        ++mTheoraHeaders;
    }
    while (mVorbisHeaders > 0 && mVorbisHeaders < 3) {
        const int got = ogg_stream_packetout(&mVorbisStream, &packet);
        if (got == 0) break;
        if (got < 0) throw TheoraGenericException("Error parsing vorbis stream headers");
        if (vorbis_synthesis_headerin(&mVorbisInfo, &mVorbisComment, &packet) != 0) {
            throw TheoraGenericException("invalid stream");
        }
        ++mVorbisHeaders;
    }
}

bool TheoraDecoderState::headersComplete() const {
    return mTheoraHeaders == 3 && (mVorbisHeaders == 0 || mVorbisHeaders == 3);
}

void TheoraDecoderState::queuePage(ogg_page& page) {
    // A stream takes only pages with its own serial number.
    if (mTheoraHeaders > 0) ogg_stream_pagein(&mTheoraStream, &page);
    if (mVorbisHeaders > 0) ogg_stream_pagein(&mVorbisStream, &page);
}

bool TheoraDecoderState::createTheoraDecoder() {
    th_decode_free(mTheoraDecoder);
    mTheoraDecoder = th_decode_alloc(&mTheoraInfo, mTheoraSetup);
    return mTheoraDecoder != nullptr;
}

bool TheoraDecoderState::startVorbisDecoder() {
    if (mVorbisStarted || mVorbisHeaders != 3) return mVorbisStarted;
    if (vorbis_synthesis_init(&mVorbisDsp, &mVorbisInfo) != 0) return false;
    vorbis_block_init(&mVorbisDsp, &mVorbisBlock);
    mVorbisStarted = true;
    return true;
}

int TheoraDecoderState::readChunk(TheoraDataSource& source) {
    char* buffer = ogg_sync_buffer(&mSync, kChunkBytes);
    if (!buffer) return 0;
    const int got = std::clamp(source.read(buffer, kChunkBytes), 0, kChunkBytes);
    ogg_sync_wrote(&mSync, got);
    return got;
}

bool TheoraDecoderState::nextPage(ogg_page& page) {
    for (;;) {
        const int result = ogg_sync_pageout(&mSync, &page);
        if (result > 0) return true;
        if (result == 0) return false;
    }
}

void TheoraDecoderState::measureDuration(TheoraDataSource& source, double& seconds, long& frames) const {
    seconds = 0.0;
    frames = 0;
    const std::uint64_t size = source.size();
    const int serial = mTheoraStream.serialno;
    for (int i = 1; i <= kTailChunks && seconds <= 0.0; ++i) {
        // The whole tail from here to the end, so a last page cut by a chunk edge is still seen.
        const std::uint64_t tail = std::min<std::uint64_t>(size, std::uint64_t{kChunkBytes} * i);
        source.seek(size - tail);
        ogg_sync_state sync;
        ogg_sync_init(&sync);
        char* buffer = ogg_sync_buffer(&sync, static_cast<long>(tail));
        const int got = buffer ? std::max(0, source.read(buffer, static_cast<int>(tail))) : 0;
        ogg_sync_wrote(&sync, got);
        ogg_page page;
        int result = 0;
        while ((result = ogg_sync_pageout(&sync, &page)) != 0) {
            const ogg_int64_t granule = result > 0 ? ogg_page_granulepos(&page) : -1;
            if (granule < 0 || ogg_page_serialno(&page) != serial) continue;
            const double time = th_granule_time(mTheoraDecoder, granule);
            if (time <= 0.0) continue;
            seconds = time;
            frames = static_cast<long>(std::min<ogg_int64_t>(th_granule_frame(mTheoraDecoder, granule) + 1, 1L << 30));
        }
        ogg_sync_clear(&sync);
        if (tail == size) break;
    }
}

} // namespace Velmora::Video
