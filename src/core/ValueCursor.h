#pragma once

#include "core/Value.h"

#include <cstddef>
#include <string>
#include <type_traits>

namespace Velmora {

/// A read position in a ValueList. Components read their data in a fixed order with stream
/// extractions: `cursor >> speed >> colour >> name;`
///
/// Rules of every read:
/// - at the end of the list the target receives the type's default and the cursor stays put;
/// - otherwise the cursor advances by one, and the target is assigned only when the value's
///   type matches; on a mismatch the target keeps its previous content.
///
/// | target      | matching value types        | default at the end   |
/// |-------------|-----------------------------|----------------------|
/// | std::string | string                      | ""                   |
/// | double      | double; integer (converted) | 0.0                  |
/// | int         | integer                     | 0                    |
/// | bool        | integer (true if not 0)     | false                |
/// | enumeration | integer                     | 0                    |
/// | Vector2     | vector                      | (0, 0)               |
/// | Color       | color                       | 0xFFFFFFFF           |
///
/// The cursor does not own the list; the list must outlive it and must not change under it.
class ValueCursor {
public:
    /// A cursor at the start of the list.
    explicit ValueCursor(const ValueList& list) : mList(&list) {}
    /// A cursor at the start of the list; null behaves as an empty list.
    explicit ValueCursor(const ValueList* list) : mList(list) {}

    /// True when every value has been read (always true for an empty or null list).
    bool IsAtEnd() const { return !mList || mIndex >= mList->size(); }
    /// Index of the next value to be read.
    std::size_t GetIndex() const { return mIndex; }
    /// The next value without reading it; null at the end.
    const Value* Peek() const { return IsAtEnd() ? nullptr : &(*mList)[mIndex]; }

    /// One read each, by the rules in the table above; all return the cursor so reads chain.
    ValueCursor& operator>>(std::string& target);
    ValueCursor& operator>>(double& target);
    ValueCursor& operator>>(int& target);
    ValueCursor& operator>>(bool& target);
    ValueCursor& operator>>(Vector2& target);
    ValueCursor& operator>>(Color& target);

    /// Any enumeration, read as an integer and then stored. Use enumerations with a fixed
    /// underlying type (enum class, or `enum X : int`) so that every integer a data file holds is
    /// a valid value of the type; the component checks the range before acting on it.
    template <class Enum>
    requires std::is_enum_v<Enum> ValueCursor& operator>>(Enum& target) {
        int number = IsAtEnd() ? 0 : static_cast<int>(target);
        *this >> number;
        target = static_cast<Enum>(number);
        return *this;
    }

private:
    /// The value under the cursor, moving past it; null at the end (the cursor stays).
    const Value* Next();

    const ValueList* mList;
    std::size_t mIndex = 0;
};

} // namespace Velmora
