#include "video/TheoraFileDataSource.h"

#include "video/TheoraException.h"

#include <algorithm>

namespace Velmora::Video {

TheoraFileDataSource::TheoraFileDataSource(const std::string& filename) : mFilename(filename) {
    mFile = std::fopen(filename.c_str(), "rb");
    if (!mFile) throw TheoraGenericException("Can't open video file: " + filename);
    // The duration is read from the file's tail, so a stream that cannot be measured is no use.
    if (fseeko(mFile, 0, SEEK_END) != 0 || ftello(mFile) < 0) {
        std::fclose(mFile);
        throw TheoraGenericException("Can't open video file: " + filename);
    }
    mSize = static_cast<std::uint64_t>(ftello(mFile));
    fseeko(mFile, 0, SEEK_SET);
}

TheoraFileDataSource::~TheoraFileDataSource() { std::fclose(mFile); }

int TheoraFileDataSource::read(void* buffer, int count) {
    if (count <= 0) return 0;
    return static_cast<int>(std::fread(buffer, 1, static_cast<size_t>(count), mFile));
}

void TheoraFileDataSource::seek(std::uint64_t position) {
    fseeko(mFile, static_cast<off_t>(std::min(position, mSize)), SEEK_SET);
}

std::uint64_t TheoraFileDataSource::tell() const {
    const off_t position = ftello(mFile);
    return position < 0 ? 0 : static_cast<std::uint64_t>(position);
}

} // namespace Velmora::Video
