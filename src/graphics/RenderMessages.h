#pragma once

#include "core/Message.h"

namespace Velmora::Graphics {

class Renderer;

/// The world pass, broadcast by the graphics manager under the world view; receivers add their
/// vertices to mRenderer's batches.
class MessageRenderWorld : public Message {
    VELMORA_MESSAGE(MessageRenderWorld)
    explicit MessageRenderWorld(Renderer* renderer) : mRenderer(renderer) {}
    Renderer* mRenderer; ///< the graphics manager's renderer; not owned
};

/// The overlay pass in window pixels (menus, heads-up display, text), broadcast after the world.
class MessageRenderOverlay : public Message {
    VELMORA_MESSAGE(MessageRenderOverlay)
    explicit MessageRenderOverlay(Renderer* renderer) : mRenderer(renderer) {}
    Renderer* mRenderer; ///< the graphics manager's renderer; not owned
};

/// The world pass as delivered to every entity; components draw on it.
class MessageRender : public Message {
    VELMORA_MESSAGE(MessageRender)
    explicit MessageRender(Renderer* renderer) : mRenderer(renderer) {}
    Renderer* mRenderer; ///< the graphics manager's renderer; not owned
};

} // namespace Velmora::Graphics
