#pragma once

#include "debug/TweakBar.h"
#include "debug/TweakDefinition.h"

#include <string>
#include <utility>
#include <vector>

namespace Velmora::Debug {

class TweakPanel;

/// Lays out one tweak panel as an ImGui window titled with the panel's title. Variables are
/// read from the panel's map every frame, so a variable registered at any time shows at once.
/// Ungrouped variables come first; then one collapsing header per group, groups in the order in
/// which they first appear among the keys (keys are sorted), variables in key order within a
/// group. Each variable shows its label (its key when it has none) and edits its owner's value
/// in place: bool as a checkbox, double and int as a drag box (double-click or Ctrl+click to
/// type) bounded by the definition's min and max and moving by its step.
class TweakBarWindow {
public:
    struct Entry {
        const std::string* mKey;
        const TweakBar::Variable* mVariable;
        TweakDefinition mDefinition;
    };
    using Group = std::pair<std::string, std::vector<Entry>>;

    /// Builds the window between TweakPanel::BeginFrame and EndFrame; index staggers the first
    /// position of several panels.
    static void Draw(const std::string& barKey, const TweakBar& bar, int index, TweakPanel& panel);

    /// The panel's variables grouped as drawn: the ungrouped ones under the empty name first.
    static std::vector<Group> GroupVariables(const TweakBar& bar);

    /// Drag speed (value change per pixel) and the printf format for a numeric variable.
    static double DragSpeed(const TweakDefinition& definition, bool isInt);
    static std::string DoubleFormat(const TweakDefinition& definition);
};

} // namespace Velmora::Debug
