#include "core/ReadFile.h"

#include <fstream>
#include <iterator>

namespace Velmora {

bool ReadFileText(const std::string& path, std::string& text, size_t maxBytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0 || static_cast<unsigned long long>(size) > maxBytes) return false;
    file.seekg(0, std::ios::beg);
    text.assign(static_cast<size_t>(size), '\0');
    file.read(text.data(), size);
    return file.gcount() == size;
}

} // namespace Velmora
