#include "core/Component.h"

#include "core/IComponentCreator.h"

namespace Velmora {

Component::~Component() {
    if (mCreator) mCreator->Release(this);
}

} // namespace Velmora
