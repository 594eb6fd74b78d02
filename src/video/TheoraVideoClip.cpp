#include "video/TheoraVideoClip.h"

#include "video/TheoraAudioInterface.h"
#include "video/TheoraDataSource.h"
#include "video/TheoraException.h"
#include "video/TheoraVideoManager.h"
#include "video/TheoraWorkSignal.h"
#include "video/TheoraYuvConverter.h"

#include <bit>
#include <cstdio>

namespace Velmora::Video {

namespace {

// A frame this far behind the clock is dropped rather than shown, unless it is the only one ready.
constexpr float kLateSeconds = 0.1f;
// A decoder that falls behind the clock still converts one late frame in this much movie time.
constexpr double kStarvedSeconds = 1.0;
// Sound is read at least this far ahead of the picture.
constexpr double kAudioLeadSeconds = 1.0;
// After a wrap, ready frames later than this belong to the end of the previous pass.
constexpr float kEndFrameSeconds = 0.5f;
// Frames of the next pass may wait this long while the clock is still in the previous one.
constexpr float kNextPassSeconds = 2.0f;

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

TheoraVideoClip::TheoraVideoClip(std::unique_ptr<TheoraDataSource> source, TheoraOutputMode mode,
                                 int numPrecachedFrames, bool usePower2Stride, const Context& context)
    : mSource(std::move(source)), mNumPrecachedFrames(numPrecachedFrames), mName(mSource->repr()),
      mOutputMode(mode), mUsePower2Stride(usePower2Stride), mConverter(context.mConverter),
      mWorkSignal(context.mWorkSignal) {
    load(context);
}

TheoraVideoClip::~TheoraVideoClip() = default;

void TheoraVideoClip::load(const Context& context) {
    mState.readHeaders(*mSource);
    checkPicture();
    if (!mState.createTheoraDecoder()) throw TheoraGenericException("invalid theora stream");
    mWidth = static_cast<int>(mState.mTheoraInfo.pic_width);
    mHeight = static_cast<int>(mState.mTheoraInfo.pic_height);
    mStride = mUsePower2Stride ? static_cast<int>(std::bit_ceil(static_cast<unsigned>(mWidth))) : mWidth;
    const TheoraFrameQueue::FrameShape shape{mWidth, mHeight, mStride, getBytesPerPixel(mOutputMode)};
    mFrameQueue = std::make_unique<TheoraFrameQueue>(this, shape, mNumPrecachedFrames);
    measureDuration();
    mSource->seek(0);
    mState.readHeaders(*mSource);
    if (hasAudio()) startAudio(context.mAudioFactory);
}

// Sizes come from the file: bound them before anything is allocated for them.
void TheoraVideoClip::checkPicture() const {
    const th_info& info = mState.mTheoraInfo;
    const long width = info.pic_width;
    const long height = info.pic_height;
    const bool sized = width > 0 && height > 0 && info.frame_width <= kMaxSide && info.frame_height <= kMaxSide &&
                       width * height <= kMaxPixels;
    const bool inside = info.pic_x + width <= info.frame_width && info.pic_y + height <= info.frame_height;
    const bool timed = info.fps_numerator > 0 && info.fps_denominator > 0;
    const bool known = info.pixel_fmt == TH_PF_420 || info.pixel_fmt == TH_PF_422 || info.pixel_fmt == TH_PF_444;
    if (sized && inside && timed && known) return;
    TheoraVideoManager::logMessage(mName + ": unsupported picture of " + std::to_string(width) + " x " +
                                   std::to_string(height) + " pixels");
    throw TheoraGenericException("invalid theora stream");
}

void TheoraVideoClip::measureDuration() {
    double seconds = 0.0;
    mState.measureDuration(*mSource, seconds, mNumFrames);
    if (seconds > 0.0) {
        mFileDuration = static_cast<float>(seconds);
        mDuration.store(mFileDuration);
        TheoraVideoManager::logMessage(mName + ": file duration is " + Format("%g", seconds) + " seconds");
    } else {
        TheoraVideoManager::logMessage(mName + ": unable to determine file duration!");
    }
}

void TheoraVideoClip::startAudio(TheoraAudioInterfaceFactory* factory) {
    if (!mState.startVorbisDecoder()) {
        TheoraVideoManager::logMessage(mName + ": the sound track cannot be decoded, playing without sound");
        return;
    }
    if (!factory) return;
    mAudioInterface.reset(factory->createInstance(this, mState.mVorbisInfo.channels,
                                                  static_cast<int>(mState.mVorbisInfo.rate)));
}

float TheoraVideoClip::getFps() const {
    return static_cast<float>(static_cast<double>(mState.mTheoraInfo.fps_numerator) /
                              mState.mTheoraInfo.fps_denominator);
}

void TheoraVideoClip::setAudioGain(float gain) { mAudioGain.store(gain < 0.0f ? 0.0f : gain > 1.0f ? 1.0f : gain); }

int TheoraVideoClip::getPriorityIndex() {
    int priority = mFrameQueue->getReadyCount();
    if (getTimer()->isPaused()) priority += mNumPrecachedFrames / 2;
    return priority;
}

void TheoraVideoClip::notifyWorkers() {
    if (mWorkSignal) mWorkSignal->notify();
}

TheoraVideoFrame* TheoraVideoClip::getNextFrame() {
    const float time = getTimer()->getTime();
    for (;;) {
        TheoraVideoFrame* frame = mFrameQueue->getFirstAvailableFrame();
        if (!frame || time < frame->mTimeToDisplay) return nullptr;
        if (frame->mTimeToDisplay >= time - kLateSeconds || mFrameQueue->getReadyCount() < 2) return frame;
        if (mRestarted.load() && frame->mTimeToDisplay < kNextPassSeconds) return nullptr;
        ++mNumDroppedFrames;
        ++mNumDisplayedFrames;
        mFrameQueue->pop();
        notifyWorkers();
    }
}

void TheoraVideoClip::popFrame() {
    ++mNumDisplayedFrames;
    mFrameQueue->pop();
    notifyWorkers();
}

bool TheoraVideoClip::isDone() { return mEndOfFile.load() && mFrameQueue->getReadyCount() == 0; }

void TheoraVideoClip::update(float timeIncrease) {
    TheoraTimer* timer = getTimer();
    if (!timer->isPaused()) timer->update(timeIncrease);
    if (mAudioInterface) mAudioInterface->update(timeIncrease);
    const float time = timer->getTime();
    if (mAutoRestart.load() && mRestarted.load() && time >= mDuration.load()) wrapPlayback(time);
}

// The clock passed the end while the workers already decode the next pass: the clock goes back
// by one duration, and frames left from the end of the previous pass are shown once or dropped.
void TheoraVideoClip::wrapPlayback(float time) {
    const float duration = mDuration.load();
    mIteration.store(1 - mIteration.load());
    getTimer()->seek(time - duration);
    mRestarted.store(false);
    int visits = 0;
    int dropped = 0;
    for (TheoraVideoFrame* frame = mFrameQueue->getFirstAvailableFrame();
         frame && frame->mTimeToDisplay > kEndFrameSeconds; frame = mFrameQueue->getFirstAvailableFrame()) {
        if (visits++ == 0) {
            mFrameQueue->retimeFrame(frame, time - duration, 1 - frame->mIteration);
        } else {
            mFrameQueue->pop();
            ++dropped;
        }
    }
    if (visits > 0) {
        TheoraVideoManager::logMessage("dropped " + std::to_string(dropped) + " end frames");
        notifyWorkers();
    }
}

void TheoraVideoClip::decodedAudioCheck() {
    if (!mAudioInterface || getTimer()->isPaused()) return;
    TheoraScopedLock lock(mAudioMutex);
    const float gain = mAudioGain.load();
    const int channels = mState.mVorbisInfo.channels;
    for (;;) {
        float** pcm = nullptr;
        int count = 0;
        while ((count = vorbis_synthesis_pcmout(&mState.mVorbisDsp, &pcm)) > 0) {
            for (int c = 0; gain < 1.0f && c < channels; ++c) {
                for (int i = 0; i < count; ++i) pcm[c][i] *= gain;
            }
            mAudioInterface->insertData(pcm, count);
            vorbis_synthesis_read(&mState.mVorbisDsp, count);
        }
        if (mRestarted.load()) return;
        ogg_packet packet;
        const int got = ogg_stream_packetout(&mState.mVorbisStream, &packet);
        if (got == 0) return;
        // A hole (got < 0) or an undecodable packet costs a moment of sound, nothing more.
        if (got > 0 && vorbis_synthesis(&mState.mVorbisBlock, &packet) == 0) {
            vorbis_synthesis_blockin(&mState.mVorbisDsp, &mState.mVorbisBlock);
        }
    }
}

bool TheoraVideoClip::decodeNextFrame() {
    if (mEndOfFile.load()) return false;
    TheoraVideoFrame* frame = mFrameQueue->requestEmptyFrame();
    if (!frame) return false;
    for (;;) {
        ogg_packet packet;
        const int got = ogg_stream_packetout(&mState.mTheoraStream, &packet);
        if (got == 0) {
            if (_readData()) continue;
            mFrameQueue->releaseFrame(frame);
            return false;
        }
        double time = 0.0;
        long number = 0;
        if (got < 0 || !decodePacket(packet, time, number)) {
            endDamaged(got < 0 ? "pages of the video stream are missing" : "a video packet is damaged");
            mFrameQueue->releaseFrame(frame);
            return false;
        }
        if (number < 0) continue;  // a header packet met again after a restart
        if (time > mDuration.load()) mDuration.store(static_cast<float>(time));
        // A slow machine still shows pictures: a late frame is converted when none has been for a while.
        const bool starved = time - mLastPublishedTime >= kStarvedSeconds;
        if (getTimer()->getTime() <= time || mRestarted.load() || starved) {
            mLastPublishedTime = time;
            convertPicture(*frame);
            mFrameQueue->publishFrame(frame, static_cast<float>(time), number, mIteration.load());
            return true;
        }
        ++mNumDroppedFrames;
        ++mNumDisplayedFrames;
    }
}

// Decodes one packet; false when the stream is damaged. A header packet gives number −1.
bool TheoraVideoClip::decodePacket(ogg_packet& packet, double& time, long& number) {
    if (packet.bytes > 0 && (packet.packet[0] & 0x80) != 0) {
        number = -1;
        return true;
    }
    if (packet.granulepos >= 0) {
        th_decode_ctl(mState.mTheoraDecoder, TH_DECCTL_SET_GRANPOS, &packet.granulepos, sizeof packet.granulepos);
    }
    ogg_int64_t granule = -1;
    if (th_decode_packetin(mState.mTheoraDecoder, &packet, &granule) < 0 || granule < 0) return false;
    time = th_granule_time(mState.mTheoraDecoder, granule);
    number = static_cast<long>(th_granule_frame(mState.mTheoraDecoder, granule));
    // A frame far beyond the measured end means a damaged time stamp: it would never be due.
    return mFileDuration <= 0.0f || time <= mFileDuration + kAudioLeadSeconds;
}

void TheoraVideoClip::convertPicture(TheoraVideoFrame& frame) {
    th_ycbcr_buffer buffer;
    th_decode_ycbcr_out(mState.mTheoraDecoder, buffer);
    TheoraYuvPicture picture;
    for (int i = 0; i < 3; ++i) picture.mPlanes[i] = {buffer[i].data, buffer[i].width, buffer[i].height, buffer[i].stride};
    picture.mX = static_cast<int>(mState.mTheoraInfo.pic_x);
    picture.mY = static_cast<int>(mState.mTheoraInfo.pic_y);
    picture.mWidth = mWidth;
    picture.mHeight = mHeight;
    mConverter->convertToRgb(picture, frame.getBuffer(), mStride * getBytesPerPixel(mOutputMode));
}

void TheoraVideoClip::endDamaged(const char* reason) {
    TheoraVideoManager::logMessage(mName + ": " + reason + ", ending the clip");
    mEndOfFile.store(true);
}

// Queues pages until the sound is a second ahead of the clock (or any page, without sound); false
// at the end of the data, after rewinding an auto-restarting clip. Pages left in the sync layer by
// the header reader come first.
bool TheoraVideoClip::_readData() {
    const double clock = mRestarted.load() ? 0.0 : getTimer()->getTime();
    double audioTime = -1.0;
    bool audioEnded = false;
    bool queued = false;
    for (;;) {
        ogg_page page;
        while (mState.nextPage(page)) {
            ogg_stream_pagein(&mState.mTheoraStream, &page);
            if (mState.mVorbisStarted && ogg_page_serialno(&page) == mState.mVorbisStream.serialno) {
                queueAudioPage(page, audioTime, audioEnded);
            }
            queued = true;
        }
        const bool soundAhead = !mState.mVorbisStarted || audioEnded || audioTime >= clock + kAudioLeadSeconds;
        if (queued && soundAhead) return true;
        if (mState.readChunk(*mSource) == 0) return queued || endOfData();
    }
}

bool TheoraVideoClip::endOfData() {
    if (mAutoRestart.load()) {
        _restart();
    } else {
        mEndOfFile.store(true);
    }
    return false;
}

// Without an audio interface nobody takes the packets out, so the pages are only timed.
void TheoraVideoClip::queueAudioPage(ogg_page& page, double& audioTime, bool& audioEnded) {
    TheoraScopedLock lock(mAudioMutex);
    if (mAudioInterface) ogg_stream_pagein(&mState.mVorbisStream, &page);
    const ogg_int64_t granule = ogg_page_granulepos(&page);
    if (granule >= 0) audioTime = vorbis_granule_time(&mState.mVorbisDsp, granule);
    audioEnded = audioEnded || ogg_page_eos(&page) != 0;
}

void TheoraVideoClip::_restart() {
    // The headers made a decoder once, so only a failed allocation can refuse another.
    if (!mState.createTheoraDecoder()) {
        endDamaged("no memory for a new decoder");
        return;
    }
    ogg_stream_reset(&mState.mTheoraStream);
    if (mState.mVorbisStarted) {
        TheoraScopedLock lock(mAudioMutex);
        ogg_packet packet;
        while (ogg_stream_packetout(&mState.mVorbisStream, &packet) > 0) {
            if (vorbis_synthesis(&mState.mVorbisBlock, &packet) == 0) {
                vorbis_synthesis_blockin(&mState.mVorbisDsp, &mState.mVorbisBlock);
            }
        }
        ogg_stream_reset(&mState.mVorbisStream);
    }
    ogg_sync_reset(&mState.mSync);
    mSource->seek(0);
    mEndOfFile.store(false);
    mRestarted.store(true);
    mLastPublishedTime = -1.0;
}

} // namespace Velmora::Video
