#pragma once

#include "Signal.h"

#include <cairo.h>
#include <ogg/ogg.h>
#include <theora/theoraenc.h>
#include <vorbis/vorbisenc.h>

#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

namespace Velmora::MovieGen {

/// Encodes rendered frames with libtheoraenc and a stereo track with libvorbisenc into one Ogg
/// file, the sound pages placed before the picture pages that end at the same time. Fixed
/// stream serial numbers keep the file identical from run to run.
class MovieWriter {
public:
    /// What to encode and how well.
    struct Settings {
        int mWidth = 640;
        int mHeight = 360;
        int mFps = 24;
        int mVideoQuality = 40;        ///< libtheoraenc 0 … 63
        int mKeyframeInterval = 64;    ///< frames
        double mAudioQuality = 0.3;    ///< libvorbisenc −0.1 … 1
        int mAudioRate = 44100;
    };

    /// Opens path and writes the stream headers; Ok() tells whether that worked.
    MovieWriter(const std::string& path, const Settings& settings);
    ~MovieWriter();
    MovieWriter(const MovieWriter&) = delete;
    MovieWriter& operator=(const MovieWriter&) = delete;

    /// False once opening, encoding or writing failed.
    bool Ok() const { return mOk; }
    /// Encodes the whole sound track (two equally long channels at the audio rate); call once,
    /// before the first frame.
    void SetAudio(const AudioGen::Stereo& audio);
    /// Encodes one opaque frame of the movie's size; last marks the final frame.
    void AddFrame(cairo_surface_t* frame, bool last);
    /// Writes what is left and closes the file; false when anything failed.
    bool Finish();

private:
    struct Page {
        double mTime;
        std::vector<std::uint8_t> mBytes;
    };

    bool StartVideo();
    bool StartAudio();
    void WriteHeaders();
    void EncodeAudio(bool end);
    void ToYcbcr(cairo_surface_t* frame);
    void Write(const ogg_page& page);
    void WriteAudioUntil(double time);

    Settings mSettings;
    std::FILE* mFile = nullptr;
    bool mOk = false;
    th_enc_ctx* mVideo = nullptr;
    ogg_stream_state mVideoStream{};
    vorbis_info mAudioInfo{};
    vorbis_dsp_state mAudioDsp{};
    vorbis_block mAudioBlock{};
    ogg_stream_state mAudioStream{};
    std::deque<Page> mAudioPages;
    std::vector<unsigned char> mPlanes[3];
    int mFrameWidth = 0;
    int mFrameHeight = 0;
};

} // namespace Velmora::MovieGen
