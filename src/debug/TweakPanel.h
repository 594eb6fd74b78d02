#pragma once

#include <SDL.h>

#include <bitset>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct ImGuiContext;

namespace Velmora::Debug {

/// The Dear ImGui side of the tweak panels: the ImGui context, our adapter from SDL 1.2 events
/// to ImGui's input, the font texture and the OpenGL 2 rendering (through ImGui's OpenGL2
/// backend, with the GL state the game relies on put back afterwards). TweakBarManager owns one
/// and builds the panel windows between BeginFrame and EndFrame.
class TweakPanel {
public:
    /// A screen rectangle in window pixels, origin at the top-left (SDL's and ImGui's convention).
    struct Rect {
        float mLeft = 0.0f, mTop = 0.0f, mRight = 0.0f, mBottom = 0.0f;
        bool Contains(float x, float y) const { return x >= mLeft && x < mRight && y >= mTop && y < mBottom; }
        float CenterX() const { return 0.5f * (mLeft + mRight); }
        float CenterY() const { return 0.5f * (mTop + mBottom); }
    };

    TweakPanel() = default;
    ~TweakPanel();
    TweakPanel(const TweakPanel&) = delete;
    TweakPanel& operator=(const TweakPanel&) = delete;

    /// Creates the ImGui context (no ini file) and the font texture. Needs a current GL context;
    /// does nothing when already created.
    void Create(int width, int height);
    /// Frees the font texture and the ImGui context. The GL context must still be current.
    void Destroy();
    bool IsCreated() const { return mContext != nullptr; }

    /// The window's size in pixels; called after every video-mode change. A font texture that
    /// did not survive the change (a new GL context) is made again.
    void SetDisplaySize(int width, int height);

    /// Feeds one SDL event to ImGui; true when the panel uses it (a mouse event over a panel
    /// window or belonging to a drag that began there, a key while ImGui edits a value).
    bool HandleEvent(const SDL_Event& event);
    /// Forgets held buttons and keys (the panel was hidden and missed their release).
    void ResetInput();

    /// Starts an ImGui frame; build windows with ImGui calls, then call EndFrame.
    void BeginFrame();
    /// Records the current ImGui window's rectangle, to route mouse events (inside Begin/End).
    void NoteWindowRect();
    /// Records the rectangle of the last ImGui item under a key (for tests and tools).
    void NoteItemRect(const std::string& key);
    /// Renders the frame into the current framebuffer and restores the GL state.
    void EndFrame();

    /// Panel windows drawn in the last frame.
    const std::vector<Rect>& GetWindowRects() const { return mWindowRects; }
    /// Where the item noted under key was drawn in the last frame, or null.
    const Rect* FindItemRect(const std::string& key) const;

private:
    static constexpr int kKeyCount = 512;
    static constexpr int kButtonCount = 3;

    bool IsOverPanel(float x, float y) const;
    bool HandleButton(const SDL_MouseButtonEvent& event, bool down);
    bool HandleKey(const SDL_KeyboardEvent& event, bool down);
    void ApplyDeferredReleases();
    void CreateFontTexture();
    bool FontTextureSurvived() const;

    ImGuiContext* mContext = nullptr;
    unsigned int mFontTexture = 0;
    const void* mFontContext = nullptr; ///< the GL context the font texture was made in
    int mFontWidth = 0;
    int mFontHeight = 0;
    uint32_t mLastTicks = 0;

    // A press and its release can arrive between two frames; ImGui 1.86 only samples the held
    // state each frame, so a release is held back until a frame has seen the press.
    std::bitset<kButtonCount> mButtonsUnseen, mButtonsReleaseLater, mButtonsCaptured;
    std::bitset<kKeyCount> mKeysUnseen, mKeysReleaseLater;

    std::vector<Rect> mWindowRects;
    std::map<std::string, Rect> mItemRects;
};

} // namespace Velmora::Debug
