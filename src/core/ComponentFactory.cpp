#include "core/ComponentFactory.h"

#include "core/Component.h"
#include "core/LogRecord.h"

namespace Velmora {

ComponentFactory& ComponentFactory::GetInstance() {
    static ComponentFactory* instance = new ComponentFactory(); // lives to process exit
    return *instance;
}

bool ComponentFactory::Register(std::unique_ptr<IComponentCreator> creator) {
    if (!creator) return false;
    const std::string name = creator->GetName();
    return mCreators.try_emplace(name, std::move(creator)).second;
}

IComponentCreator* ComponentFactory::FindCreator(const std::string& name) const {
    const auto it = mCreators.find(name);
    return it == mCreators.end() ? nullptr : it->second.get();
}

Component* ComponentFactory::Create(const std::string& name, Entity* owner, ValueCursor& cursor) {
    IComponentCreator* creator = FindCreator(name);
    if (!creator) {
        VELMORA_LOG("CORE") << "Attempt to lookup non-existant component `" << name << "`";
        return nullptr;
    }
    Component* component = creator->Create(owner);
    component->Load(cursor);
    return component;
}

} // namespace Velmora
