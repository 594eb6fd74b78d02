#pragma once

#include <cstdint>
#include <string>

namespace Velmora::Video {

/// Where a clip's bytes come from. After the clip has loaded, only the worker decoding the clip
/// uses its source, one worker at a time; an implementation needs no locking of its own.
class TheoraDataSource {
public:
    TheoraDataSource() = default;
    TheoraDataSource(const TheoraDataSource&) = delete;
    TheoraDataSource& operator=(const TheoraDataSource&) = delete;
    virtual ~TheoraDataSource() = default;

    /// Copies up to count bytes from the current position into buffer and advances; returns the
    /// number copied, 0 at the end of the data (or on a read error).
    virtual int read(void* buffer, int count) = 0;
    /// A name for log lines; the clip's name.
    virtual std::string repr() const = 0;
    /// Moves to a byte position, clamped to the size.
    virtual void seek(std::uint64_t position) = 0;
    /// Total size in bytes.
    virtual std::uint64_t size() const = 0;
    /// The current byte position.
    virtual std::uint64_t tell() const = 0;
};

} // namespace Velmora::Video
