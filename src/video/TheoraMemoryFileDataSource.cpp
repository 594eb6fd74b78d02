#include "video/TheoraMemoryFileDataSource.h"

#include "video/TheoraException.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace Velmora::Video {

TheoraMemoryFileDataSource::TheoraMemoryFileDataSource(const std::string& filename) : mName("MEM:" + filename) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(filename.c_str(), "rb"), &std::fclose);
    if (!file) throw TheoraGenericException("Can't open video file: " + filename);
    char chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        mBytes.insert(mBytes.end(), chunk, chunk + got);
    }
    if (std::ferror(file.get())) throw TheoraGenericException("Can't open video file: " + filename);
}

TheoraMemoryFileDataSource::TheoraMemoryFileDataSource(std::span<const std::uint8_t> bytes, const std::string& name)
    : mName("MEM:" + name), mBytes(bytes.begin(), bytes.end()) {}

int TheoraMemoryFileDataSource::read(void* buffer, int count) {
    if (count <= 0) return 0;
    const std::uint64_t available = mBytes.size() - mPosition;
    const auto copied = static_cast<size_t>(std::min<std::uint64_t>(available, static_cast<std::uint64_t>(count)));
    if (copied > 0) std::memcpy(buffer, mBytes.data() + mPosition, copied);
    mPosition += copied;
    return static_cast<int>(copied);
}

void TheoraMemoryFileDataSource::seek(std::uint64_t position) { mPosition = std::min<std::uint64_t>(position, mBytes.size()); }

} // namespace Velmora::Video
