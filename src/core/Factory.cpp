#include "core/Factory.h"

#include "core/Component.h"
#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Game.h"
#include "core/LogRecord.h"
#include "core/ParseNumber.h"
#include "core/Path.h"
#include "core/ValueCursor.h"
#include "core/ValueXml.h"
#include "core/XmlFile.h"

#include <tinyxml.h>

namespace Velmora {

Factory& Factory::GetInstance() {
    static Factory* instance = new Factory();  // lives to process exit
    return *instance;
}

Factory::Factory() : Factory(ComponentFactory::GetInstance(), EntityManager::GetInstance()) {}

Factory::Factory(ComponentFactory& components, EntityManager& entities)
    : mComponents(components), mEntities(entities) {}

void Factory::Initialize() { LoadManifest(Game::GetInstance().DataPath("object", "manifest.xml")); }

void Factory::LoadManifest(const std::string& path) {
    TiXmlDocument document;
    if (!LoadXmlFile(path, document)) {
        VELMORA_FATAL << path << " not found";
        return;
    }
    const TiXmlElement* root = document.RootElement();
    if (!root || root->ValueStr() != "manifest") {
        VELMORA_FATAL << path << " is missing root <manifest> element";
        return;
    }
    const std::string folder = ParentPath(path);
    for (const TiXmlElement* entry = root->FirstChildElement("archetype"); entry;
         entry = entry->NextSiblingElement("archetype")) {
        const std::string name = entry->GetText() ? entry->GetText() : "";
        const bool editable = ParseInteger(entry->Attribute("editable")) != 0;
        if (!IsPlainName(name)) {
            VELMORA_LOG("CORE") << "Archetype name refused, it would lead out of " << folder << ": `" << name << "`";
        }
        if (!IsPlainName(name) || !LoadArchetype(name, JoinPath(folder, name + ".xml"), editable)) {
            VELMORA_FATAL << "Failed to register archetype: " << name;
            return;
        }
    }
}

bool Factory::LoadArchetype(const std::string& name, const std::string& path, bool editable) {
    TiXmlDocument document;
    if (!LoadXmlFile(path, document)) {
        VELMORA_LOG("CORE") << "Failed to load archetype  `" << name << "`: " << path << ": " << document.ErrorDesc();
        return false;
    }
    Archetype archetype{name, {}, editable};
    // A value list that stops early keeps what was read; the component data simply ends there.
    if (const TiXmlElement* element = document.FirstChildElement("archetype")) ReadValues(*element, archetype.mValues);
    mArchetypes.try_emplace(name, std::move(archetype));
    return true;
}

Entity* Factory::Create(const std::string& name, const ValueList* instance) {
    const Archetype* archetype = FindArchetype(name);
    if (!archetype) {
        VELMORA_LOG("CORE") << "Cannot find archetype `" << name << "`";
        return nullptr;
    }
    // Owned by the entity manager from here on: spawned, or destroyed and deleted at frame end.
    Entity* entity = new Entity(++mNextId, &mEntities);
    if (!BuildComponents(*archetype, *entity)) {
        entity->Destroy();
        return nullptr;
    }
    entity->Spawn(instance);
    return entity;
}

bool Factory::BuildComponents(const Archetype& archetype, Entity& entity) {
    ValueCursor cursor(archetype.mValues);
    while (!cursor.IsAtEnd()) {
        // A fresh string each time: a value that is not a string reads as an empty name.
        std::string componentName;
        cursor >> componentName;
        Component* component = mComponents.Create(componentName, &entity, cursor);
        if (!component) {
            VELMORA_LOG("CORE") << "Resource `" << archetype.mName << "` wants component `" << componentName
                                << "` which does not exist";
            return false;
        }
        entity.AddComponent(component);
    }
    return true;
}

const Archetype* Factory::FindArchetype(const std::string& name) const {
    const auto it = mArchetypes.find(name);
    return it == mArchetypes.end() ? nullptr : &it->second;
}

std::vector<const Archetype*> Factory::GetArchetypes() const {
    std::vector<const Archetype*> archetypes;
    archetypes.reserve(mArchetypes.size());
    for (const auto& [name, archetype] : mArchetypes) archetypes.push_back(&archetype);
    return archetypes;
}

} // namespace Velmora
