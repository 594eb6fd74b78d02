#include "graphics/FontManager.h"

#include "core/Game.h"
#include "core/LogRecord.h"
#include "core/ReadFile.h"
#include "debug/PerformanceManager.h"
#include "graphics/GraphicsManager.h"
#include "graphics/TextureManager.h"

namespace Velmora::Graphics {

namespace {

int TextTimer() {
    static const int sTimer = Debug::PerformanceManager::GetInstance().RegisterTimer("Text Rendering");
    return sTimer;
}

bool LogFailure(const std::string& name, const std::string& path) {
    VELMORA_LOG("GRAPHICS") << "Failed to load font `" << name << "`: " << path;
    return false;
}

} // namespace

FontManager& FontManager::GetInstance() {
    static FontManager* instance = new FontManager();
    return *instance;
}

void FontManager::Initialize() {
    if (!LoadFont("default")) VELMORA_FATAL << "Failed to load default font";
    for (const char* name : {"console", "menu", "menu_small", "digital"}) LoadFont(name);
}

bool FontManager::LoadFont(const std::string& name) {
    const Game& game = Game::GetInstance();
    const std::string descriptionPath = game.DataPath("fonts", name + ".fnt");
    std::string description;
    if (!ReadFileText(descriptionPath, description, kMaxFontFileBytes)) return LogFailure(name, descriptionPath);

    // The page lives with the other textures so a video mode change reloads it too. A page that
    // is already registered (a reload) is loaded again in place: fonts keep pointing at it.
    TextureManager& textures = TextureManager::GetInstance();
    const std::string pageName = "font/" + name;
    const std::string pagePath = game.DataPath("fonts", name + "_0.png");
    Texture* page = textures.FindTexture(pageName);
    if (page) {
        page->mPath = pagePath;
        if (!page->Load()) return LogFailure(name, pagePath);
    } else {
        auto created = std::make_unique<Texture>(pageName, "", pagePath, nullptr);
        if (!created->Load()) return LogFailure(name, pagePath);
        page = textures.RegisterTexture(pageName, std::move(created));
    }

    auto font = std::make_unique<Font>();
    font->Parse(description, page->mWidth, page->mHeight, page->mMaxU, page->mMaxV);
    font->mPage = page;
    std::unique_ptr<Font>& slot = mFonts[name];
    if (slot)
        *slot = std::move(*font); // keep the address callers may hold
    else
        slot = std::move(font);
    if (name == "default") mDefault = slot.get();
    return true;
}

const Font* FontManager::GetFont(const std::string& name) {
    const auto it = mFonts.find(name);
    if (it != mFonts.end()) return it->second.get();
    VELMORA_LOG("GRAPHICS") << "Requested font `" << name << "` is not loaded, returning default";
    return mDefault;
}

double FontManager::TextWidth(const Font* font, const std::string& text) const {
    return font ? font->TextWidth(text) : 0.0;
}

void FontManager::DrawText(const Font* font, const std::string& text, double x, double y, int alignment, int layer,
                           uint32_t color) {
    DrawText(GraphicsManager::GetInstance().GetRenderer(), font, text, x, y, alignment, layer, color);
}

void FontManager::DrawText(Renderer& renderer, const Font* font, const std::string& text, double x, double y,
                           int alignment, int layer, uint32_t color) {
    if (!font) return;
    Debug::ScopedTimer timer(TextTimer());
    font->Draw(renderer, text, x, y, alignment, layer, color);
}

void FontManager::DrawTextScaled(const Font* font, const std::string& text, double x, double y, int alignment,
                                 double scaleX, double scaleY, uint32_t color) {
    DrawTextScaled(GraphicsManager::GetInstance().GetRenderer(), font, text, x, y, alignment, scaleX, scaleY, color);
}

void FontManager::DrawTextScaled(Renderer& renderer, const Font* font, const std::string& text, double x, double y,
                                 int alignment, double scaleX, double scaleY, uint32_t color) {
    if (!font) return;
    Debug::ScopedTimer timer(TextTimer());
    const int scaledAlignment = alignment == kAlignRight ? kAlignRight : kAlignLeft;
    font->Draw(renderer, text, x, y, scaledAlignment, kTextLayer, color, scaleX, scaleY);
}

} // namespace Velmora::Graphics
