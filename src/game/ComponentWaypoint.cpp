#include "game/ComponentWaypoint.h"

#include "core/Entity.h"
#include "graphics/ComponentTransform.h"
#include "graphics/FontManager.h"
#include "graphics/MessageRenderEdit.h"
#include "world/LevelMessages.h"

namespace Velmora::Logic {

void ComponentWaypoint::HandleMessage(Message& message) {
    if (message.Is<MessageEndLevel>()) {
        mOwner->Destroy();
    } else if (const auto* render = MessageCast<Editor::MessageRenderEdit>(message)) {
        if (render->mRenderer) DrawLabel(*render->mRenderer);
    }
}

void ComponentWaypoint::Initialize() { mTransform = mOwner->GetComponent<Graphics::ComponentTransform>(); }

void ComponentWaypoint::DrawLabel(Graphics::Renderer& renderer) const {
    if (!mTransform || mOwner->GetName().empty()) return;
    Graphics::FontManager& fonts = Graphics::FontManager::GetInstance();
    const Graphics::Font* font = fonts.GetFont(kFontName);
    fonts.DrawTextScaled(renderer, font, mOwner->GetName(), mTransform->mPosition.x, mTransform->mPosition.y, 0,
                         kLabelScale, kLabelScale, kLabelColor);
}

} // namespace Velmora::Logic
