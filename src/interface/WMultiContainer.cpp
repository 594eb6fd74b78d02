#include "interface/WMultiContainer.h"

namespace Velmora::Interface {

Widget* WMultiContainer::AddChild(std::unique_ptr<Widget> child) {
    if (!child) return nullptr;
    Adopt(*child);
    mChildren.push_back(std::move(child));
    Widget* added = mChildren.back().get();
    Layout();
    return added;
}

void WMultiContainer::ClearChildren() {
    std::vector<std::unique_ptr<Widget>> children = std::move(mChildren);
    mChildren.clear();
    for (std::unique_ptr<Widget>& child : children) Discard(std::move(child));
}

Widget* WMultiContainer::GetChild(unsigned index) const {
    return index < mChildren.size() ? mChildren[index].get() : nullptr;
}

void WMultiContainer::Render(Graphics::Renderer& renderer, int layer) {
    for (const std::unique_ptr<Widget>& child : mChildren) child->Render(renderer, layer);
}

} // namespace Velmora::Interface
