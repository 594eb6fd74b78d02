#include "debug/TweakBar.h"

namespace Velmora::Debug {

void TweakBar::AddVariable(const std::string& key, const std::string& definition, TweakType type, void* address) {
    mVariables[key] = Variable{definition, type, address};
}

const TweakBar::Variable* TweakBar::FindVariable(const std::string& key) const {
    const auto it = mVariables.find(key);
    return it == mVariables.end() ? nullptr : &it->second;
}

} // namespace Velmora::Debug
