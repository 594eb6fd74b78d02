#include "interface/WLabel.h"

#include "graphics/Font.h"
#include "graphics/FontManager.h"
#include "interface/WidgetDrawing.h"

#include <cmath>

namespace Velmora::Interface {

WLabel::WLabel(std::string text, const std::string& fontName)
    : mFont(Graphics::FontManager::GetInstance().GetFont(fontName)), mText(std::move(text)) {}

WLabel::WLabel(std::string text, const Graphics::Font* font) : mFont(font), mText(std::move(text)) {}

int32_t WLabel::GetWidth() const { return mFont ? static_cast<int32_t>(std::ceil(mFont->TextWidth(mText))) : 0; }

int32_t WLabel::GetHeight() const { return mFont ? mFont->mLineHeight : 0; }

void WLabel::Render(Graphics::Renderer& renderer, int layer) {
    if (!mFont) return;
    const Style style = GetEffectiveStyle(*this);
    if (!(style.mAlpha > 0.0)) return;
    const double centerX = GetAbsoluteX() + GetAreaWidth() / 2.0;
    const double bottom = GetAbsoluteY() + (GetAreaHeight() - GetHeight()) / 2.0;
    Graphics::FontManager::GetInstance().DrawText(renderer, mFont, mText, centerX, bottom, Graphics::kAlignCenter,
                                                  layer + 1, WithOpacity(style.mColor1, style.mAlpha));
}

} // namespace Velmora::Interface
