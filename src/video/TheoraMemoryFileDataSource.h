#pragma once

#include "video/TheoraDataSource.h"

#include <span>
#include <vector>

namespace Velmora::Video {

/// Holds a whole movie in memory: read from a file at once, or copied from bytes the caller has.
class TheoraMemoryFileDataSource : public TheoraDataSource {
public:
    /// Reads the whole file; named "MEM:" and the file name.
    /// @throws TheoraGenericException "Can't open video file: " and the name when it cannot be read.
    explicit TheoraMemoryFileDataSource(const std::string& filename);
    /// Copies the bytes; named "MEM:" and the given name.
    TheoraMemoryFileDataSource(std::span<const std::uint8_t> bytes, const std::string& name);

    int read(void* buffer, int count) override;
    std::string repr() const override { return mName; }
    void seek(std::uint64_t position) override;
    std::uint64_t size() const override { return mBytes.size(); }
    std::uint64_t tell() const override { return mPosition; }

private:
    std::string mName;
    std::vector<std::uint8_t> mBytes;
    std::uint64_t mPosition = 0;
};

} // namespace Velmora::Video
