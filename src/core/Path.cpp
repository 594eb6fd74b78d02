#include "core/Path.h"

#include <sys/stat.h>
#include <unistd.h>

namespace Velmora {

std::string JoinPath(const std::string& base, const std::string& name) {
    if (!name.empty() && (name[0] == '/' || name[0] == '\\')) return name;
    if (base.empty()) return name;
    const char last = base.back();
    if (last == '/' || last == '\\') return base + name;
    return base + "/" + name;
}

bool IsPlainName(const std::string& name) {
    return name.find("..") == std::string::npos && name.find_first_of("/\\") == std::string::npos;
}

std::string ParentPath(const std::string& path) {
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string FindRootPath(const std::string& programPath,
                         const std::function<bool(const std::string&)>& isDirectory) {
    std::string root = ParentPath(programPath);
    if (isDirectory(JoinPath(root, "data"))) return root;
    root = ParentPath(root);
    if (isDirectory(JoinPath(root, "data"))) return root;
    const std::string installed = InstalledRootPath(programPath);
    if (isDirectory(JoinPath(installed, "data"))) return installed;
    return ParentPath(root);
}

std::string InstalledRootPath(const std::string& programPath) {
    return JoinPath(ParentPath(ParentPath(programPath)), "share/velmora");
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string ProgramPath() {
    char buffer[2049];
    const ssize_t length = readlink("/proc/self/exe", buffer, 2048);
    if (length <= 0) return ".";
    return std::string(buffer, static_cast<size_t>(length));
}

} // namespace Velmora
