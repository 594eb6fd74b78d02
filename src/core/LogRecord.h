#pragma once

#include <functional>
#include <sstream>
#include <string>

namespace Velmora {

/// One log statement. The call site fills mStream and the record is written when flushed:
/// "[CHANNEL:LEVEL] text" goes to every installed sink (the console's history, a test's capture)
/// and to the log file (LogFile, when one is open) when the level passes sLogLevel, and critical
/// records also raise the blocking "CRITICAL ERROR" box.
/// Use the VELMORA_LOG macros rather than building records by hand.
class LogRecord {
public:
    using Sink = std::function<void(const std::string& line)>;

    LogRecord(const char* channel, const char* file, int line, int level, bool critical);
    ~LogRecord();
    LogRecord(const LogRecord&) = delete;
    LogRecord& operator=(const LogRecord&) = delete;

    std::ostream& Stream() { return mStream; }
    /// Writes the record out and empties the text; an empty text writes nothing at all.
    void Flush();

    /// The line as written: optional "[channel:level] " prefix and the text.
    static std::string Format(const char* channel, int level, const std::string& text);

    /// Adds a receiver of every written line (the console's history, a test's capture) and
    /// returns its handle. Without a sink lines are kept nowhere.
    static int AddSink(Sink sink);
    /// Removes the sink of that handle; an unknown handle does nothing.
    static void RemoveSink(int handle);
    /// What shows a critical record; defaults to the modal "CRITICAL ERROR" window.
    static void SetCriticalHandler(Sink handler);
    /// What happens after a fatal record; defaults to std::abort. Fuzzers and tests replace it.
    static void SetFatalHandler(std::function<void()> handler);
    static void RunFatalHandler();

    /// Records with a level above this are not written to the console (tweak "Debug/Level").
    static int sLogLevel;

    std::ostringstream mStream;
    const char* mChannel;
    const char* mFile;
    int mLine;
    int mLevel;
    bool mCritical;
};

/// A fatal record: channel "ASSERT", critical; the process ends after it is flushed.
class FatalRecord : public LogRecord {
public:
    FatalRecord(const char* file, int line);
    ~FatalRecord() noexcept(false);
};

/// Strips the build's absolute prefix so records carry paths such as "core/Game.cpp".
constexpr const char* RelativeSourcePath(const char* path) {
    const char* result = path;
    for (const char* p = path; *p; ++p) {
        if (p[0] == 's' && p[1] == 'r' && p[2] == 'c' && p[3] == '/') result = p + 4;
    }
    return result;
}

} // namespace Velmora

/// Level-1 log record on a channel: VELMORA_LOG("CORE") << "text";
#define VELMORA_LOG(channel) \
    ::Velmora::LogRecord((channel), ::Velmora::RelativeSourcePath(__FILE__), __LINE__, 1, false).Stream()
/// Level-1 record that also shows the "CRITICAL ERROR" box.
#define VELMORA_LOG_CRITICAL(channel) \
    ::Velmora::LogRecord((channel), ::Velmora::RelativeSourcePath(__FILE__), __LINE__, 1, true).Stream()
/// Fatal error: VELMORA_FATAL << "reason"; logs "Fatal Error: reason", shows the box, aborts.
#define VELMORA_FATAL \
    ::Velmora::FatalRecord(::Velmora::RelativeSourcePath(__FILE__), __LINE__).Stream() << "Fatal Error: "
