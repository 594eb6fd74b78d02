#pragma once

#include "core/Color.h"
#include "core/Vector2.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace Velmora {

/// The type tag of a Value; the numbers are part of the data model.
enum class ValueType : int32_t {
    Nil = 0,
    String = 1,
    Double = 2,
    Integer = 3,
    Vector = 4,
    Color = 5,
};

/// One typed value of component data: nil, string, double, 32-bit integer, vector or packed
/// colour. A Value owns its string; copying a value copies it. The constructors are implicit so
/// that lists can be written as { "ComponentSprite", 1.5, 3, Vector2(1, 2) }.
class Value {
public:
    /// A nil value.
    Value() = default;
    /// A string value (owns a copy of the text).
    Value(std::string text) : mData(std::move(text)) {}
    /// A string value; null reads as the empty string.
    Value(const char* text) : mData(std::string(text ? text : "")) {}
    /// A double value.
    Value(double number) : mData(number) {}
    /// An integer value.
    Value(int32_t number) : mData(number) {}
    /// A vector value.
    Value(const Vector2& vector) : mData(vector) {}
    /// A colour value (all four channels are kept in memory; the XML form has no alpha).
    Value(Color color) : mData(color) {}

    /// The type tag.
    ValueType GetType() const { return static_cast<ValueType>(mData.index()); }
    /// True when the value has that type.
    bool Is(ValueType type) const { return GetType() == type; }

    /// The payload when the value has that type; otherwise the type's zero ("", 0.0, 0, (0, 0),
    /// opaque white). Components read through a ValueCursor instead, which applies the reading
    /// rules (integer to double conversion, keeping the target on a mismatch).
    const std::string& GetString() const;
    double GetDouble() const;
    int32_t GetInteger() const;
    Vector2 GetVector() const;
    Color GetColor() const;

    /// Same type and same payload.
    bool operator==(const Value& other) const = default;

private:
    // The alternatives are in ValueType order, so index() is the tag.
    std::variant<std::monostate, std::string, double, int32_t, Vector2, Color> mData;
};

/// An ordered list of typed values: an archetype's data or a level entity's spawn data.
using ValueList = std::vector<Value>;

} // namespace Velmora
