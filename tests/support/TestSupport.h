#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace Velmora::Tests {

/// Thrown by the fatal handler that LogCapture installs, so a fatal path can be tested in-process.
struct FatalError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

/// Captures console lines and critical boxes for its lifetime and turns fatal errors into
/// FatalError exceptions; restores silent defaults afterwards.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();

    /// True when some console line contains the text.
    bool Contains(const std::string& text) const;
    /// True when some critical box showed a line containing the text.
    bool CriticalContains(const std::string& text) const;

    std::vector<std::string> mLines;
    std::vector<std::string> mCritical;

private:
    int mSavedLevel;
    int mSink = 0;
};

/// The repository's root (holds data/ and config.xml).
std::string SourceDir();

/// A fresh empty directory under the system's temporary directory.
std::string MakeTempDir();

/// Writes text to a file, creating parent directories.
void WriteFile(const std::string& path, const std::string& text);

/// Points the game's data root at a fresh temporary folder for the scope's lifetime, then removes
/// the folder.
class ScopedDataRoot {
public:
    ScopedDataRoot();
    ~ScopedDataRoot();
    ScopedDataRoot(const ScopedDataRoot&) = delete;
    ScopedDataRoot& operator=(const ScopedDataRoot&) = delete;

    const std::string& Path() const { return mRoot; }

private:
    std::string mSaved;
    std::string mRoot;
};

} // namespace Velmora::Tests
