#pragma once

#include "core/ISystem.h"
#include "graphics/Font.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace Velmora::Graphics {

class Renderer;

/// Loads the game's bitmap fonts at start-up ("default", "console", "menu", "menu_small",
/// "digital" from root/data/fonts: NAME.fnt with the page NAME_0.png), hands them out by name
/// and draws text through the renderer. A system, added by the graphics manager after the
/// texture manager.
class FontManager : public ISystem {
public:
    /// Layer of DrawTextScaled.
    static constexpr int kTextLayer = 810;
    /// Description files larger than this are refused (real ones are a few kilobytes).
    static constexpr size_t kMaxFontFileBytes = 4 << 20;

    static FontManager& GetInstance();
    FontManager() = default;

    /// Loads the five fonts; a missing "default" font is fatal, the others are logged.
    void Initialize() override;

    /// Loads (or reloads) one font. False, with the log line "Failed to load font `NAME`: PATH"
    /// on "GRAPHICS", when the description or the page image cannot be read; a font whose page
    /// image is missing counts as not loaded, since its glyphs could not be placed.
    bool LoadFont(const std::string& name);
    /// The named font, or the default font after logging that it is not loaded. Null only
    /// before the default font has been loaded.
    const Font* GetFont(const std::string& name);
    /// True when a font of that name is loaded.
    bool HasFont(const std::string& name) const { return mFonts.count(name) != 0; }

    /// Width of a string in pixels at scale 1, rounded up (0 for a null font).
    double TextWidth(const Font* font, const std::string& text) const;
    /// Draws into the graphics manager's renderer at pixel scale; alignment 0 left, 1 centred,
    /// 2 right. Timed as "Text Rendering".
    void DrawText(const Font* font, const std::string& text, double x, double y, int alignment, int layer,
                  uint32_t color);
    /// The same into a given renderer.
    void DrawText(Renderer& renderer, const Font* font, const std::string& text, double x, double y, int alignment,
                  int layer, uint32_t color);
    /// Scaled text on layer 810; alignment 2 is right-aligned, anything else left-aligned.
    void DrawTextScaled(const Font* font, const std::string& text, double x, double y, int alignment, double scaleX,
                        double scaleY, uint32_t color);
    /// The same into a given renderer.
    void DrawTextScaled(Renderer& renderer, const Font* font, const std::string& text, double x, double y,
                        int alignment, double scaleX, double scaleY, uint32_t color);

private:
    std::map<std::string, std::unique_ptr<Font>> mFonts;
    const Font* mDefault = nullptr;
};

} // namespace Velmora::Graphics
