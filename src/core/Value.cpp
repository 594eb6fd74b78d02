#include "core/Value.h"

namespace Velmora {

const std::string& Value::GetString() const {
    static const std::string empty;
    const std::string* text = std::get_if<std::string>(&mData);
    return text ? *text : empty;
}

double Value::GetDouble() const {
    const double* number = std::get_if<double>(&mData);
    return number ? *number : 0.0;
}

int32_t Value::GetInteger() const {
    const int32_t* number = std::get_if<int32_t>(&mData);
    return number ? *number : 0;
}

Vector2 Value::GetVector() const {
    const Vector2* vector = std::get_if<Vector2>(&mData);
    return vector ? *vector : Vector2();
}

Color Value::GetColor() const {
    const Color* color = std::get_if<Color>(&mData);
    return color ? *color : Color();
}

} // namespace Velmora
