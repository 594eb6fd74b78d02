#pragma once

#include "core/Component.h"
#include "core/IComponentCreator.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace Velmora {

/// The creator of components of class T (which must declare VELMORA_COMPONENT and take its
/// owner in its constructor). Keeps a record of the live components it made; each leaves the
/// record when it is deleted.
template <class T>
class ComponentCreator : public IComponentCreator {
public:
    /// T's static name.
    const std::string& GetName() const override { return T::StaticName(); }

    /// A new T for the owner, recorded until it is deleted.
    Component* Create(Entity* owner) override {
        T* component = new T(owner);
        component->mCreator = this;
        mCreated.push_back(component);
        return component;
    }

    /// Forgets a component this creator made.
    void Release(Component* component) override {
        const auto it = std::find(mCreated.begin(), mCreated.end(), component);
        if (it == mCreated.end()) return;
        *it = mCreated.back(); // the record's order means nothing
        mCreated.pop_back();
    }

    /// Number of live components made by this creator.
    std::size_t GetCreatedCount() const { return mCreated.size(); }

private:
    std::vector<Component*> mCreated;
};

} // namespace Velmora
