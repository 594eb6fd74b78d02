#pragma once

#include "interface/Widget.h"

#include <string>

namespace Velmora::Graphics {
class Font;
}

namespace Velmora::Interface {

/// A line of text in a bitmap font, centred in its area, in style colour 1 at the style's
/// opacity. Size: the text's width in the font and the font's line height.
class WLabel : public Widget {
public:
    /// The text in the named font of the font manager (the default font when it is not loaded).
    explicit WLabel(std::string text, const std::string& fontName = "menu");
    /// The text in a given font (not owned; null draws nothing and measures 0 × 0).
    WLabel(std::string text, const Graphics::Font* font);

    int32_t GetWidth() const override;
    int32_t GetHeight() const override;
    /// The text on layer + 1, centred in the area.
    void Render(Graphics::Renderer& renderer, int layer) override;

    /// Replaces the text; the parent is not laid out again.
    void SetText(std::string text) { mText = std::move(text); }
    /// The text shown.
    const std::string& GetText() const { return mText; }

    const Graphics::Font* mFont;
    std::string mText;
};

} // namespace Velmora::Interface
