#pragma once

#include "game/Medal.h"

#include <memory>
#include <string>
#include <vector>

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Interface {
class WButtonCallback;
class Widget;
class WidgetRoot;
} // namespace Velmora::Interface

namespace Velmora::Logic {

/// How a level attempt ended, as the level-end panel tells it.
struct ResultSummary {
    bool mWon = false;
    double mSeconds = 0.0;       ///< the level clock at the end
    Medal mMedal = Medal::kNone; ///< earned by the time (wins only)
    bool mLastLevel = false;     ///< the campaign's last level: a win completes the campaign
};

/// The panel the play screen shows when a level ends, in the play screen's widget tree: its
/// button ("Next Mission", "Continue" after the campaign's last level, "Try Again") centred in
/// the window, and above it for a win the time, the medal and, after the last level, word that
/// the campaign is complete; all over a dark band across the window.
class ResultPanel {
public:
    static constexpr int kBandLayer = 1999; ///< just under the widgets (2000)

    /// The button's label.
    static const char* ButtonLabel(const ResultSummary& summary);
    /// The lines above the button, top first; none for a loss (the capture notice says it).
    static std::vector<std::string> InfoLines(const ResultSummary& summary);

    /// Replaces the tree's widgets with the panel; the button calls `callback`.
    static void Show(Interface::WidgetRoot& root, const ResultSummary& summary,
                     std::unique_ptr<Interface::WButtonCallback> callback);
    /// Places the panel for a window of width × height (the window may change any frame).
    static void Arrange(Interface::WidgetRoot& root, int width, int height);
    /// The band, then the widgets.
    static void Draw(Interface::WidgetRoot& root, Graphics::Renderer& renderer, int width);
    /// The panel's button and info box (null when the tree holds no panel).
    static Interface::Widget* GetButton(const Interface::WidgetRoot& root);
    static Interface::Widget* GetInfo(const Interface::WidgetRoot& root);
};

} // namespace Velmora::Logic
