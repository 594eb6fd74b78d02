#pragma once

namespace Velmora {

class Message;

/// An engine system (a manager). Systems are singletons registered with the Game in a fixed
/// order; every broadcast message reaches them in that order. The base does nothing.
class ISystem {
public:
    virtual ~ISystem() = default;
    /// Called once after all systems are registered, or at once when registered later.
    virtual void Initialize() {}
    /// Called at shutdown, in reverse registration order.
    virtual void Deinitialize() {}
    /// Receives every broadcast message.
    virtual void HandleMessage(Message&) {}
};

} // namespace Velmora
