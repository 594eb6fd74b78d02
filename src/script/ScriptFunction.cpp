#include "script/ScriptFunction.h"

#include "script/ScriptManager.h"

#include <utility>

namespace Velmora::Script {

ScriptFunction::~ScriptFunction() { Release(); }

ScriptFunction::ScriptFunction(ScriptFunction&& other) noexcept
    : mReference(std::exchange(other.mReference, kNoReference)), mGeneration(other.mGeneration) {}

ScriptFunction& ScriptFunction::operator=(ScriptFunction&& other) noexcept {
    if (this != &other) {
        Release();
        mReference = std::exchange(other.mReference, kNoReference);
        mGeneration = other.mGeneration;
    }
    return *this;
}

void ScriptFunction::Release() {
    if (!IsValid()) return;
    ScriptManager::GetInstance().ReleaseReference(mReference, mGeneration);
    mReference = kNoReference;
}

} // namespace Velmora::Script
