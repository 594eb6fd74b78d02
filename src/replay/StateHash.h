#pragma once

#include "replay/RunFile.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace Velmora::Replay {

/// A 64-bit FNV-1a hash fed piece by piece; numbers go in by their bytes, so two states hash
/// alike only when they are the same to the last bit.
class Hasher {
public:
    void Bytes(const void* data, size_t count);
    void Double(double value);
    void Int(int64_t value);
    void Text(std::string_view text);
    uint64_t Get() const { return mHash; }

private:
    uint64_t mHash = 14695981039346656037ull;
};

/// The hash of the game's state after a tick: the position and facing of every entity with a
/// body (in the entity manager's order), the current level's cells, the level's counters and
/// how the level stands (result). Zero-cost when not asked for: nothing is kept between calls.
uint64_t StateHash(RunResult result);

/// A hash as 16 hexadecimal digits.
std::string HashText(uint64_t hash);

} // namespace Velmora::Replay
