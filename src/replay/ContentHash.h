#pragma once

#include <cstdint>
#include <string>

namespace Velmora::Replay {

/// The hash of the content a level's logic reads: the tile catalogue, the archetype manifest and
/// every archetype file beside it, the campaign file and the level file (the player's copy when
/// there is one, as the game reads it). A run recorded against other content replays
/// differently, so a run names this hash and is refused when it does not match. Files that
/// cannot be read hash as missing rather than failing.
uint64_t ContentHash(const std::string& campaign, const std::string& level);

} // namespace Velmora::Replay
