#pragma once

#include "interface/WButton.h"
#include "interface/WSelectorCallback.h"
#include "interface/WSingleContainer.h"

#include <cstdint>
#include <memory>

namespace Velmora::Interface {

/// Steps through options: a "-" button, the current option widget (its single child) and a
/// "+" button, in a row. The buttons call the callback's OnStep with 0 and 1; the callback shows
/// the new option with SetOption. The selector itself takes the keyboard and pad focus (its
/// buttons only take clicks), and left and right while focused work its "-" and "+" buttons.
/// Size: "-" + spacing + option + spacing + "+" wide (each at least its minimum), as high as
/// the tallest of the three.
class WSelector : public WSingleContainer {
public:
    static constexpr int32_t kSpacing = 10;
    static constexpr int32_t kButtonBorder = 5;

    /// Focusable; builds the two buttons (labels "-" and "+" in "menu_small", border 5).
    explicit WSelector(std::unique_ptr<WSelectorCallback> callback = nullptr, std::unique_ptr<Widget> option = nullptr);

    int32_t GetWidth() const override;
    int32_t GetHeight() const override;
    /// "-" button, "+" button, then the option.
    void Render(Graphics::Renderer& renderer, int layer) override;
    /// "-" at (0, 0); the option after it plus spacing, with minimum width min width − 2·spacing
    /// − both button widths and minimum height its own height; "+" after the option plus spacing.
    void Layout() override;
    /// Left and right work the buttons; focus changes light both buttons up (one hover sound).
    void OnEvent(WidgetEvent& event) override;
    /// "-", the option (when there is one) and "+", in that order, for event delivery and focus
    /// searches.
    unsigned GetChildCount() const override { return mChild ? 3u : 2u; }
    Widget* GetChild(unsigned index) const override;

    /// Replaces the option widget, lays the selector out and then its ancestors (the option's
    /// size may have changed). Returns the option.
    Widget* SetOption(std::unique_ptr<Widget> option);
    /// The current option widget, or null.
    Widget* GetOption() const { return mChild.get(); }
    /// Tells the callback to step: 0 previous, 1 next.
    void Step(int32_t direction);

    std::unique_ptr<WSelectorCallback> mCallback; ///< may be null
    std::unique_ptr<WButton> mMinus;
    std::unique_ptr<WButton> mPlus;
    int32_t mSpacing = kSpacing;

private:
    std::unique_ptr<WButton> MakeButton(const char* text, int32_t direction);
};

} // namespace Velmora::Interface
