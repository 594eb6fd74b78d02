#include "debug/TweakPanel.h"

#include <GL/glew.h>
#include <GL/glx.h>
#include <backends/imgui_impl_opengl2.h>
#include <imgui.h>

#include <algorithm>
#include <cstdint>

namespace Velmora::Debug {

namespace {

// SDL 1.2 buttons 1 left, 2 middle, 3 right; ImGui 0 left, 1 right, 2 middle.
int ImGuiButton(int sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT:
            return 0;
        case SDL_BUTTON_RIGHT:
            return 1;
        case SDL_BUTTON_MIDDLE:
            return 2;
        default:
            return -1;
    }
}

void MapKeys(ImGuiIO& io) {
    io.KeyMap[ImGuiKey_Tab] = SDLK_TAB;
    io.KeyMap[ImGuiKey_LeftArrow] = SDLK_LEFT;
    io.KeyMap[ImGuiKey_RightArrow] = SDLK_RIGHT;
    io.KeyMap[ImGuiKey_UpArrow] = SDLK_UP;
    io.KeyMap[ImGuiKey_DownArrow] = SDLK_DOWN;
    io.KeyMap[ImGuiKey_PageUp] = SDLK_PAGEUP;
    io.KeyMap[ImGuiKey_PageDown] = SDLK_PAGEDOWN;
    io.KeyMap[ImGuiKey_Home] = SDLK_HOME;
    io.KeyMap[ImGuiKey_End] = SDLK_END;
    io.KeyMap[ImGuiKey_Insert] = SDLK_INSERT;
    io.KeyMap[ImGuiKey_Delete] = SDLK_DELETE;
    io.KeyMap[ImGuiKey_Backspace] = SDLK_BACKSPACE;
    io.KeyMap[ImGuiKey_Space] = SDLK_SPACE;
    io.KeyMap[ImGuiKey_Enter] = SDLK_RETURN;
    io.KeyMap[ImGuiKey_Escape] = SDLK_ESCAPE;
    io.KeyMap[ImGuiKey_KeyPadEnter] = SDLK_KP_ENTER;
    io.KeyMap[ImGuiKey_A] = SDLK_a;
    io.KeyMap[ImGuiKey_C] = SDLK_c;
    io.KeyMap[ImGuiKey_V] = SDLK_v;
    io.KeyMap[ImGuiKey_X] = SDLK_x;
    io.KeyMap[ImGuiKey_Y] = SDLK_y;
    io.KeyMap[ImGuiKey_Z] = SDLK_z;
}

// The OpenGL2 backend restores most fixed-function state itself. What it leaves alone and the
// game may have set (a shader program, buffer objects, another texture unit) is saved here and
// put back; glPushAttrib covers the current colour and the client arrays. GLEW's version flags
// are only set once the graphics manager has initialised GLEW; before that nobody can have
// bound programs or buffers.
struct SavedGlState {
    bool mShaders = false, mBuffers = false, mUnits = false;
    GLint mProgram = 0, mArrayBuffer = 0, mElementBuffer = 0;
    GLint mActiveUnit = GL_TEXTURE0, mClientUnit = GL_TEXTURE0;

    void Save() {
        mShaders = GLEW_VERSION_2_0;
        mBuffers = GLEW_VERSION_1_5;
        mUnits = GLEW_VERSION_1_3;
        if (mShaders) {
            glGetIntegerv(GL_CURRENT_PROGRAM, &mProgram);
            glUseProgram(0);
        }
        if (mBuffers) {
            glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &mArrayBuffer);
            glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &mElementBuffer);
            glBindBuffer(GL_ARRAY_BUFFER, 0);
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
        }
        if (mUnits) {
            glGetIntegerv(GL_ACTIVE_TEXTURE, &mActiveUnit);
            glGetIntegerv(GL_CLIENT_ACTIVE_TEXTURE, &mClientUnit);
            glActiveTexture(GL_TEXTURE0);
            glClientActiveTexture(GL_TEXTURE0);
        }
    }

    void Restore() const {
        if (mUnits) {
            glActiveTexture(static_cast<GLenum>(mActiveUnit));
            glClientActiveTexture(static_cast<GLenum>(mClientUnit));
        }
        if (mBuffers) {
            glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(mArrayBuffer));
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLuint>(mElementBuffer));
        }
        if (mShaders) glUseProgram(static_cast<GLuint>(mProgram));
    }
};

} // namespace

TweakPanel::~TweakPanel() { Destroy(); }

void TweakPanel::Create(int width, int height) {
    if (mContext != nullptr) return;
    IMGUI_CHECKVERSION();
    mContext = ImGui::CreateContext();
    ImGui::SetCurrentContext(mContext);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr; // the panel keeps no files; it opens where it always opens
    io.LogFilename = nullptr;
    io.BackendPlatformName = "velmora_sdl12";
    MapKeys(io);
    ImGui::StyleColorsDark();
    ImGui_ImplOpenGL2_Init();
    CreateFontTexture();
    SetDisplaySize(width, height);
    mLastTicks = SDL_GetTicks();
}

void TweakPanel::Destroy() {
    if (mContext == nullptr) return;
    ImGui::SetCurrentContext(mContext);
    if (mFontTexture != 0 && FontTextureSurvived()) glDeleteTextures(1, &mFontTexture);
    mFontTexture = 0;
    // The backend never made a texture of its own (we own the font texture), so its shutdown
    // touches no GL object.
    ImGui_ImplOpenGL2_Shutdown();
    ImGui::DestroyContext(mContext);
    mContext = nullptr;
    mWindowRects.clear();
    mItemRects.clear();
    ResetInput();
}

void TweakPanel::SetDisplaySize(int width, int height) {
    if (mContext == nullptr) return;
    ImGui::GetIO().DisplaySize =
        ImVec2(static_cast<float>(std::max(width, 0)), static_cast<float>(std::max(height, 0)));
    // When the mode change replaced the GL context, the old texture name means nothing (or,
    // worse, names one of the game's new textures): forget it without deleting it.
    if (mFontTexture != 0 && !FontTextureSurvived()) mFontTexture = 0;
    if (mFontTexture == 0) CreateFontTexture();
}

void TweakPanel::CreateFontTexture() {
    if (glXGetCurrentContext() == nullptr) return; // made later, when a frame is drawn
    ImGuiIO& io = ImGui::GetIO();
    unsigned char* pixels = nullptr;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &mFontWidth, &mFontHeight);
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glGenTextures(1, &mFontTexture);
    glBindTexture(GL_TEXTURE_2D, mFontTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, mFontWidth, mFontHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glPopClientAttrib();
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
    io.Fonts->SetTexID(reinterpret_cast<ImTextureID>(static_cast<intptr_t>(mFontTexture)));
    mFontContext = glXGetCurrentContext();
}

// Same GL context, and the name still holds a texture of the atlas's size.
bool TweakPanel::FontTextureSurvived() const {
    if (glXGetCurrentContext() == nullptr || glXGetCurrentContext() != mFontContext) return false;
    if (glIsTexture(mFontTexture) != GL_TRUE) return false;
    GLint previous = 0, width = 0, height = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    glBindTexture(GL_TEXTURE_2D, mFontTexture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
    return width == mFontWidth && height == mFontHeight;
}

bool TweakPanel::IsOverPanel(float x, float y) const {
    return std::any_of(mWindowRects.begin(), mWindowRects.end(),
                       [x, y](const Rect& rect) { return rect.Contains(x, y); });
}

bool TweakPanel::HandleEvent(const SDL_Event& event) {
    if (mContext == nullptr) return false;
    ImGuiIO& io = ImGui::GetIO();
    switch (event.type) {
        case SDL_MOUSEMOTION:
            io.MousePos = ImVec2(event.motion.x, event.motion.y);
            return IsOverPanel(io.MousePos.x, io.MousePos.y) || mButtonsCaptured.any();
        case SDL_MOUSEBUTTONDOWN:
            return HandleButton(event.button, true);
        case SDL_MOUSEBUTTONUP:
            return HandleButton(event.button, false);
        case SDL_KEYDOWN:
            return HandleKey(event.key, true);
        case SDL_KEYUP:
            return HandleKey(event.key, false);
        default:
            return false;
    }
}

bool TweakPanel::HandleButton(const SDL_MouseButtonEvent& event, bool down) {
    ImGuiIO& io = ImGui::GetIO();
    io.MousePos = ImVec2(event.x, event.y);
    const bool over = IsOverPanel(io.MousePos.x, io.MousePos.y);
    if (event.button == SDL_BUTTON_WHEELUP || event.button == SDL_BUTTON_WHEELDOWN) {
        if (down && over) io.MouseWheel += event.button == SDL_BUTTON_WHEELUP ? 1.0f : -1.0f;
        return over;
    }
    const int button = ImGuiButton(event.button);
    if (button < 0) return over;
    if (down) {
        io.MouseDown[button] = true;
        mButtonsUnseen.set(static_cast<size_t>(button));
        mButtonsReleaseLater.reset(static_cast<size_t>(button));
        if (over) mButtonsCaptured.set(static_cast<size_t>(button));
        return over;
    }
    if (mButtonsUnseen.test(static_cast<size_t>(button)))
        mButtonsReleaseLater.set(static_cast<size_t>(button));
    else
        io.MouseDown[button] = false;
    // A release belongs to whoever got the press: a drag that began on the panel ends there.
    const bool captured = mButtonsCaptured.test(static_cast<size_t>(button));
    mButtonsCaptured.reset(static_cast<size_t>(button));
    return captured;
}

bool TweakPanel::HandleKey(const SDL_KeyboardEvent& event, bool down) {
    ImGuiIO& io = ImGui::GetIO();
    const SDLMod mod = event.keysym.mod;
    io.KeyCtrl = (mod & KMOD_CTRL) != 0;
    io.KeyShift = (mod & KMOD_SHIFT) != 0;
    io.KeyAlt = (mod & KMOD_ALT) != 0;
    io.KeySuper = (mod & KMOD_META) != 0;
    const int key = event.keysym.sym;
    if (key > 0 && key < kKeyCount) {
        if (down) {
            io.KeysDown[key] = true;
            mKeysUnseen.set(static_cast<size_t>(key));
            mKeysReleaseLater.reset(static_cast<size_t>(key));
        } else if (mKeysUnseen.test(static_cast<size_t>(key))) {
            mKeysReleaseLater.set(static_cast<size_t>(key));
        } else {
            io.KeysDown[key] = false;
        }
    }
    const Uint16 character = event.keysym.unicode;
    if (down && character >= 32 && character != 127) io.AddInputCharacterUTF16(character);
    return io.WantCaptureKeyboard || io.WantTextInput;
}

void TweakPanel::ResetInput() {
    mButtonsUnseen.reset();
    mButtonsReleaseLater.reset();
    mButtonsCaptured.reset();
    mKeysUnseen.reset();
    mKeysReleaseLater.reset();
    if (mContext == nullptr) return;
    ImGuiIO& io = ImGui::GetIO();
    std::fill(std::begin(io.MouseDown), std::end(io.MouseDown), false);
    std::fill(std::begin(io.KeysDown), std::end(io.KeysDown), false);
    io.KeyCtrl = io.KeyShift = io.KeyAlt = io.KeySuper = false;
}

void TweakPanel::ApplyDeferredReleases() {
    ImGuiIO& io = ImGui::GetIO();
    for (size_t i = 0; i < kButtonCount; ++i) {
        if (mButtonsReleaseLater.test(i)) io.MouseDown[i] = false;
    }
    for (size_t i = 0; i < kKeyCount; ++i) {
        if (mKeysReleaseLater.test(i)) io.KeysDown[i] = false;
    }
    mButtonsUnseen.reset();
    mButtonsReleaseLater.reset();
    mKeysUnseen.reset();
    mKeysReleaseLater.reset();
}

void TweakPanel::BeginFrame() {
    ImGui::SetCurrentContext(mContext);
    if (mFontTexture == 0) CreateFontTexture();
    const uint32_t now = SDL_GetTicks();
    // ImGui needs a positive step; two frames in one millisecond still advance a little.
    ImGui::GetIO().DeltaTime = std::max(static_cast<float>(now - mLastTicks) / 1000.0f, 1.0e-4f);
    mLastTicks = now;
    ImGui::NewFrame();
    ApplyDeferredReleases();
    mWindowRects.clear();
    mItemRects.clear();
}

void TweakPanel::EndFrame() {
    ImGui::Render();
    SavedGlState saved;
    saved.Save();
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
    glPopClientAttrib();
    glPopAttrib();
    saved.Restore();
}

void TweakPanel::NoteWindowRect() {
    const ImVec2 position = ImGui::GetWindowPos();
    const ImVec2 size = ImGui::GetWindowSize();
    mWindowRects.push_back(Rect{position.x, position.y, position.x + size.x, position.y + size.y});
}

void TweakPanel::NoteItemRect(const std::string& key) {
    const ImVec2 min = ImGui::GetItemRectMin();
    const ImVec2 max = ImGui::GetItemRectMax();
    mItemRects[key] = Rect{min.x, min.y, max.x, max.y};
}

const TweakPanel::Rect* TweakPanel::FindItemRect(const std::string& key) const {
    const auto it = mItemRects.find(key);
    return it == mItemRects.end() ? nullptr : &it->second;
}

} // namespace Velmora::Debug
