// Arbitrary bytes as XML: the typed values of the root element are read as a ghost's archetype
// data and as its spawn data. The reading must end (at the end of the data or just past an
// "EndBehaviors"), build at most one behaviour per name read, and the list must then run, take
// messages and clear without trouble.

#include "ai/ComponentGhost.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/FrameMessages.h"
#include "core/ValueCursor.h"
#include "core/ValueXml.h"

#include <tinyxml.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

using namespace Velmora;

namespace {

// Reads two values, like a behaviour with parameters; finishes after a few steps.
class FuzzBehavior : public Ai::Behavior {
public:
    using Behavior::Behavior;
    void Deserialize(ValueCursor& cursor) override { cursor >> mSeconds >> mName; }
    bool Update(double) override { return mElapsed > mSeconds; }
    double mSeconds = 0.0;
    std::string mName;
};

size_t CountStrings(const ValueList& values) {
    size_t count = 0;
    for (const Value& value : values) count += value.Is(ValueType::String) ? 1 : 0;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TiXmlDocument document;
    document.Parse(text.c_str());
    const TiXmlElement* root = document.RootElement();
    if (!root) return 0;
    ValueList values;
    ReadValues(*root, values);

    Ai::ComponentGhost::SetBehaviorFactory([](const std::string& name, uint32_t entity) -> std::unique_ptr<Ai::Behavior> {
        if (name != "BehaviorPatrol" && name != "BehaviorGuard") return nullptr;
        return std::make_unique<FuzzBehavior>(entity);
    });
    EntityManager manager;
    Entity entity(1, &manager);
    Ai::ComponentGhost ghost(&entity);
    ValueCursor cursor(values);
    ghost.Load(cursor);
    const size_t stop = cursor.GetIndex();
    const bool afterEnd = stop > 0 && values[stop - 1].Is(ValueType::String) && values[stop - 1].GetString() == "EndBehaviors";
    if (!cursor.IsAtEnd() && !afterEnd) std::abort();
    if (ghost.mActions.GetCount() > CountStrings(values)) std::abort();

    ValueCursor instance(values);
    ghost.LoadInstance(instance);
    if (ghost.mWaypointNames.size() != values.size()) std::abort();

    for (int step = 0; step < 4; ++step) {
        MessageUpdateLogic tick(0.25);
        ghost.HandleMessage(tick);
        MessageBeginFrame other;
        ghost.HandleMessage(other);
    }
    ghost.Deinitialize();
    if (!ghost.mActions.IsEmpty()) std::abort();
    Ai::ComponentGhost::SetBehaviorFactory(nullptr);
    return 0;
}
