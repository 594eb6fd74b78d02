#pragma once

#include "interface/WButtonCallback.h"

#include <functional>
#include <memory>
#include <utility>

namespace Velmora::Interface {

/// A button callback that calls a std::function; the convenient form for screens:
///     button->SetCallback(WButtonCallbackLambda::Make([this](WButton&) { GoToPage(5); }));
class WButtonCallbackLambda : public WButtonCallback {
public:
    /// What the button does; it gets the activated button.
    using Function = std::function<void(WButton& button)>;

    /// A callback calling the function (empty: nothing).
    explicit WButtonCallbackLambda(Function function) : mFunction(std::move(function)) {}
    /// A new callback for the function, ready to hand to a button.
    static std::unique_ptr<WButtonCallback> Make(Function function) {
        return std::make_unique<WButtonCallbackLambda>(std::move(function));
    }

    void Invoke(WButton& button) override {
        if (mFunction) mFunction(button);
    }

    Function mFunction;
};

} // namespace Velmora::Interface
