#include "console/ConsoleManager.h"

#include "core/FrameMessages.h"
#include "core/LogRecord.h"
#include "graphics/Batch.h"
#include "graphics/Font.h"
#include "graphics/FontManager.h"
#include "graphics/GraphicsManager.h"
#include "graphics/RenderMessages.h"
#include "graphics/Renderer.h"
#include "script/ScriptManager.h"

#include <lua.hpp>

#include <algorithm>
#include <cmath>

namespace Velmora::Debug {

namespace {

constexpr const char* kFontName = "console";
constexpr uint32_t kPanelColor = 0xF0100C08u; // near-black, nearly opaque
constexpr uint32_t kEdgeColor = 0xFF60A0C0u;  // a thin light line under the panel
constexpr uint32_t kTextColor = 0xFFFFFFFFu;
// Modifiers that leave a key to the console; Ctrl and Alt combinations belong to others.
constexpr int kTypingModifiers = KMOD_SHIFT | KMOD_NUM | KMOD_CAPS | KMOD_MODE;

} // namespace

ConsoleManager& ConsoleManager::GetInstance() {
    static ConsoleManager* instance = new ConsoleManager(); // lives to process exit, like every system
    return *instance;
}

void ConsoleManager::Initialize() {
    if (mSink == 0) mSink = LogRecord::AddSink([this](const std::string& line) { AddLine(line); });
}

void ConsoleManager::Deinitialize() {
    LogRecord::RemoveSink(mSink);
    mSink = 0;
}

void ConsoleManager::HandleMessage(Message& message) {
    if (const auto* loop = MessageCast<MessageUpdateLoop>(message)) {
        if (mVisible && std::isfinite(loop->mDt) && loop->mDt > 0.0) mBlink = std::fmod(mBlink + loop->mDt, 1.0);
    } else if (const auto* overlay = MessageCast<Graphics::MessageRenderOverlay>(message)) {
        const Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
        if (mVisible && overlay->mRenderer) Draw(*overlay->mRenderer, graphics.GetWidth(), graphics.GetHeight());
    }
}

void ConsoleManager::AddLine(const std::string& text) {
    const size_t pieces = (text.size() + kLineLength - 1) / kLineLength;
    // Pieces that would be pushed out at once are never added: a huge line costs no more than
    // a full history.
    const size_t first = pieces > mMaxLines ? pieces - mMaxLines : 0;
    for (size_t piece = first; piece < pieces; ++piece)
        mHistory.push_back(text.substr(piece * kLineLength, kLineLength));
    while (mHistory.size() > mMaxLines) mHistory.pop_front();
    mScroll = std::min(mScroll, std::max(static_cast<int>(mHistory.size()) - 1, 0));
}

bool ConsoleManager::HandleKey(const SDL_KeyboardEvent& key) {
    if (key.type != SDL_KEYDOWN || (key.keysym.mod & ~kTypingModifiers) != 0) return false;
    if (!mVisible) {
        if (key.keysym.sym != SDLK_BACKQUOTE) return false;
        SetVisible(true);
        return true;
    }
    return HandleOpenKey(key.keysym);
}

bool ConsoleManager::HandleOpenKey(const SDL_keysym& key) {
    switch (key.sym) {
        case SDLK_BACKQUOTE:
            SetVisible(false);
            return true;
        case SDLK_BACKSPACE:
            if (!mInput.empty()) mInput.pop_back();
            return true;
        case SDLK_RETURN:
            RunInput();
            return true;
        case SDLK_PAGEUP:
            ScrollBy(kPageLines);
            return true;
        case SDLK_PAGEDOWN:
            ScrollBy(-kPageLines);
            return true;
        default:
            break;
    }
    // The console font holds the printable ASCII characters.
    if (key.unicode < 0x20 || key.unicode > 0x7E) return false;
    mInput += static_cast<char>(key.unicode);
    return true;
}

void ConsoleManager::RunInput() {
    if (mInput.empty()) return;
    const std::string line = mInput;
    mInput.clear();
    mScroll = 0;
    AddLine("> " + line);
    Script::ScriptManager::GetInstance().Execute(line);
}

void ConsoleManager::ScrollBy(int lines) {
    const int oldest = std::max(static_cast<int>(mHistory.size()) - 1, 0);
    mScroll = std::clamp(mScroll + lines, 0, oldest);
}

void ConsoleManager::SetVisible(bool visible) {
    mVisible = visible;
    if (visible) mActive = true;
}

std::string ConsoleManager::GetInputLine() const {
    const std::string line = ">" + mInput + (mBlink < 0.5 ? "_" : " ");
    return line.size() > kLineLength ? line.substr(line.size() - kLineLength) : line;
}

void ConsoleManager::Draw(Graphics::Renderer& renderer, int width, int height) const {
    Graphics::FontManager& fonts = Graphics::FontManager::GetInstance();
    const Graphics::Font* font = fonts.GetFont(kFontName);
    if (!font || width <= 0 || height <= 0) return;
    const double lineHeight = font->mLineHeight > 0 ? font->mLineHeight : 16.0;
    const double bottom = std::floor(height * (1.0 - kPanelShare));
    Graphics::Batch& panel =
        renderer.GetBatch(Graphics::kPrimitiveQuads, nullptr, kPanelLayer, 8, Graphics::kBlendAlpha);
    panel.AddRect(0.0, width, bottom, height, kPanelColor);
    panel.AddRect(0.0, width, bottom - 1.0, bottom, kEdgeColor);
    double y = bottom + lineHeight * 0.25;
    fonts.DrawText(renderer, font, GetInputLine(), kMargin, y, Graphics::kAlignLeft, kTextLayer, kTextColor);
    // Newest at the bottom, mScroll lines back, as many as fit above the input line.
    for (int index = static_cast<int>(mHistory.size()) - 1 - mScroll; index >= 0; --index) {
        y += lineHeight;
        if (y + lineHeight > height) break;
        fonts.DrawText(renderer, font, mHistory[static_cast<size_t>(index)], kMargin, y, Graphics::kAlignLeft,
                       kTextLayer, kTextColor);
    }
}

void ConsoleManager::RegisterBindings(lua_State* state) {
    Script::ScriptManager::SetTableFunction(state, "Engine", "Console", ScriptConsole);
}

int ConsoleManager::ScriptConsole(lua_State* state) {
    ConsoleManager& console = GetInstance();
    if (lua_gettop(state) >= 1) console.SetVisible(lua_toboolean(state, 1) != 0);
    lua_pushboolean(state, console.IsVisible() ? 1 : 0);
    return 1;
}

} // namespace Velmora::Debug
