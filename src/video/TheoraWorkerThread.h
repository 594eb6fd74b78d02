#pragma once

#include "video/TheoraThread.h"

#include <atomic>

namespace Velmora::Video {

class TheoraVideoClip;
class TheoraVideoManager;

/// A decoding thread of the manager's pool: it asks the manager for the clip that needs a frame
/// most, decodes one frame for it, and asks again. When there is nothing it can do it sleeps
/// until the manager's work signal wakes it.
class TheoraWorkerThread : public TheoraThread {
public:
    /// A worker for manager; start() begins its loop.
    explicit TheoraWorkerThread(TheoraVideoManager& manager);
    /// Stops and joins the thread.
    ~TheoraWorkerThread() override;

    /// The clip this worker is decoding right now, or null when idle.
    TheoraVideoClip* getAssignedClip() const { return mClip.load(); }

protected:
    void executeThread() override;

private:
    TheoraVideoManager& mManager;
    std::atomic<TheoraVideoClip*> mClip{nullptr};
};

} // namespace Velmora::Video
