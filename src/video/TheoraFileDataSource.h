#pragma once

#include "video/TheoraDataSource.h"

#include <cstdio>

namespace Velmora::Video {

/// Reads a movie from a file, piece by piece, as the decoder needs it.
class TheoraFileDataSource : public TheoraDataSource {
public:
    /// Opens the file for binary reading.
    /// @throws TheoraGenericException "Can't open video file: " and the name when it cannot be opened.
    explicit TheoraFileDataSource(const std::string& filename);
    ~TheoraFileDataSource() override;

    int read(void* buffer, int count) override;
    /// The file name as given.
    std::string repr() const override { return mFilename; }
    void seek(std::uint64_t position) override;
    std::uint64_t size() const override { return mSize; }
    std::uint64_t tell() const override;

private:
    std::string mFilename;
    std::FILE* mFile = nullptr;
    std::uint64_t mSize = 0;
};

} // namespace Velmora::Video
