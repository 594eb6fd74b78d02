#include "game/ComponentParticleEmitter.h"

#include "core/Entity.h"
#include "graphics/ComponentTransform.h"

namespace Velmora::Logic {

void ComponentParticleEmitter::Initialize() { mTransform = mOwner->GetComponent<Graphics::ComponentTransform>(); }

} // namespace Velmora::Logic
