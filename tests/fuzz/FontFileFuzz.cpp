// Feeds arbitrary bytes to the bitmap-font description parser and uses the result the way the
// game does (widths, drawing into batches), without a window.
#include "graphics/Font.h"
#include "graphics/Renderer.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // The first two bytes pick a page size, including none (0) and odd ones.
    const int pageWidth = data[0] * 3;
    const int pageHeight = data[1] * 2;
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    Velmora::Graphics::Font font;
    font.Parse(text, pageWidth, pageHeight, 0.75, 0.5);
    Velmora::Graphics::Renderer renderer([](const Velmora::Graphics::Batch&) {});
    const std::string_view sample = text.substr(0, 64);
    font.TextWidth(sample);
    for (int alignment = 0; alignment < 3; ++alignment) {
        font.Draw(renderer, sample, 100.5, 20.5, alignment, 810, 0xFFFFFFFFu, 1.5, 0.5);
    }
    renderer.Flush();
    return 0;
}
