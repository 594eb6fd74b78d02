#include "interface/WSingleContainer.h"

namespace Velmora::Interface {

Widget* WSingleContainer::AddChild(std::unique_ptr<Widget> child) {
    if (!child) return nullptr;
    Discard(std::move(mChild));
    Adopt(*child);
    mChild = std::move(child);
    Layout();
    return mChild.get();
}

void WSingleContainer::ClearChildren() { Discard(std::move(mChild)); }

void WSingleContainer::Render(Graphics::Renderer& renderer, int layer) {
    if (mChild) mChild->Render(renderer, layer);
}

} // namespace Velmora::Interface
