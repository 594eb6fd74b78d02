#include "screens/CreditsScreen.h"

#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/InputManager.h"
#include "game/LogicManager.h"
#include "graphics/Font.h"
#include "graphics/FontManager.h"
#include "graphics/RenderMessages.h"
#include "screens/ScreenDrawing.h"
#include "screens/ScreenInput.h"

#include <array>
#include <iterator>

namespace Velmora::Logic {

namespace {

const Color kShade = Color::FromRgba(0, 0, 0, 153); // black at 0.6
const Color kTextColor = Color::FromRgba(235, 240, 255);
const Color kHeadingColor = Color::FromRgba(120, 200, 255);

constexpr CreditsScreen::Line kCredits[] = {
    {"VELMORA", true},
    {"A game of sound and stealth", false},
    {"", false},
    {"Developed by", true},
    {"Norrik Interactive", false},
    {"", false},
    {"Published by", true},
    {"Zenthra Games", false},
    {"", false},
    {"Game Design", true},
    {"The Velmora Team", false},
    {"", false},
    {"Programming", true},
    {"The Velmora Team", false},
    {"", false},
    {"Level Design", true},
    {"The Velmora Team", false},
    {"", false},
    {"Art and Animation", true},
    {"The Velmora Team", false},
    {"", false},
    {"Sound and Music", true},
    {"The Velmora Team", false},
    {"", false},
    {"Guard Training", true},
    {"Every guard who ever heard a footstep", false},
    {"", false},
    {"Built With", true},
    {"SDL", false},
    {"OpenGL", false},
    {"GLEW", false},
    {"OpenAL Soft", false},
    {"freealut", false},
    {"Ogg Vorbis", false},
    {"Theora", false},
    {"Lua", false},
    {"TinyXML", false},
    {"Dear ImGui", false},
    {"DejaVu fonts", false},
    {"FreeType", false},
    {"Cairo", false},
    {"", false},
    {"", false},
    {"Thanks for playing", true},
};

struct LineList {
    const CreditsScreen::Line* mLines;
    size_t mCount;
};

constexpr std::array<LineList, 1> kLists{{{kCredits, std::size(kCredits)}}};

} // namespace

CreditsScreen::CreditsScreen() : CreditsScreen(Game::GetInstance()) {}

CreditsScreen::CreditsScreen(Game& game) : mGame(game) {}

const CreditsScreen::Line* CreditsScreen::GetLines(size_t listIndex, size_t& count) {
    const LineList& list = kLists[listIndex < kLists.size() ? listIndex : 0];
    count = list.mCount;
    return list.mLines;
}

void CreditsScreen::Initialize() {
    ++LogicManager::GetInstance().mMenuScreenCount;
    mMusic = Audio::AudioManager::GetInstance().LoadMusic(kCreditsMusic);
    Audio::AudioManager::GetInstance().PlayMusic(*mMusic);
    GetLines(mListIndex, mLineCount);
}

void CreditsScreen::Deinitialize() { --LogicManager::GetInstance().mMenuScreenCount; }

void CreditsScreen::HandleMessage(Message& message) {
    // The screen below keeps running and drawing; a covered screen leaves the input to the top
    // one (see MainMenuScreen and PlayScreen), so the keys that end the credits work nothing else.
    if (mBelow) mBelow->HandleMessage(message);
    if (auto* update = MessageCast<MessageUpdateLoop>(message)) {
        Update(update->mDt);
    } else if (auto* overlay = MessageCast<Graphics::MessageRenderOverlay>(message)) {
        if (overlay->mRenderer) Render(*overlay->mRenderer);
    }
}

double CreditsScreen::GetLineHeight() const {
    Graphics::FontManager& fonts = Graphics::FontManager::GetInstance();
    const Graphics::Font* font = fonts.HasFont(kFont) ? fonts.GetFont(kFont) : nullptr;
    return font && font->mLineHeight > 0 ? font->mLineHeight : kFallbackLineHeight;
}

double CreditsScreen::LineY(size_t index) const {
    return mScroll - static_cast<double>(index) * kLineSpacing * GetLineHeight();
}

void CreditsScreen::Update(double dt) {
    if (mEnded) return;
    mElapsed += dt;
    mScroll += GetLineHeight() * dt * kScrollLinesPerSecond;
    if (ScreenInput::SkipOrBackInput(InputManager::GetInstance(), kPadStart) || HasScrolledPast()) End();
}

bool CreditsScreen::HasScrolledPast() const {
    return mLineCount == 0 || LineY(mLineCount - 1) > WindowSize::Get().mHeight;
}

void CreditsScreen::End() {
    mEnded = true;
    mGame.RemoveScreen(this);
}

void CreditsScreen::Render(Graphics::Renderer& renderer) {
    const WindowSize window = WindowSize::Get();
    FillWindow(renderer, kLayerCredits, window, kShade);
    Graphics::FontManager& fonts = Graphics::FontManager::GetInstance();
    const Graphics::Font* font = fonts.HasFont(kFont) ? fonts.GetFont(kFont) : nullptr;
    const Graphics::Font* heading = fonts.HasFont(kHeadingFont) ? fonts.GetFont(kHeadingFont) : font;
    size_t count = 0;
    const Line* lines = GetLines(mListIndex, count);
    for (size_t i = 0; i < count; ++i) {
        const double y = LineY(i);
        const Graphics::Font* lineFont = lines[i].mHeading ? heading : font;
        if (!lineFont || lines[i].mText[0] == '\0' || y > window.mHeight || y + lineFont->mLineHeight < 0.0) continue;
        fonts.DrawText(renderer, lineFont, lines[i].mText, window.mWidth / 2.0, y, Graphics::kAlignCenter,
                       kLayerCredits + 1, (lines[i].mHeading ? kHeadingColor : kTextColor).GetPacked());
    }
    if (!mEnded && HasScrolledPast()) End();
}

} // namespace Velmora::Logic
