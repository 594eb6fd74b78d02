#pragma once

#include "interface/WSelectorCallback.h"

#include <functional>
#include <utility>

namespace Velmora::Editor {

/// A selector callback that runs a function with the step's direction (0 previous, 1 next);
/// the function shows the new option itself.
class EditorSelectorCallback : public Interface::WSelectorCallback {
public:
    using Step = std::function<void(Interface::WSelector&, int32_t)>;

    /// Runs `step` on every press of the selector's buttons.
    explicit EditorSelectorCallback(Step step) : mStep(std::move(step)) {}
    /// Calls the function (nothing when it is empty).
    void OnStep(Interface::WSelector& selector, int32_t direction) override {
        if (mStep) mStep(selector, direction);
    }

private:
    Step mStep;
};

} // namespace Velmora::Editor
