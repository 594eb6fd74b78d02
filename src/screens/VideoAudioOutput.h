#pragma once

#include "audio/PcmStream.h"
#include "video/TheoraAudioInterface.h"

namespace Velmora::Logic {

/// A movie's sound track played through an OpenAL stream at the effects volume. The player
/// calls it from the thread that advances the movie, which in the game is the main thread.
class VideoAudioOutput : public Video::TheoraAudioInterface {
public:
    /// Opens the stream; see IsOpen.
    VideoAudioOutput(Video::TheoraVideoClip* owner, int channels, int frequency);

    /// Queues a block of decoded sound.
    void insertData(float** data, int count) override;
    /// Recycles played buffers and follows the effects volume.
    void update(float timeIncrease) override;

    /// False when there is no sound device or the stream's shape is refused.
    bool IsOpen() const { return mStream.IsOpen(); }
    /// The stream the sound goes through.
    const Audio::PcmStream& GetStream() const { return mStream; }

private:
    Audio::PcmStream mStream;
};

/// Makes a VideoAudioOutput for each clip with sound; a clip whose output cannot open plays
/// silently.
class VideoAudioFactory : public Video::TheoraAudioInterfaceFactory {
public:
    /// A new output, or null when it cannot play.
    Video::TheoraAudioInterface* createInstance(Video::TheoraVideoClip* owner, int channels, int frequency) override;
};

} // namespace Velmora::Logic
