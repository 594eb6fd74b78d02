#include "video/TheoraVideoManager.h"

#include "video/TheoraFileDataSource.h"
#include "video/TheoraVideoClip.h"
#include "video/TheoraWorkerThread.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>

namespace Velmora::Video {

namespace {

constexpr int kVersionMajor = 1;
constexpr int kVersionMinor = 0;
constexpr int kVersionRevision = -2;

TheoraVideoManager* sInstance = nullptr;

void PrintLine(const std::string& message) { std::printf("%s\n", message.c_str()); }

std::atomic<TheoraVideoManager::LogFunction> sLogFunction{&PrintLine};
// Workers log too: one line at a time reaches the log function.
std::mutex sLogMutex;

} // namespace

TheoraVideoManager::TheoraVideoManager(int numWorkerThreads) {
    assert(sInstance == nullptr && "one TheoraVideoManager at a time");
    sInstance = this;
    logMessage("Initializing Theora Playback Library (" + getVersionString() + ")");
    for (int i = 0; i < numWorkerThreads; ++i) {
        mWorkers.push_back(std::make_unique<TheoraWorkerThread>(*this));
        mWorkers.back()->start();
    }
}

TheoraVideoManager::~TheoraVideoManager() {
    for (auto& worker : mWorkers) worker->requestStop();
    mWorkSignal.notify();
    mWorkers.clear();
    mClips.clear();
    sInstance = nullptr;
}

TheoraVideoManager& TheoraVideoManager::getSingleton() {
    assert(sInstance != nullptr);
    return *sInstance;
}

TheoraVideoManager* TheoraVideoManager::getSingletonPtr() { return sInstance; }

TheoraVideoClip* TheoraVideoManager::createVideoClip(const std::string& filename, TheoraOutputMode mode,
                                                     int numPrecachedFrames, bool usePower2Stride) {
    return createVideoClip(std::make_unique<TheoraFileDataSource>(filename), mode, numPrecachedFrames,
                           usePower2Stride);
}

TheoraVideoClip* TheoraVideoManager::createVideoClip(std::unique_ptr<TheoraDataSource> source,
                                                     TheoraOutputMode mode, int numPrecachedFrames,
                                                     bool usePower2Stride) {
    const int precached = numPrecachedFrames == 0 ? mDefaultNumPrecachedFrames
                                                  : std::clamp(numPrecachedFrames, 1, kMaxPrecachedFrames);
    logMessage("Creating video from data source: " + source->repr());
    // Loaded before the workers can see it, so a clip that fails to load was never in the list.
    const TheoraVideoClip::Context context{&mYuvConverter, &mWorkSignal, mAudioFactory};
    auto clip = std::make_unique<TheoraVideoClip>(std::move(source), mode, precached, usePower2Stride, context);
    TheoraVideoClip* created = clip.get();
    {
        TheoraScopedLock lock(mWorkMutex);
        mClips.push_back(std::move(clip));
    }
    mWorkSignal.notify();
    return created;
}

void TheoraVideoManager::destroyVideoClip(TheoraVideoClip* clip) {
    std::unique_ptr<TheoraVideoClip> owned;
    {
        // Out of the list first, so no worker can take it while we wait for the one that has it.
        TheoraScopedLock lock(mWorkMutex);
        const auto found = std::find_if(mClips.begin(), mClips.end(), [clip](const auto& c) { return c.get() == clip; });
        if (found == mClips.end()) return;
        owned = std::move(*found);
        mClips.erase(found);
    }
    logMessage("Destroying video clip: " + owned->getName());
    if (owned->getAssignedWorker()) {
        logMessage("Waiting for WorkerThread to finish decoding in order to destroy");
        while (owned->getAssignedWorker()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        logMessage("WorkerThread done, destroying..");
    }
    owned.reset();
    logMessage("Destroyed video.");
}

void TheoraVideoManager::update(float timeIncrease) {
    // Only this thread changes the list, so reading it here needs no lock.
    for (const auto& clip : mClips) {
        clip->update(timeIncrease);
        clip->decodedAudioCheck();
    }
}

TheoraVideoClip* TheoraVideoManager::requestWork(TheoraWorkerThread* caller) {
    TheoraScopedLock lock(mWorkMutex);
    TheoraVideoClip* chosen = nullptr;
    int lowest = 100000;
    for (const auto& clip : mClips) {
        if (clip->getAssignedWorker()) continue;
        const int priority = clip->getPriorityIndex();
        if (priority < lowest) {
            lowest = priority;
            chosen = clip.get();
        }
    }
    if (chosen) chosen->setAssignedWorker(caller);
    return chosen;
}

void TheoraVideoManager::setDefaultNumPrecachedFrames(int count) {
    mDefaultNumPrecachedFrames = std::clamp(count, 1, kMaxPrecachedFrames);
}

void TheoraVideoManager::logMessage(const std::string& message) {
    std::lock_guard<std::mutex> lock(sLogMutex);
    sLogFunction.load()(message);
}

void TheoraVideoManager::setLogFunction(LogFunction function) { sLogFunction.store(function ? function : &PrintLine); }

void TheoraVideoManager::getVersion(int* major, int* minor, int* revision) {
    if (major) *major = kVersionMajor;
    if (minor) *minor = kVersionMinor;
    if (revision) *revision = kVersionRevision;
}

std::string TheoraVideoManager::getVersionString() {
    std::string text = std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor);
    if (kVersionRevision < 0) text += " RC" + std::to_string(-kVersionRevision);
    if (kVersionRevision > 0) text += "." + std::to_string(kVersionRevision);
    return text;
}

} // namespace Velmora::Video
