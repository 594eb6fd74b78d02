#pragma once

#include <string>

namespace Velmora {

/// Checks "config.xml" in the root directory: it must load as XML and have a <config> root.
/// No setting is read from it. On failure a critical record says why and false is returned.
bool LoadConfig();

/// The same check for an explicit file path.
bool LoadConfigFile(const std::string& path);

} // namespace Velmora
