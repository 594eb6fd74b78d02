#pragma once

#include "GlyphSource.h"

#include <string>

namespace Velmora::Tools {

/// Places every glyph on one page (power-of-two size, 2 px apart so linear filtering never mixes
/// neighbours); returns the page size through width and height, or false when 1024x1024 is too small.
bool PackGlyphs(FontData& font, int& width, int& height);

/// Writes DIRECTORY/NAME.fnt (BMFont text format) and DIRECTORY/NAME_0.png (white glyphs, coverage
/// in alpha). Returns false (and prints why) on failure.
bool WriteFont(const FontData& font, const std::string& directory);

} // namespace Velmora::Tools
