#pragma once

#include <cstdint>
#include <set>

namespace Velmora {

/// Second base of every concrete component class T: keeps the set of live T objects, ordered by
/// creation, so that systems reach all components of one type without walking entities (for
/// example every body). Creation order rather than address order makes every walk over the set
/// the same from run to run, which a recorded run needs to replay to the same state. A T enters
/// the set when it is constructed and leaves it when deleted; since entities are deleted only
/// between deliveries (after a logic tick, at the end of the frame), the set does not shrink
/// while messages are delivered (it may grow).
template <class T>
class TComponent {
public:
    /// Orders instances by their creation serial.
    struct ByCreation {
        bool operator()(const T* a, const T* b) const { return SerialOf(a) < SerialOf(b); }
    };
    /// The live instances, oldest first.
    using InstanceSet = std::set<T*, ByCreation>;

    /// Every live T, oldest first.
    static const InstanceSet& GetInstances() { return Instances(); }

protected:
    TComponent() : mSerial(NextSerial()) { Instances().insert(Self()); }
    ~TComponent() { Instances().erase(Self()); }
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

private:
    static uint64_t NextSerial() {
        static uint64_t next = 0;
        return ++next;
    }
#if defined(__clang__) || defined(__GNUC__)
    __attribute__((no_sanitize("vptr")))
#endif
    static uint64_t
    SerialOf(const T* instance) {
        return static_cast<const TComponent*>(instance)->mSerial;
    }
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

    uint64_t mSerial; // set before the instance enters the set, which orders by it
};

} // namespace Velmora
