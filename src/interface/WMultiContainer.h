#pragma once

#include "interface/Widget.h"

#include <memory>
#include <vector>

namespace Velmora::Interface {

/// A widget with any number of children (owned), kept in the order they were added. Sizes are
/// left to the concrete class.
class WMultiContainer : public Widget {
public:
    /// Appends the child (parent and root set) and lays out.
    Widget* AddChild(std::unique_ptr<Widget> child) override;
    /// Deletes every child.
    void ClearChildren() override;
    unsigned GetChildCount() const override { return static_cast<unsigned>(mChildren.size()); }
    /// The child at the index, or null past the end.
    Widget* GetChild(unsigned index) const override;
    /// Renders the children in order.
    void Render(Graphics::Renderer& renderer, int layer) override;

protected:
    std::vector<std::unique_ptr<Widget>> mChildren;
};

} // namespace Velmora::Interface
