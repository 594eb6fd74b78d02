#pragma once

#include "interface/Widget.h"

#include <memory>

namespace Velmora::Interface {

/// A widget with at most one child (owned). Adding a child replaces (and deletes) the previous
/// one and lays the container out. Sizes are left to the concrete class.
class WSingleContainer : public Widget {
public:
    /// Deletes the previous child, stores the new one (parent and root set) and lays out.
    Widget* AddChild(std::unique_ptr<Widget> child) override;
    /// Deletes the child.
    void ClearChildren() override;
    /// 1 with a child, else 0.
    unsigned GetChildCount() const override { return mChild ? 1u : 0u; }
    /// The child, whatever the index; null without one.
    Widget* GetChild(unsigned) const override { return mChild.get(); }
    /// Renders the child.
    void Render(Graphics::Renderer& renderer, int layer) override;

protected:
    std::unique_ptr<Widget> mChild;
};

} // namespace Velmora::Interface
