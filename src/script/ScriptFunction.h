#pragma once

namespace Velmora::Script {

/// A compiled Lua chunk kept in the script manager's registry, released when this object goes.
/// Move-only. A function compiled in a state that has since been closed is simply forgotten.
class ScriptFunction {
public:
    /// Lua's reference value for "nothing".
    static constexpr int kNoReference = -2;

    /// No function.
    ScriptFunction() = default;
    /// Takes over a registry reference made in the state of that generation.
    ScriptFunction(int reference, unsigned generation) : mReference(reference), mGeneration(generation) {}
    ~ScriptFunction();
    ScriptFunction(ScriptFunction&& other) noexcept;
    ScriptFunction& operator=(ScriptFunction&& other) noexcept;
    ScriptFunction(const ScriptFunction&) = delete;
    ScriptFunction& operator=(const ScriptFunction&) = delete;

    /// True while a function is held.
    bool IsValid() const { return mReference >= 0; }
    /// The registry reference (kNoReference when none).
    int GetReference() const { return mReference; }
    /// The script state generation the reference belongs to.
    unsigned GetGeneration() const { return mGeneration; }
    /// Releases the reference now; the object then holds nothing.
    void Release();

private:
    int mReference = kNoReference;
    unsigned mGeneration = 0;
};

} // namespace Velmora::Script
