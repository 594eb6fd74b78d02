#pragma once

#include "screens/TickInput.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Velmora::Replay {

/// How a recorded level attempt ended.
enum class RunResult : uint8_t {
    kUnfinished = 0, ///< the inputs ran out (or the player left) before the level ended
    kWon = 1,
    kLost = 2,
};

/// "won", "lost" or "unfinished".
const char* RunResultName(RunResult result);

/// What a run says about itself before its inputs.
struct RunHeader {
    std::string mCampaign;     ///< campaign folder under data/level
    std::string mLevel;        ///< level name in that campaign
    uint32_t mSeed = 0;        ///< extra seed mixed with the level's name at its begin
    uint64_t mContentHash = 0; ///< ContentHash of what the logic read when it was recorded
    uint32_t mTicksPerSecond = 60;
    Logic::GunType mGun = Logic::kGunNone; ///< the gun carried into the level
    RunResult mResult = RunResult::kUnfinished;
    uint64_t mFinalHash = 0; ///< StateHash after the last tick
};

/// A stretch of ticks with the same input.
struct RunSegment {
    uint32_t mCount = 0;
    Logic::TickInput mInput;
};

/// A recorded level attempt: its header and one input per logic tick, kept run-length encoded
/// as in the file (a `.vrun`). The file is little-endian binary: "VRUN", the format version, the
/// header, then segments (a tick count, a flag byte, and the velocity and the facing as doubles
/// when the flags say they are not zero or not the same as before).
class RunFile {
public:
    /// The format this build reads and writes.
    static constexpr uint16_t kVersion = 1;
    /// The most ticks a run may hold (four hours at 60 ticks per second).
    static constexpr uint32_t kMaxTicks = 4u * 3600u * 60u;
    /// The longest campaign or level name.
    static constexpr size_t kMaxNameLength = 64;

    /// Appends one tick's input, merging it into the last segment when it is the same.
    void Append(const Logic::TickInput& input);
    /// Number of ticks held.
    uint32_t GetTickCount() const { return mTicks; }
    /// The segments in order.
    const std::vector<RunSegment>& GetSegments() const { return mSegments; }
    /// The file's bytes.
    std::string Encode() const;
    /// Reads a whole file's bytes. On failure `error` holds a one-line reason and the run is left
    /// empty; sizes and names are checked before anything is kept, so hostile bytes cost no
    /// more than the bytes themselves.
    bool Decode(const std::string& bytes, std::string& error);
    /// Reads a file from disk (at most a few megabytes); errors as Decode, or that it cannot be read.
    bool Load(const std::string& path, std::string& error);
    /// Writes the file (to a temporary name, then renamed). False when it cannot be written.
    bool Save(const std::string& path) const;

    RunHeader mHeader;

private:
    std::vector<RunSegment> mSegments;
    uint32_t mTicks = 0;
};

/// Walks a run's inputs tick by tick.
class RunCursor {
public:
    explicit RunCursor(const RunFile& run) : mRun(run) {}
    /// The next tick's input; false when the run has no more.
    bool Next(Logic::TickInput& input);

private:
    const RunFile& mRun;
    size_t mSegment = 0;
    uint32_t mUsed = 0;
};

} // namespace Velmora::Replay
