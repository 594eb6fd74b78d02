#include "core/ValueCursor.h"

namespace Velmora {

const Value* ValueCursor::Next() {
    if (IsAtEnd()) return nullptr;
    return &(*mList)[mIndex++];
}

ValueCursor& ValueCursor::operator>>(std::string& target) {
    const Value* value = Next();
    if (!value)
        target.clear();
    else if (value->Is(ValueType::String))
        target = value->GetString();
    return *this;
}

ValueCursor& ValueCursor::operator>>(double& target) {
    const Value* value = Next();
    if (!value)
        target = 0.0;
    else if (value->Is(ValueType::Double))
        target = value->GetDouble();
    else if (value->Is(ValueType::Integer))
        target = value->GetInteger();
    return *this;
}

ValueCursor& ValueCursor::operator>>(int& target) {
    const Value* value = Next();
    if (!value)
        target = 0;
    else if (value->Is(ValueType::Integer))
        target = value->GetInteger();
    return *this;
}

ValueCursor& ValueCursor::operator>>(bool& target) {
    const Value* value = Next();
    if (!value)
        target = false;
    else if (value->Is(ValueType::Integer))
        target = value->GetInteger() != 0;
    return *this;
}

ValueCursor& ValueCursor::operator>>(Vector2& target) {
    const Value* value = Next();
    if (!value)
        target = Vector2();
    else if (value->Is(ValueType::Vector))
        target = value->GetVector();
    return *this;
}

ValueCursor& ValueCursor::operator>>(Color& target) {
    const Value* value = Next();
    if (!value)
        target = Color(0xFFFFFFFFu);
    else if (value->Is(ValueType::Color))
        target = value->GetColor();
    return *this;
}

} // namespace Velmora
