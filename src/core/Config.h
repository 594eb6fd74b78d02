#pragma once

#include <string>

namespace Velmora {

/// Reads "config.xml" in the root directory (it must load as XML and have a <config> root) as
/// the shipped settings, then the player's "config.xml" in the user's config folder over it
/// (see Settings). On a failure of the shipped file a critical record says why and false is
/// returned; a damaged player's file is set aside and the game goes on.
bool LoadConfig();

/// The shipped-file check and read for an explicit file path.
bool LoadConfigFile(const std::string& path);

} // namespace Velmora
