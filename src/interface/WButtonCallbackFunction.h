#pragma once

#include "interface/WButtonCallback.h"

namespace Velmora::Interface {

/// A button callback that calls a plain function with the button and a stored user pointer
/// (not owned).
class WButtonCallbackFunction : public WButtonCallback {
public:
    /// The plain function: the activated button and the stored user pointer.
    using Function = void (*)(WButton& button, void* user);

    /// A callback calling `function` (null: nothing) with `user`.
    WButtonCallbackFunction(Function function, void* user) : mFunction(function), mUser(user) {}

    void Invoke(WButton& button) override {
        if (mFunction) mFunction(button, mUser);
    }

    Function mFunction;
    void* mUser;
};

} // namespace Velmora::Interface
