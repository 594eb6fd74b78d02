// Arbitrary bytes through the factory's loading: once as an archetype file listed by a fixed
// manifest, once as the manifest itself. Fatal errors (a broken file) throw out of the factory and
// are caught here; whatever loads is built into an entity, spawned with the archetype's values
// as instance data, sent a message, destroyed and deleted.

#include "core/Component.h"
#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Factory.h"
#include "core/FrameMessages.h"
#include "core/LogRecord.h"
#include "core/TComponent.h"
#include "core/ValueCursor.h"
#include "fuzz/ScratchFile.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace Velmora;

namespace {

struct FuzzFatal {};

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

void WriteFile(const std::string& path, const std::string& text) {
    Tests::WriteInput(path, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

struct Folders {
    std::string mArchetypeCase; // fixed manifest, fuzzed fuzz.xml
    std::string mManifestCase;  // fuzzed manifest, fixed fuzz.xml
};

const Folders& Setup() {
    static const Folders folders = [] {
        const std::string& root = Tests::ScratchFolder("archetype");
        Folders made{root + "/archetype", root + "/manifest"};
        std::filesystem::create_directories(made.mArchetypeCase);
        std::filesystem::create_directories(made.mManifestCase);
        WriteFile(made.mArchetypeCase + "/manifest.xml",
                  "<manifest><archetype editable='1'>fuzz</archetype></manifest>");
        WriteFile(made.mManifestCase + "/fuzz.xml",
                  "<archetype><string>ComponentReader</string><string>x</string></archetype>");
        LogRecord::SetCriticalHandler([](const std::string&) {});
        LogRecord::SetFatalHandler([] { throw FuzzFatal(); });
        return made;
    }();
    return folders;
}

void BuildEverything(Factory& factory, EntityManager& entities) {
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
}

void LoadAndBuild(const std::string& manifest) {
    ComponentFactory components;
    components.Register<ComponentReader>();
    components.Register<ComponentQuiet>();
    EntityManager entities;
    Factory factory(components, entities);
    try {
        factory.LoadManifest(manifest);
    } catch (const FuzzFatal&) {
        return;
    }
    BuildEverything(factory, entities);
    if (entities.GetEntityCount() != 0 || !ComponentReader::GetInstances().empty()) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Folders& folders = Setup();
    Tests::WriteInput(folders.mArchetypeCase + "/fuzz.xml", data, size);
    LoadAndBuild(folders.mArchetypeCase + "/manifest.xml");
    LoadAndBuild(Tests::WriteInput(folders.mManifestCase + "/manifest.xml", data, size));
    return 0;
}
