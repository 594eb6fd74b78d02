#include "core/UserFiles.h"

#include "core/LogRecord.h"
#include "core/Path.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Velmora {

namespace {

bool IsAbsolute(const char* path) { return path && path[0] == '/'; }

std::string FolderFromEnvironment(const char* variable, const char* fallback) {
    return XdgFolder(std::getenv(variable), std::getenv("HOME"), fallback);
}

bool WriteAll(int descriptor, const std::string& contents) {
    size_t written = 0;
    while (written < contents.size()) {
        const ssize_t result = write(descriptor, contents.data() + written, contents.size() - written);
        if (result < 0 && errno == EINTR) continue;
        if (result <= 0) return false;
        written += static_cast<size_t>(result);
    }
    return true;
}

} // namespace

std::string XdgFolder(const char* value, const char* home, const char* fallback) {
    // The rules ignore relative values: they would depend on the folder the game starts in.
    if (IsAbsolute(value)) return JoinPath(value, "velmora");
    if (IsAbsolute(home)) return JoinPath(JoinPath(home, fallback), "velmora");
    return std::string();
}

std::string UserConfigFolder() { return FolderFromEnvironment("XDG_CONFIG_HOME", ".config"); }

std::string UserDataFolder() { return FolderFromEnvironment("XDG_DATA_HOME", ".local/share"); }

std::string UserStateFolder() { return FolderFromEnvironment("XDG_STATE_HOME", ".local/state"); }

bool IsPlainFileStem(const std::string& name) {
    constexpr size_t kMaxStemLength = 64;
    if (name.empty() || name.size() > kMaxStemLength) return false;
    for (const char c : name) {
        const bool plain =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
        if (!plain) return false;
    }
    return true;
}

bool MakeFolders(const std::string& path) {
    if (path.empty()) return false;
    if (IsDirectory(path)) return true;
    const std::string parent = ParentPath(path);
    if (!parent.empty() && parent != path && !MakeFolders(parent)) return false;
    return mkdir(path.c_str(), 0700) == 0 || IsDirectory(path);
}

bool WriteFileAtomically(const std::string& path, const std::string& contents) {
    if (path.empty() || !MakeFolders(ParentPath(path))) return false;
    const std::string temporary = path + ".tmp";
    const int descriptor = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (descriptor < 0) return false;
    const bool written = WriteAll(descriptor, contents) && fsync(descriptor) == 0;
    const bool closed = close(descriptor) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

void SetAsideDamagedFile(const std::string& path, const char* channel, const std::string& why) {
    const std::string aside = path + ".bad";
    if (std::rename(path.c_str(), aside.c_str()) == 0) {
        VELMORA_LOG(channel) << "Damaged file " << path << " (" << why << ") set aside as " << aside;
    } else {
        VELMORA_LOG(channel) << "Damaged file " << path << " (" << why << ") ignored: " << std::strerror(errno);
    }
}

} // namespace Velmora
