#pragma once

namespace Velmora::Interface {

class WButton;

/// What a button does when activated (clicked, Enter or pad A while focused). Owned by the button.
class WButtonCallback {
public:
    virtual ~WButtonCallback() = default;
    /// Called after the activation sound has been started. May change or clear the widget tree.
    virtual void Invoke(WButton& button) = 0;
};

} // namespace Velmora::Interface
