#pragma once

#include <mutex>

namespace Velmora::Video {

/// A plain, non-recursive lock. Satisfies BasicLockable, so std::lock_guard<TheoraMutex> works.
class TheoraMutex {
public:
    TheoraMutex() = default;
    TheoraMutex(const TheoraMutex&) = delete;
    TheoraMutex& operator=(const TheoraMutex&) = delete;

    /// Blocks until this thread holds the lock; must not be held by the caller already.
    void lock() { mMutex.lock(); }
    /// Releases the lock held by this thread.
    void unlock() { mMutex.unlock(); }

private:
    std::mutex mMutex;
};

/// Holds a TheoraMutex for the lifetime of the scope.
using TheoraScopedLock = std::lock_guard<TheoraMutex>;

} // namespace Velmora::Video
