#pragma once

#include "debug/TweakVar.h"

#include <map>
#include <string>
#include <vector>

namespace Velmora::Debug {

/// One panel of tweak variables.
class TweakBar {
public:
    struct Variable {
        std::string mDefinition;
        TweakType mType;
        void* mAddress; ///< bool*, double* or int*; owned by the variable's owner
    };

    explicit TweakBar(std::string title) : mTitle(std::move(title)) {}

    /// Records a variable; once the panel exists it shows the variable at once.
    void AddVariable(const std::string& key, const std::string& definition, TweakType type, void* address);
    void SetVisible(bool visible) { mVisible = visible; }
    bool IsVisible() const { return mVisible; }
    /// Forgets the registration of that key at that address. When a second owner registered
    /// the same key (a test's own instance of a manager), the earlier one becomes active again.
    void RemoveVariable(const std::string& key, const void* address);
    /// Null when no variable of that key is registered.
    const Variable* FindVariable(const std::string& key) const;

    std::map<std::string, Variable> mVariables;             ///< in key order; the newest registration of each key
    std::map<std::string, std::vector<Variable>> mShadowed; ///< older registrations of a key
    std::string mTitle;
    bool mCreated = false; ///< the panel exists (a GL context was there to draw it)
    bool mVisible = false;
};

} // namespace Velmora::Debug
