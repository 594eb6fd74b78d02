#pragma once

struct lua_State;

namespace Velmora::Script {

/// The `Vector2` value type: `Vector2{x = 1, y = 2}` makes an object holding two numbers, whose
/// Serialize method (also its tostring) gives "Vector2{x=1, y=2}".
class ScriptVector2 {
public:
    /// Name of the objects' metatable in the registry.
    static constexpr const char* kTypeName = "Vector2";

    /// Registers the constructor and the type; call inside a protected call.
    static void Register(lua_State* state);

private:
    static int Create(lua_State* state);
    static int Serialize(lua_State* state);
};

} // namespace Velmora::Script
