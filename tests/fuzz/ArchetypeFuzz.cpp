// Arbitrary bytes through the factory's loading: once as an archetype file listed by a fixed
// manifest, once as the manifest itself. Fatal errors (a broken file) throw out of the factory and
// are caught here; whatever loads is built into an entity, spawned with the archetype's values
// as instance data, sent a message, destroyed and deleted.

#include "core/Component.h"
#include "core/ComponentFactory.h"
#include "core/EntityManager.h"
#include "core/Factory.h"
#include "core/FrameMessages.h"
#include "core/TComponent.h"
#include "core/ValueCursor.h"
#include "fuzz/FuzzSupport.h"

#include <fstream>

using namespace Velmora;

namespace {

enum class Mode : int { Idle, Run };

// Reads one value of every target type from the archetype, and the instance data to its end.
class ComponentReader : public Component, public TComponent<ComponentReader> {
    VELMORA_COMPONENT(ComponentReader)
public:
    explicit ComponentReader(Entity* owner) : Component(owner) {}
    void Load(ValueCursor& cursor) override {
        cursor >> mText >> mNumber >> mInteger >> mFlag >> mMode >> mVector >> mColor;
    }
    void LoadInstance(ValueCursor& cursor) override {
        while (!cursor.IsAtEnd()) cursor >> mText >> mVector;
    }
    void HandleMessage(Message&) override { mNumber += mVector.Normalized().Length(); }

    std::string mText;
    double mNumber = 0;
    int mInteger = 0;
    bool mFlag = false;
    Mode mMode = Mode::Idle;
    Vector2 mVector;
    Color mColor;
};

// Reads nothing, and destroys its entity on the first message.
class ComponentQuiet : public Component, public TComponent<ComponentQuiet> {
    VELMORA_COMPONENT(ComponentQuiet)
public:
    explicit ComponentQuiet(Entity* owner) : Component(owner) {}
    void HandleMessage(Message&) override { mOwner->Destroy(); }
};

// Loads the manifest and builds, ticks and destroys every archetype it loaded; nothing may remain.
void LoadAndBuild(const std::string& manifest) {
    ComponentFactory components;
    components.Register<ComponentReader>();
    components.Register<ComponentQuiet>();
    EntityManager entities;
    Factory factory(components, entities);
    try {
        factory.LoadManifest(manifest);
    } catch (const Tests::FuzzFatal&) {
        return;
    }
    for (const Archetype* archetype : factory.GetArchetypes()) {
        Entity* entity = factory.Create(archetype->mName, &archetype->mValues);
        if (!entity) continue;
        MessageUpdateLogic tick(1.0 / 60.0);
        entities.SendToAll(tick);
        entities.SendToAll(tick);
        entity->Destroy();
    }
    MessageEndFrame end;
    entities.HandleMessage(end);
    if (entities.GetEntityCount() != 0 || !ComponentReader::GetInstances().empty()) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // In one folder a fixed manifest lists the fuzzed fuzz.xml; in the other the fuzzed manifest
    // may list a fixed fuzz.xml.
    static const std::string archetypeCase = Tests::ScratchFolder("archetype") + "/archetype";
    static const std::string manifestCase = Tests::ScratchFolder("archetype") + "/manifest";
    [[maybe_unused]] static const bool ready = [] {
        std::filesystem::create_directories(archetypeCase);
        std::filesystem::create_directories(manifestCase);
        std::ofstream(archetypeCase + "/manifest.xml")
            << "<manifest><archetype editable='1'>fuzz</archetype></manifest>";
        std::ofstream(manifestCase + "/fuzz.xml")
            << "<archetype><string>ComponentReader</string><string>x</string></archetype>";
        return Tests::QuietLog(Tests::FuzzFatalThrows);
    }();
    Tests::WriteInput(archetypeCase + "/fuzz.xml", data, size);
    LoadAndBuild(archetypeCase + "/manifest.xml");
    LoadAndBuild(Tests::WriteInput(manifestCase + "/manifest.xml", data, size));
    return 0;
}
