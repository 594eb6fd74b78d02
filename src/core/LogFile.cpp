#include "core/LogFile.h"

#include "core/Path.h"
#include "core/UserFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace Velmora {

namespace {

struct OpenLog {
    std::FILE* mFile = nullptr;
    std::string mPath;
};

OpenLog& Current() {
    static OpenLog log;
    return log;
}

} // namespace

bool LogFile::Open(const std::string& folder) {
    Close();
    if (!MakeFolders(folder)) {
        std::fprintf(stderr, "velmora: cannot create the log folder '%s'; no log file is written\n", folder.c_str());
        return false;
    }
    const std::string path = JoinPath(folder, "velmora.log");
    std::rename(path.c_str(), (path + ".1").c_str()); // nothing to keep on the first run
    std::FILE* file = std::fopen(path.c_str(), "we");
    if (!file) {
        std::fprintf(stderr, "velmora: cannot write the log file '%s': %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    Current() = {file, path};
    return true;
}

void LogFile::Close() {
    OpenLog& log = Current();
    if (log.mFile) std::fclose(log.mFile);
    log = {};
}

void LogFile::Write(const std::string& line) {
    std::FILE* file = Current().mFile;
    if (!file) return;
    std::fprintf(file, "%s\n", line.c_str());
    std::fflush(file);
}

const std::string& LogFile::GetPath() { return Current().mPath; }

} // namespace Velmora
