#include "screens/Hud.h"

#include "graphics/Batch.h"
#include "graphics/FontManager.h"
#include "graphics/Renderer.h"
#include "graphics/ShaderProgram.h"
#include "graphics/Texture.h"
#include "graphics/TextureManager.h"
#include "graphics/Vertex.h"
#include "interface/WidgetDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Velmora::Logic {

namespace {

constexpr unsigned kQuadCapacity = 64;  // vertices per HUD batch: a few quads each

// Design pixels of hud.png, measured from the bar's top-left corner.
constexpr double kSocketLeft = 26.0, kSocketRight = 96.0, kSocketTop = 11.0, kSocketBottom = 81.0;
constexpr double kSlotLeft = 128.0, kSlotRight = 1000.0, kSlotTop = 30.0, kSlotBottom = 66.0;

// The plain meter's bars sit a little inside the slot's rounded ends.
constexpr double kPlainInset = 0.18;  // of the slot's height

constexpr uint32_t kMenuFrame = 0xFFB08040u;  // the bar's blue edge
constexpr uint32_t kMenuFill = 0xC0201008u;
constexpr uint32_t kMenuText = 0xFFE0C8A0u;

// A rectangle given in design pixels of the bar, mapped into the bar drawn at `bar`.
Hud::Rect InBar(const Hud::Rect& bar, double left, double top, double right, double bottom) {
    const double sx = (bar.mRight - bar.mLeft) / Hud::kDesignWidth;
    const double sy = (bar.mTop - bar.mBottom) / Hud::kDesignHeight;
    return {bar.mLeft + left * sx, bar.mTop - bottom * sy, bar.mLeft + right * sx, bar.mTop - top * sy};
}

void AddTextured(Graphics::Renderer& renderer, Graphics::Texture* texture, int layer, const Hud::Rect& rect,
                 double uEnd, uint32_t color) {
    if (!texture) return;
    Graphics::Batch& batch =
        renderer.GetBatch(Graphics::kPrimitiveQuads, texture, layer, kQuadCapacity, Graphics::kBlendAlpha);
    batch.AddTexturedRect(rect.mLeft, rect.mRight, rect.mBottom, rect.mTop, 0.0, 0.0, uEnd * texture->mMaxU,
                          texture->mMaxV, color);
}

} // namespace

Hud::Rect Hud::BarRect(int width, int height) {
    const double w = width, h = height;
    return {0.136 * w, 0.016 * h, 0.136 * w + 0.669 * w, 0.016 * h + 0.094 * h};
}

Hud::Rect Hud::BriefcaseRect(int width, int height) {
    return InBar(BarRect(width, height), kSocketLeft, kSocketTop, kSocketRight, kSocketBottom);
}

Hud::Rect Hud::MeterSlotRect(int width, int height) {
    return InBar(BarRect(width, height), kSlotLeft, kSlotTop, kSlotRight, kSlotBottom);
}

Hud::Rect Hud::MenuButtonRect(int width, int height) {
    const double w = width, h = height;
    return {10.0 * w / 1024.0, 10.0 * h / 1024.0, 90.0 * w / 1024.0, 100.0 * h / 1024.0};
}

uint32_t Hud::GunTint(GunType gun) {
    switch (gun) {
    case kSoundGun: return Graphics::PackColor(25, 25, 255);
    case kWhiteGun: return Graphics::PackColor(127, 127, 127);
    case kShockGun: return Graphics::PackColor(255, 25, 25);
    default: return Graphics::PackColor(0, 0, 0);
    }
}

namespace {

// The clock in whole hundredths, so both parts come from one rounding: 7.05 accumulated from
// 1/60 steps reads 7.05, never 7.04, and 7.9999999 reads 8.00, never 7.00.
long long ClockHundredths(double seconds) {
    return static_cast<long long>(std::floor(std::clamp(seconds, 0.0, Hud::kClockLimit) * 100.0 + 1e-6));
}

} // namespace

std::string Hud::FormatClock(double seconds) {
    const long long whole = ClockHundredths(seconds) / 100;
    const int hours = static_cast<int>(whole / 3600);
    const int minutes = static_cast<int>(whole / 60 % 60);
    const int secs = static_cast<int>(whole % 60);
    char text[24];
    if (hours > 0) std::snprintf(text, sizeof text, "%i:%02i:%02i", hours, minutes, secs);
    else std::snprintf(text, sizeof text, "%i:%02i", minutes, secs);
    return text;
}

std::string Hud::FormatHundredths(double seconds) {
    char text[8];
    std::snprintf(text, sizeof text, ".%02i", static_cast<int>(ClockHundredths(seconds) % 100));
    return text;
}

Hud::Rect Hud::ClockRect(int width, int height) {
    const double w = width, h = height;
    const Rect bar = BarRect(width, height);
    return {bar.mRight + 0.01 * w, 0.015 * h, 0.99 * w, 0.015 * h + 0.094 * h};
}

void Hud::LoadTextures() {
    if (mBar) return;
    Graphics::TextureManager& textures = Graphics::TextureManager::GetInstance();
    mBar = textures.GetTexture("hud.png");
    mBriefcase = textures.GetTexture("hudbriefcase.png");
    mMeter = textures.GetTexture("hud.png", "ChargeMeter");
    mPlainMeter = textures.GetTexture("chargemeter.png");
}

bool Hud::IsShaderMeterAvailable() {
    LoadTextures();
    return mMeter && mMeter->mProgram && mMeter->mProgram->IsBuilt();
}

void Hud::Draw(Graphics::Renderer& renderer, int width, int height, const HudState& state) {
    Draw(renderer, width, height, state, IsShaderMeterAvailable());
}

void Hud::Draw(Graphics::Renderer& renderer, int width, int height, const HudState& state, bool useShader) {
    if (width <= 0 || height <= 0) return;
    LoadTextures();
    DrawTimer(renderer, width, height, state.mLevelTime);
    const Rect bar = BarRect(width, height);
    AddTextured(renderer, mBar, kBarLayer, bar, 1.0, 0xFFFFFFFFu);
    if (state.mBriefcase) AddTextured(renderer, mBriefcase, kMeterLayer, BriefcaseRect(width, height), 1.0, 0xFFFFFFFFu);
    if (useShader) {
        DrawShaderMeter(renderer, bar, state);
    } else {
        DrawPlainMeter(renderer, MeterSlotRect(width, height), state);
    }
    DrawMenuButton(renderer, width, height);
}

void Hud::DrawTimer(Graphics::Renderer& renderer, int width, int height, double seconds) const {
    Graphics::FontManager& fonts = Graphics::FontManager::GetInstance();
    const Graphics::Font* font = fonts.GetFont("digital");
    if (!font) return;
    const std::string whole = FormatClock(seconds);
    const std::string hundredths = FormatHundredths(seconds);
    const Rect room = ClockRect(width, height);
    double sx = width / 1200.0, sy = height / 750.0;
    const double textWidth = (fonts.TextWidth(font, whole) + fonts.TextWidth(font, hundredths)) * sx;
    if (textWidth > room.mRight - room.mLeft) {
        const double shrink = (room.mRight - room.mLeft) / textWidth;
        sx *= shrink;
        sy *= shrink;
    }
    const double x = room.mRight - std::min(textWidth, room.mRight - room.mLeft), y = room.mBottom;
    fonts.DrawTextScaled(renderer, font, whole, x, y, Graphics::kAlignLeft, sx, sy, kTimerColor);
    fonts.DrawTextScaled(renderer, font, hundredths, x + fonts.TextWidth(font, whole) * sx, y, Graphics::kAlignLeft,
                         sx, sy, kTimerColor);
}

void Hud::DrawShaderMeter(Graphics::Renderer& renderer, const Rect& bar, const HudState& state) const {
    if (!mMeter || !mMeter->mProgram) return;
    // One meter per frame, so the program's stored values are this frame's when the batch draws.
    mMeter->mProgram->SetUniform("uPower", static_cast<float>(std::clamp(state.mMeterPower, -1.0, 1.0)));
    mMeter->mProgram->SetUniform("uTime", static_cast<float>(state.mPhase));
    AddTextured(renderer, mMeter, kMeterLayer, bar, 1.0, GunTint(state.mGun));
}

void Hud::DrawPlainMeter(Graphics::Renderer& renderer, const Rect& slot, const HudState& state) const {
    const double inset = (slot.mTop - slot.mBottom) * kPlainInset;
    const double left = slot.mLeft + inset, right = slot.mRight - inset;
    const double middle = (left + right) * 0.5, half = middle - left;
    const double reload = std::clamp(state.mReload, 0.0, 1.0);
    const double charge = std::clamp(state.mCharge, 0.0, 1.0);
    const uint32_t tint = GunTint(state.mGun);
    const Rect inner{left, slot.mBottom + inset, right, slot.mTop - inset};
    if (reload > 0.0) {
        AddTextured(renderer, mPlainMeter, kMeterLayer, {inner.mLeft, inner.mBottom, left + half * reload, inner.mTop},
                    reload, tint);
    }
    if (reload >= 1.0 && charge > 0.0) {
        AddTextured(renderer, mPlainMeter, kMeterLayer,
                    {middle, inner.mBottom, middle + half * charge, inner.mTop}, charge, tint);
    }
}

void Hud::DrawMenuButton(Graphics::Renderer& renderer, int width, int height) const {
    const Rect button = MenuButtonRect(width, height);
    Interface::DrawFramedBox(renderer, kBarLayer, button.mLeft, button.mBottom, button.mRight, button.mTop,
                             std::max(1.0, width / 512.0), kMenuFrame, kMenuFill);
    Graphics::FontManager& fonts = Graphics::FontManager::GetInstance();
    const Graphics::Font* font = fonts.GetFont("menu_small");
    if (!font) return;
    const double sx = width / 1200.0, sy = height / 750.0;
    const double textWidth = fonts.TextWidth(font, "MENU") * sx;
    const double x = (button.mLeft + button.mRight - textWidth) * 0.5;
    const double y = (button.mBottom + button.mTop - font->mLineHeight * sy) * 0.5;
    fonts.DrawTextScaled(renderer, font, "MENU", x, y, Graphics::kAlignLeft, sx, sy, kMenuText);
}

} // namespace Velmora::Logic
