#pragma once

#include <string>

namespace Velmora::Debug {

class TweakBar;

/// Value types the tweak panel knows.
enum class TweakType { kBool, kDouble, kInt };

/// A named setting shown on the tweak panel. Owners keep it as a member and read it every time
/// they need the setting; it registers itself with the main panel when constructed and is never
/// removed (owners live to process exit).
class TweakVarBase {
public:
    /// Leaves the panel, so a variable of a short-lived owner never leaves a dangling address.
    virtual ~TweakVarBase();
    TweakVarBase(const TweakVarBase&) = delete;
    TweakVarBase& operator=(const TweakVarBase&) = delete;

    TweakBar* mBar = nullptr;
    std::string mKey;         ///< also the panel's variable name, e.g. "Graphics/mScaleFactor"
    std::string mDefinition;  ///< e.g. "group=Graphics label='Scale' min=1.0 max=30.0 step=.5"
    void* mAddress = nullptr; ///< where the panel reads and writes the value

protected:
    TweakVarBase(const std::string& key, const std::string& definition, TweakType type, void* address);
};

template <class T>
struct TweakTypeOf;
template <>
struct TweakTypeOf<bool> {
    static constexpr TweakType kType = TweakType::kBool;
};
template <>
struct TweakTypeOf<double> {
    static constexpr TweakType kType = TweakType::kDouble;
};
template <>
struct TweakTypeOf<int> {
    static constexpr TweakType kType = TweakType::kInt;
};

/// A tweak variable holding its value (bool, double or int).
template <class T>
class TweakVar : public TweakVarBase {
public:
    TweakVar(const std::string& key, const std::string& definition, T initial)
        : TweakVarBase(key, definition, TweakTypeOf<T>::kType, &mValue), mValue(initial) {}

    operator T() const { return mValue; }
    T Get() const { return mValue; }
    TweakVar& operator=(T value) {
        mValue = value;
        return *this;
    }

    T mValue;
};

/// A tweak variable over an int that lives elsewhere (the global log level).
template <>
class TweakVar<int&> : public TweakVarBase {
public:
    TweakVar(const std::string& key, const std::string& definition, int& value)
        : TweakVarBase(key, definition, TweakType::kInt, &value), mValue(value) {}

    operator int() const { return mValue; }
    int Get() const { return mValue; }
    TweakVar& operator=(int value) {
        mValue = value;
        return *this;
    }

    int& mValue;
};

} // namespace Velmora::Debug
