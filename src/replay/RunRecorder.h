#pragma once

#include "replay/RunFile.h"

#include <optional>
#include <string>

struct lua_State;

namespace Velmora::Replay {

/// Records every level the player plays: each tick's input from the level's begin to its end,
/// kept as a run. When a level ends (won or lost), or is left for another begin, the run is
/// written to the player's data folder as runs/CAMPAIGN/LEVEL.vrun (the last run of each level)
/// and, when a target is set, to that file too.
class RunRecorder {
public:
    /// The game's recorder.
    static RunRecorder& GetInstance();

    /// Hooks the recorder into the play screens' ticks. Call once, before play starts.
    void Connect();
    /// Also writes each finished run to `path` (empty: no longer).
    void SetTarget(const std::string& path) { mTarget = path; }
    const std::string& GetTarget() const { return mTarget; }
    /// Where the last run of a level is kept; empty when the names cannot be file names.
    static std::string LastRunPath(const std::string& campaign, const std::string& level);

    /// Engine.Record(NAME) from the console: each finished run is also written to
    /// runs/NAME.vrun in the player's data folder (a plain name: letters, digits, "_", "-", so a
    /// level script cannot write anywhere else); Engine.Record() stops that. Returns true when
    /// accepted.
    static void RegisterBindings(lua_State* state);

private:
    void OnLevelBegun(const std::string& campaign, const std::string& level, Logic::GunType gun);
    void OnTick(const Logic::TickInput& input);
    void OnTickDone();
    void Finish(RunResult result);
    static int ScriptRecord(lua_State* state);

    std::optional<RunFile> mRun;     // the level being recorded
    std::optional<RunResult> mEnded; // the level ended in the tick being run
    std::string mTarget;
};

} // namespace Velmora::Replay
