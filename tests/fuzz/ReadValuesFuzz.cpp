// Arbitrary bytes as XML: the typed values of the root element are read, read back through a
// cursor with every target type, and each value is written and read again. Writing must give
// XML that reads back as one value of the same type, and a second round must change nothing.

#include "core/ValueCursor.h"
#include "fuzz/FuzzSupport.h"

#include <functional>
#include <sstream>

using namespace Velmora;

namespace {

enum class Kind : int { A, B };

// Reads every value, and one past the end to take the defaults, with the target types in turn.
void ReadAs(const ValueList& values, int target) {
    ValueCursor cursor(values);
    std::string text;
    double number = 0;
    int integer = 0;
    bool flag = false;
    Kind kind = Kind::A;
    Vector2 vector;
    Color color;
    const std::function<void()> reads[] = {
        [&] { cursor >> text; }, [&] { cursor >> number; }, [&] { cursor >> integer; }, [&] { cursor >> flag; },
        [&] { cursor >> kind; }, [&] { cursor >> vector; }, [&] { cursor >> color; }};
    for (size_t i = 0; i <= values.size(); ++i) reads[(target + i) % 7]();
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
