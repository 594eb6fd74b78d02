#pragma once

#include "replay/RunFile.h"

#include <functional>
#include <string>

namespace Velmora::Replay {

/// What playing a level from a run's header gave.
struct RunOutcome {
    bool mPlayed = false; ///< false: the level could not be started (mError says why)
    std::string mError;   ///< one line
    RunResult mResult = RunResult::kUnfinished;
    uint32_t mTicks = 0;       ///< ticks run
    uint64_t mHash = 0;        ///< StateHash after the last tick
    uint64_t mContentHash = 0; ///< ContentHash of the level as played
};

/// Plays levels without a window or sound, as fast as the processor allows: the logic alone,
/// tick after tick, through the same play screen the game uses (so the same code decides every
/// tick), its inputs from a run or from any other source. The logic is prepared once per
/// process (Prepare); every Play then starts its level afresh.
class RunPlayer {
public:
    /// Supplies the next tick's input; false ends the attempt unfinished. It may read the game's
    /// state (a driver steering the player).
    using InputSource = std::function<bool(Logic::TickInput& input)>;
    /// Told the state hash after every tick (1-based tick number), when set.
    using TickWatcher = std::function<void(uint32_t tick, uint64_t hash)>;

    /// Loads what the logic needs from the game's content folder (which must be set): the
    /// configuration, the component creators, the level scripts' functions, the archetypes and
    /// the tile catalogue; the
    /// player's progress is kept in memory only, so playing never writes a file. False, with a
    /// one-line error, when the content is missing or broken. Call once, before any Play.
    static bool Prepare(std::string& error);

    /// Plays the header's level (campaign, level, seed, tick rate, gun carried in) with inputs
    /// from `source` until it is won or lost, the source ends or `maxTicks` ticks have run.
    /// Each tick's input is appended to `record` when given. Tick hooks already set (a
    /// recorder) see the level as they would in the game; the input replaces the player's.
    static RunOutcome Play(const RunHeader& header, const InputSource& source, RunFile* record = nullptr,
                           uint32_t maxTicks = RunFile::kMaxTicks, const TickWatcher& watcher = {});
    /// Plays a run's own inputs; refused (not played) when the run was recorded against other
    /// content, the error naming both hashes.
    static RunOutcome PlayRun(const RunFile& run, const TickWatcher& watcher = {});
};

} // namespace Velmora::Replay
