#pragma once

#include "graphics/VideoMode.h"
#include "interface/WSelectorCallback.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Velmora::Interface {
class Widget;
}

namespace Velmora::Logic {

/// The graphics page's resolution selector: steps through a list of video modes, wrapping at
/// both ends, shows the chosen one as "WIDTH x HEIGHT" and stores its width and height where the
/// menu reads them when the page is left.
class ResolutionCallback : public Interface::WSelectorCallback {
public:
    /// modes: the candidates, in the order shown; current: the mode shown first (it need not be
    /// in the list); width, height: where a chosen mode is stored (not owned; they outlive the
    /// selector).
    ResolutionCallback(std::vector<Graphics::VideoMode> modes, const Graphics::VideoMode& current, int& width,
                       int& height);

    /// Moves to the previous (0) or next (1) mode, stores its size and shows it.
    void OnStep(Interface::WSelector& selector, int32_t direction) override;

    /// A label widget showing the mode currently selected.
    std::unique_ptr<Interface::Widget> MakeOption() const;
    /// "WIDTH x HEIGHT".
    static std::string Label(const Graphics::VideoMode& mode);
    /// The mode currently selected.
    const Graphics::VideoMode& GetSelected() const { return mSelected; }

private:
    std::vector<Graphics::VideoMode> mModes;
    Graphics::VideoMode mSelected;
    int mIndex; // of mSelected in mModes; −1 while it is the starting mode from outside the list
    int& mWidth;
    int& mHeight;
};

} // namespace Velmora::Logic
