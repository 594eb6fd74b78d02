#pragma once

#include "video/TheoraMutex.h"
#include "video/TheoraOutputMode.h"
#include "video/TheoraWorkSignal.h"
#include "video/TheoraYuvConverter.h"

#include <memory>
#include <string>
#include <vector>

namespace Velmora::Video {

class TheoraAudioInterfaceFactory;
class TheoraDataSource;
class TheoraVideoClip;
class TheoraWorkerThread;

/// The player: owns the clips and a pool of decoding threads, and advances the clips' clocks.
/// One instance at a time, made by its user and reached through getSingleton while it lives.
/// All members except requestWork and logMessage are called from one thread, the caller's.
class TheoraVideoManager {
public:
    /// Receives every log line of the player (without a line feed). Called from the workers as
    /// well as from the caller's thread; the player never runs two calls at once.
    using LogFunction = void (*)(const std::string& message);

    /// Frames decoded ahead per clip when a clip is created with 0.
    static constexpr int kDefaultPrecachedFrames = 16;
    /// Most frames decoded ahead for one clip.
    static constexpr int kMaxPrecachedFrames = 256;

    /// Logs the banner, builds the colour tables and starts numWorkerThreads workers. With 0
    /// workers nothing decodes until the owner calls decodeNextFrame itself (tests, tools).
    explicit TheoraVideoManager(int numWorkerThreads = 1);
    /// Stops and joins every worker, then destroys the remaining clips.
    ~TheoraVideoManager();
    TheoraVideoManager(const TheoraVideoManager&) = delete;
    TheoraVideoManager& operator=(const TheoraVideoManager&) = delete;

    /// The live manager; only while one exists.
    static TheoraVideoManager& getSingleton();
    /// The live manager, or null.
    static TheoraVideoManager* getSingletonPtr();

    /// Opens a clip reading the named file piece by piece. numPrecachedFrames 0 takes the
    /// default. The clip belongs to the manager until destroyVideoClip.
    /// @throws TheoraGenericException when the file cannot be opened or its headers are damaged.
    TheoraVideoClip* createVideoClip(const std::string& filename, TheoraOutputMode mode = TheoraOutputMode::Rgb,
                                     int numPrecachedFrames = 0, bool usePower2Stride = false);
    /// As above, from any data source (taken over by the clip).
    TheoraVideoClip* createVideoClip(std::unique_ptr<TheoraDataSource> source,
                                     TheoraOutputMode mode = TheoraOutputMode::Rgb, int numPrecachedFrames = 0,
                                     bool usePower2Stride = false);
    /// Waits until no worker decodes the clip, then deletes it. Unknown clips are ignored.
    void destroyVideoClip(TheoraVideoClip* clip);
    /// Advances every clip by timeIncrease seconds and passes on its decoded sound.
    void update(float timeIncrease);

    /// For the workers: the idle clip with the emptiest queue, now assigned to caller; or null.
    TheoraVideoClip* requestWork(TheoraWorkerThread* caller);
    /// Wakes the workers when there may be new work.
    TheoraWorkSignal& getWorkSignal() { return mWorkSignal; }

    /// Makes the audio output of clips created from now on; null plays them silently. Not owned.
    void setAudioInterfaceFactory(TheoraAudioInterfaceFactory* factory) { mAudioFactory = factory; }
    /// The factory set, or null.
    TheoraAudioInterfaceFactory* getAudioInterfaceFactory() const { return mAudioFactory; }
    /// Frames decoded ahead for clips created with 0 (clamped to 1 … kMaxPrecachedFrames).
    void setDefaultNumPrecachedFrames(int count);
    /// Frames decoded ahead for clips created with 0.
    int getDefaultNumPrecachedFrames() const { return mDefaultNumPrecachedFrames; }
    /// Number of decoding threads.
    int getNumWorkerThreads() const { return static_cast<int>(mWorkers.size()); }
    /// Number of clips alive.
    int getNumClips() const { return static_cast<int>(mClips.size()); }
    /// The shared YUV to RGB tables.
    const TheoraYuvConverter& getYuvConverter() const { return mYuvConverter; }

    /// Passes a line to the log function.
    static void logMessage(const std::string& message);
    /// Replaces the log function (null restores the default, which prints to standard output).
    static void setLogFunction(LogFunction function);
    /// The library's version: 1, 0 and −2 (a negative revision is a release candidate).
    static void getVersion(int* major, int* minor, int* revision);
    /// "1.0 RC2".
    static std::string getVersionString();

private:
    std::vector<std::unique_ptr<TheoraWorkerThread>> mWorkers;
    std::vector<std::unique_ptr<TheoraVideoClip>> mClips;
    int mDefaultNumPrecachedFrames = kDefaultPrecachedFrames;
    TheoraAudioInterfaceFactory* mAudioFactory = nullptr;
    TheoraMutex mWorkMutex;
    TheoraWorkSignal mWorkSignal;
    TheoraYuvConverter mYuvConverter;
};

} // namespace Velmora::Video
