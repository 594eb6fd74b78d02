#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace Velmora::Replay {

/// Plays recorded runs headless (RunPlayer, prepared by the caller) and writes one line per run
/// to `out`: "PATH: won, 812 ticks, hash 0123456789abcdef, 25000 ticks/s (416x real time)", or
/// "PATH: error: REASON" when the file or its level cannot be played. Returns 0 when every run
/// played and ended as its header says, 1 otherwise (a differing final state alone is reported
/// but does not fail).
int VerifyRuns(const std::vector<std::string>& paths, std::ostream& out);

} // namespace Velmora::Replay
