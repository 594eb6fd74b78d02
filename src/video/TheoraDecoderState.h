#pragma once

#include <ogg/ogg.h>
#include <theora/theoradec.h>
#include <vorbis/codec.h>

#include <cstdint>

namespace Velmora::Video {

class TheoraDataSource;

/// Internal to the player: the libogg, libtheora and libvorbis state of one clip, released on
/// destruction. The Theora side is used by one worker at a time; the Vorbis stream and decoder
/// only under the owning clip's audio mutex.
class TheoraDecoderState {
public:
    /// Bytes handed to the Ogg sync layer per read.
    static constexpr int kChunkBytes = 4096;

    TheoraDecoderState();
    ~TheoraDecoderState();
    TheoraDecoderState(const TheoraDecoderState&) = delete;
    TheoraDecoderState& operator=(const TheoraDecoderState&) = delete;

    /// Reads the stream headers from the source's current position, forgetting any earlier
    /// ones, and queues the first data pages into the streams.
    /// @throws TheoraGenericException with the reason when the headers are missing or damaged.
    void readHeaders(TheoraDataSource& source);
    /// Makes a fresh Theora decoder from the headers (replacing any earlier one); false when
    /// libtheora refuses them.
    bool createTheoraDecoder();
    /// Starts the Vorbis decoder; false when libvorbis refuses the headers.
    bool startVorbisDecoder();
    /// Reads up to kChunkBytes from the source into the sync layer; returns the bytes read.
    int readChunk(TheoraDataSource& source);
    /// The next whole page from the sync layer, skipping damaged bytes; false when none is left.
    bool nextPage(ogg_page& page);
    /// Seconds and frame count of the last Theora page in the source's tail (0 and 0 when none
    /// is found there). Moves the source's position.
    void measureDuration(TheoraDataSource& source, double& seconds, long& frames) const;

    ogg_sync_state mSync{};
    ogg_stream_state mTheoraStream{};
    ogg_stream_state mVorbisStream{};
    th_info mTheoraInfo{};
    th_comment mTheoraComment{};
    th_setup_info* mTheoraSetup = nullptr;
    th_dec_ctx* mTheoraDecoder = nullptr;
    vorbis_info mVorbisInfo{};
    vorbis_comment mVorbisComment{};
    vorbis_dsp_state mVorbisDsp{};
    vorbis_block mVorbisBlock{};
    /// Header packets read per stream (3 when complete); 0 when the file has no such stream.
    int mTheoraHeaders = 0;
    int mVorbisHeaders = 0;
    bool mVorbisStarted = false;

private:
    void forgetHeaders();
    void identifyStream(ogg_page& page);
    void takeHeaderPackets();
    void queuePage(ogg_page& page);
    bool headersComplete() const;
};

} // namespace Velmora::Video
