#pragma once

#include "interface/WButtonCallback.h"
#include "interface/WSingleContainer.h"
#include "interface/WidgetLook.h"

#include <AL/al.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace Velmora::Interface {

/// A clickable, focusable framed box around one child (usually a WLabel). Hovering or
/// focusing it plays "SFX/UI/lowblip.ogg" and animates its frame to cyan (hovered) or white
/// (focused), thick; leaving animates back to thin green. Activating it (a click, or Enter or
/// pad A while focused) plays "SFX/UI/midblip.ogg" and invokes the callback. A screen may give
/// the button a look of its own (SetLook) instead of those colours.
/// Size: the child's area + 2·border on each axis (0 × 0 without a child).
class WButton : public WSingleContainer {
public:
    static constexpr int32_t kDefaultBorder = 10;
    static constexpr const char* kHoverSound = "SFX/UI/lowblip.ogg";
    static constexpr const char* kActivateSound = "SFX/UI/midblip.ogg";
    static constexpr double kHighlightSeconds = 0.15;  ///< towards cyan or white
    static constexpr double kNormalSeconds = 0.35;     ///< back to green
    static constexpr double kHighlightFrame = 3.0;     ///< frame thickness factor when highlighted

    /// Clickable and focusable; loads its two sounds from the audio manager. border: pixels
    /// between the frame's outside and the child.
    explicit WButton(std::unique_ptr<WButtonCallback> callback = nullptr, int32_t border = kDefaultBorder);
    /// A button around a WLabel of the text in the named font.
    static std::unique_ptr<WButton> MakeLabelled(const std::string& text, std::unique_ptr<WButtonCallback> callback,
                                                 const std::string& font = "menu", int32_t border = kDefaultBorder);

    int32_t GetWidth() const override;
    int32_t GetHeight() const override;
    /// The framed box (scalars 1 and 2 scale it about the area's centre, colour 2 frames it
    /// 4·scalar 3 pixels thick around a black fill at 0.8 of the alpha), then the child.
    void Render(Graphics::Renderer& renderer, int layer) override;
    /// The child at (border, border) with minimum (min width − 2·border, min height − 2·border).
    void Layout() override;
    /// Enter and focus: hover sound and new look; leave and focus lost: new look; activate:
    /// activation sound, then the callback.
    void OnEvent(WidgetEvent& event) override;

    /// Replaces the callback (the old one is deleted).
    void SetCallback(std::unique_ptr<WButtonCallback> callback) { mCallback = std::move(callback); }
    /// Replaces the running look animation by one towards the look of the current state.
    void RefreshLook();
    /// Gives the button a look of its own (see WidgetLook): its style takes the face of the
    /// current state at once, and the fill is drawn in colour 3.
    void SetLook(const WidgetLook& look);
    const std::optional<WidgetLook>& GetLook() const { return mLook; }

    std::unique_ptr<WButtonCallback> mCallback;  ///< may be null
    const ALuint* mHoverSoundHandle = nullptr;     ///< owned by the audio manager
    const ALuint* mActivateSoundHandle = nullptr;  ///< owned by the audio manager
    int32_t mBorder;

private:
    /// Through the root's sound player when in a tree, else straight to the audio manager.
    void PlaySound(const ALuint* handle) const;
    Style LookTarget(double& seconds) const;

    std::optional<WidgetLook> mLook;
};

} // namespace Velmora::Interface
