// Feeds arbitrary bytes to the bitmap-font description parser and uses the result the way the
// game does (widths, drawing into batches), without a window.
#include "fuzz/FuzzSupport.h"
#include "graphics/Font.h"
#include "graphics/Renderer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // The first two bytes pick a page size, including none (0) and odd ones.
    const std::string_view text = Velmora::Tests::Text(data + 2, size - 2);
    Velmora::Graphics::Font font;
    font.Parse(text, data[0] * 3, data[1] * 2, 0.75, 0.5);
    Velmora::Graphics::Renderer renderer([](const Velmora::Graphics::Batch&) {});
    const std::string_view sample = text.substr(0, 64);
    font.TextWidth(sample);
    for (int alignment = 0; alignment < 3; ++alignment) {
        font.Draw(renderer, sample, 100.5, 20.5, alignment, 810, 0xFFFFFFFFu, 1.5, 0.5);
    }
    renderer.Flush();
    return 0;
}
