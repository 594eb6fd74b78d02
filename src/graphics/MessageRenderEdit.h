#pragma once

#include "core/Message.h"

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Editor {

/// The editor's world pass as delivered to every entity: components that exist only for level
/// designers (trigger zones, waypoints) draw their markers on it, so they show only while editing.
class MessageRenderEdit : public Message {
    VELMORA_MESSAGE(MessageRenderEdit)
    explicit MessageRenderEdit(Graphics::Renderer* renderer) : mRenderer(renderer) {}
    Graphics::Renderer* mRenderer; ///< the graphics manager's renderer; not owned
};

} // namespace Velmora::Editor
