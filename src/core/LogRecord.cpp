#include "core/LogRecord.h"

#include "core/CriticalErrorBox.h"
#include "core/LogFile.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace Velmora {

namespace {

struct SinkEntry {
    int mHandle;
    LogRecord::Sink mSink;
};

std::vector<SinkEntry>& Sinks() {
    static std::vector<SinkEntry> sinks;
    return sinks;
}

LogRecord::Sink& CriticalHandler() {
    static LogRecord::Sink handler = [](const std::string& line) { ShowCriticalErrorBox(line); };
    return handler;
}

std::function<void()>& FatalHandler() {
    static std::function<void()> handler = [] { std::abort(); };
    return handler;
}

// Developers may mirror every written line to standard error with VELMORA_LOG_STDERR=1; the
// program writes nothing to standard output.
bool MirrorToStderr() {
    static const bool mirror = [] {
        const char* value = std::getenv("VELMORA_LOG_STDERR");
        return value && *value && *value != '0';
    }();
    return mirror;
}

} // namespace

int LogRecord::sLogLevel = 3;

LogRecord::LogRecord(const char* channel, const char* file, int line, int level, bool critical)
    : mChannel(channel), mFile(file), mLine(line), mLevel(level), mCritical(critical) {}

LogRecord::~LogRecord() { Flush(); }

std::string LogRecord::Format(const char* channel, int level, const std::string& text) {
    if (!channel) return text;
    std::string line = "[";
    line.append(channel).append(":").append(std::to_string(level)).append("] ").append(text);
    return line;
}

void LogRecord::Flush() {
    const std::string text = mStream.str();
    if (text.empty()) return;
    mStream.str(std::string());
    const std::string line = Format(mChannel, mLevel, text);
    if (mLevel <= sLogLevel) {
        // A copy: a sink may add or remove sinks while it runs.
        const std::vector<SinkEntry> sinks = Sinks();
        for (const SinkEntry& entry : sinks) entry.mSink(line);
        LogFile::Write(line);
        if (MirrorToStderr()) std::fprintf(stderr, "%s\n", line.c_str());
    }
    if (mCritical && CriticalHandler()) CriticalHandler()(line);
}

int LogRecord::AddSink(Sink sink) {
    static int sNextHandle = 1;
    if (!sink) return 0;
    Sinks().push_back({sNextHandle, std::move(sink)});
    return sNextHandle++;
}

void LogRecord::RemoveSink(int handle) {
    std::erase_if(Sinks(), [handle](const SinkEntry& entry) { return entry.mHandle == handle; });
}

void LogRecord::SetCriticalHandler(Sink handler) { CriticalHandler() = std::move(handler); }

void LogRecord::SetFatalHandler(std::function<void()> handler) { FatalHandler() = std::move(handler); }

void LogRecord::RunFatalHandler() {
    FatalHandler()();
    std::abort();  // a handler that returns must not let the caller run on
}

FatalRecord::FatalRecord(const char* file, int line) : LogRecord("ASSERT", file, line, 1, true) {}

FatalRecord::~FatalRecord() noexcept(false) {
    Flush();
    RunFatalHandler();
}

} // namespace Velmora
