#pragma once

// Components for the entity and factory tests. Each records what happens to it in one shared
// journal as "ComponentName#entityId.Event", so tests can check orders across entities.

#include "core/Color.h"
#include "core/Component.h"
#include "core/Entity.h"
#include "core/Message.h"
#include "core/TComponent.h"
#include "core/ValueCursor.h"
#include "core/Vector2.h"

#include <functional>
#include <string>
#include <vector>

namespace Velmora::Tests {

inline std::vector<std::string>& Journal() {
    static std::vector<std::string> journal;
    return journal;
}

class RecordingComponent : public Component {
public:
    explicit RecordingComponent(Entity* owner) : Component(owner) {}
    ~RecordingComponent() override { Record("deleted"); }
    void HandleMessage(Message& message) override {
        Record(message.GetName());
        if (mOnMessage) mOnMessage(message);
    }
    void Initialize() override { Record("Initialize"); }
    void Deinitialize() override { Record("Deinitialize"); }
    void Load(ValueCursor&) override { Record("Load"); }
    void LoadInstance(ValueCursor&) override { Record("LoadInstance"); }

    void Record(const std::string& event) const {
        Journal().push_back(mName + "#" + std::to_string(mOwner ? mOwner->GetId() : 0) + "." + event);
    }

    /// Runs after the message has been recorded.
    std::function<void(Message&)> mOnMessage;

protected:
    std::string mName; // GetName is pure virtual in the base and cannot be called from the destructor
};

/// Reads no archetype data.
class ComponentAlpha : public RecordingComponent, public TComponent<ComponentAlpha> {
    VELMORA_COMPONENT(ComponentAlpha)
public:
    explicit ComponentAlpha(Entity* owner) : RecordingComponent(owner) { mName = StaticName(); }
};

/// Reads a double and a string from the archetype.
class ComponentBeta : public RecordingComponent, public TComponent<ComponentBeta> {
    VELMORA_COMPONENT(ComponentBeta)
public:
    explicit ComponentBeta(Entity* owner) : RecordingComponent(owner) { mName = StaticName(); }
    void Load(ValueCursor& cursor) override {
        RecordingComponent::Load(cursor);
        cursor >> mSpeed >> mLabel;
    }
    void LoadInstance(ValueCursor& cursor) override {
        RecordingComponent::LoadInstance(cursor);
        cursor >> mInstancePosition;
    }

    double mSpeed = -1.0;
    std::string mLabel = "unset";
    Vector2 mInstancePosition{-1.0, -1.0};
};

/// Reads an integer from the archetype and a position and colour from the instance data.
class ComponentGamma : public RecordingComponent, public TComponent<ComponentGamma> {
    VELMORA_COMPONENT(ComponentGamma)
public:
    explicit ComponentGamma(Entity* owner) : RecordingComponent(owner) { mName = StaticName(); }
    void Load(ValueCursor& cursor) override {
        RecordingComponent::Load(cursor);
        cursor >> mCount;
    }
    void LoadInstance(ValueCursor& cursor) override {
        RecordingComponent::LoadInstance(cursor);
        cursor >> mPosition >> mTint;
    }

    int mCount = -1;
    Vector2 mPosition{-1.0, -1.0};
    Color mTint{0u};
};

} // namespace Velmora::Tests
