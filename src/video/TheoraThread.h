#pragma once

#include <atomic>
#include <thread>

namespace Velmora::Video {

/// A joinable thread whose body is executeThread(). The body polls isRunning() and returns
/// once it turns false. A derived class must call join() before its own members go away,
/// since the body runs on them.
class TheoraThread {
public:
    TheoraThread() = default;
    TheoraThread(const TheoraThread&) = delete;
    TheoraThread& operator=(const TheoraThread&) = delete;
    /// Joins the thread if join() was not called (stopping it first).
    virtual ~TheoraThread();

    /// Starts the body on a new thread; does nothing when already started.
    void start();
    /// Asks the body to return; does not wait (see join).
    void requestStop() { mRunning.store(false); }
    /// Asks the body to return and waits until it has; safe to call more than once.
    void join();
    /// True from start() until a stop was requested. Read by the body on its own thread.
    bool isRunning() const { return mRunning.load(); }

protected:
    /// The thread's body.
    virtual void executeThread() = 0;

private:
    std::thread mThread;
    std::atomic<bool> mRunning{false};
};

} // namespace Velmora::Video
