#include "debug/TweakBar.h"

namespace Velmora::Debug {

void TweakBar::AddVariable(const std::string& key, const std::string& definition, TweakType type, void* address) {
    const auto it = mVariables.find(key);
    if (it != mVariables.end()) mShadowed[key].push_back(it->second);
    mVariables[key] = Variable{definition, type, address};
}

void TweakBar::RemoveVariable(const std::string& key, const void* address) {
    std::vector<Variable>& older = mShadowed[key];
    const auto it = mVariables.find(key);
    if (it != mVariables.end() && it->second.mAddress == address) {
        if (older.empty())
            mVariables.erase(it);
        else {
            it->second = older.back();
            older.pop_back();
        }
    } else {
        std::erase_if(older, [address](const Variable& variable) { return variable.mAddress == address; });
    }
    if (older.empty()) mShadowed.erase(key);
}

const TweakBar::Variable* TweakBar::FindVariable(const std::string& key) const {
    const auto it = mVariables.find(key);
    return it == mVariables.end() ? nullptr : &it->second;
}

} // namespace Velmora::Debug
