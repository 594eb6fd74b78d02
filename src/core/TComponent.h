#pragma once

#include <set>

namespace Velmora {

/// Second base of every concrete component class T: keeps the set of live T objects, ordered by
/// address, so that systems reach all components of one type without walking entities (for
/// example every body). A T enters the set when it is constructed and leaves it when deleted;
/// since entities are deleted only at the end of the frame, the set does not shrink while a
/// frame's messages are delivered (it may grow).
template <class T>
class TComponent {
public:
    /// The live instances, ordered by address.
    using InstanceSet = std::set<T*>;

    /// Every live T, in address order.
    static const InstanceSet& GetInstances() { return Instances(); }

protected:
    TComponent() { Instances().insert(Self()); }
    ~TComponent() { Instances().erase(Self()); }
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

private:
    static InstanceSet& Instances() {
        static InstanceSet instances;
        return instances;
    }

    // Only the address is taken: while this base is built or torn down the object's dynamic type
    // is still (or again) Component, which UBSan's vptr check would report for this down-cast.
#if defined(__clang__) || defined(__GNUC__)
    __attribute__((no_sanitize("vptr")))
#endif
    T*
    Self() {
        return static_cast<T*>(this);
    }
};

} // namespace Velmora
