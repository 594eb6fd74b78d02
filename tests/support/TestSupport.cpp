#include "support/TestSupport.h"

#include "app/SystemRegistry.h"
#include "core/Game.h"
#include "core/LogRecord.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace Velmora::Tests {

namespace {

void CriticalToStandardError(const std::string& line) { std::fprintf(stderr, "CRITICAL: %s\n", line.c_str()); }

bool AnyContains(const std::vector<std::string>& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(),
                       [&text](const std::string& line) { return line.find(text) != std::string::npos; });
}

// A test must never block on the modal error window: critical lines go to standard error.
const bool sQuietCriticalBox = [] {
    LogRecord::SetCriticalHandler(CriticalToStandardError);
    return true;
}();

// The player's folders point into a scratch folder of the run: tests never read or write the
// real ~/.config or ~/.local. Set before any store reads them.
const bool sScratchUserFolders = [] {
    static char folder[] = "/tmp/velmora-user-XXXXXX";
    if (!mkdtemp(folder)) return false;
    std::atexit([] { std::filesystem::remove_all(folder); });
    const std::string root = folder;
    setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
    setenv("XDG_STATE_HOME", (root + "/state").c_str(), 1);
    return true;
}();

// The game's systems, hooks and screen makers, connected as the program connects them.
const bool sConnected = [] {
    App::ConnectGame(Game::GetInstance());
    return true;
}();

} // namespace

LogCapture::LogCapture() : mSavedLevel(LogRecord::sLogLevel) {
    mSink = LogRecord::AddSink([this](const std::string& line) { mLines.push_back(line); });
    LogRecord::SetCriticalHandler([this](const std::string& line) { mCritical.push_back(line); });
    LogRecord::SetFatalHandler(
        [this] { throw FatalError(mCritical.empty() ? std::string("fatal") : mCritical.back()); });
}

LogCapture::~LogCapture() {
    LogRecord::sLogLevel = mSavedLevel;
    LogRecord::RemoveSink(mSink);
    LogRecord::SetCriticalHandler(CriticalToStandardError);
    LogRecord::SetFatalHandler([] { std::abort(); });
}

bool LogCapture::Contains(const std::string& text) const { return AnyContains(mLines, text); }

bool LogCapture::CriticalContains(const std::string& text) const { return AnyContains(mCritical, text); }

std::string SourceDir() { return VELMORA_SOURCE_DIR; }

std::string MakeTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-test-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    return made ? std::string(made) : std::string();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

ScopedDataRoot::ScopedDataRoot() : mSaved(Game::GetInstance().GetRootPath()), mRoot(MakeTempDir()) {
    Game::GetInstance().SetRootPath(mRoot);
}

ScopedDataRoot::~ScopedDataRoot() {
    Game::GetInstance().SetRootPath(mSaved);
    std::error_code ignored;
    std::filesystem::remove_all(mRoot, ignored);
}

} // namespace Velmora::Tests
