#pragma once

#include <cstddef>
#include <string>

namespace Velmora {

/// Reads a whole file into text. False when it cannot be opened or is larger than maxBytes
/// (content files are small; a huge one is a broken or hostile file, not one to allocate for).
bool ReadFileText(const std::string& path, std::string& text, size_t maxBytes);

} // namespace Velmora
