// Arbitrary bytes as XML: the typed values of the root element are read, read back through a
// cursor with every target type, and each value is written and read again. Writing must give
// XML that reads back as one value of the same type, and a second round must change nothing.

#include "core/ValueCursor.h"
#include "fuzz/FuzzValues.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

using namespace Velmora;

namespace {

enum class Kind : int { A, B };

void ReadAs(const ValueList& values, int target) {
    ValueCursor cursor(values);
    std::string text;
    double number = 0;
    int integer = 0;
    bool flag = false;
    Kind kind = Kind::A;
    Vector2 vector;
    Color color;
    // One past the end as well, to take the defaults.
    for (size_t i = 0; i <= values.size(); ++i) {
        switch ((target + static_cast<int>(i)) % 7) {
            case 0:
                cursor >> text;
                break;
            case 1:
                cursor >> number;
                break;
            case 2:
                cursor >> integer;
                break;
            case 3:
                cursor >> flag;
                break;
            case 4:
                cursor >> kind;
                break;
            case 5:
                cursor >> vector;
                break;
            default:
                cursor >> color;
                break;
        }
    }
    if (!cursor.IsAtEnd()) std::abort();
}

std::string Write(const Value& value) {
    std::ostringstream out;
    WriteValue(out, value);
    return out.str();
}

Value ReadOne(const std::string& xml, ValueType expected) {
    TiXmlDocument document;
    ParseXmlText("<values>" + xml + "</values>", document);
    const TiXmlElement* root = document.RootElement();
    if (!root) std::abort();
    ValueList values;
    if (!ReadValues(*root, values) || values.size() != 1 || values[0].GetType() != expected) std::abort();
    return values[0];
}

void RoundTrip(const Value& value) {
    if (value.Is(ValueType::Nil)) return; // written, but not readable by design
    const std::string first = Write(value);
    const Value once = ReadOne(first, value.GetType());
    const Value twice = ReadOne(Write(once), value.GetType());
    if (Write(once) != Write(twice)) std::abort();
    const bool exact = value.Is(ValueType::Integer) || value.Is(ValueType::Color);
    if (exact && !(once == value)) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ValueList values;
    if (!Tests::ReadRootValues(data, size, values)) return 0;
    for (int target = 0; target < 7; ++target) ReadAs(values, target);
    for (const Value& value : values) RoundTrip(value);
    return 0;
}
