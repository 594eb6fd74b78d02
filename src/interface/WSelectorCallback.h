#pragma once

#include <cstdint>

namespace Velmora::Interface {

class WSelector;

/// Steps a WSelector through its options; it shows the new option by giving the selector a new
/// option widget (WSelector::SetOption). Owned by the selector.
class WSelectorCallback {
public:
    virtual ~WSelectorCallback() = default;
    /// direction: 0 for "-" (previous), 1 for "+" (next).
    virtual void OnStep(WSelector& selector, int32_t direction) = 0;
};

} // namespace Velmora::Interface
