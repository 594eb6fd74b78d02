#include "core/ValueXml.h"

#include "core/ParseNumber.h"
#include "core/XmlFile.h"

#include <tinyxml.h>

#include <ostream>
#include <sstream>

namespace Velmora {

namespace {

const char* TextOf(const TiXmlElement& element) {
    const char* text = element.GetText();
    return text ? text : "";
}

uint8_t ReadChannel(const TiXmlElement& element, const char* name) {
    return static_cast<uint8_t>(ParseInteger(element.Attribute(name)) & 0xFF);
}

// False for an element name that is not a value type.
bool ReadValue(const TiXmlElement& element, Value& value) {
    const std::string& name = element.ValueStr();
    if (name == "string") {
        value = Value(std::string(TextOf(element)));
    } else if (name == "double") {
        value = Value(ParseDouble(element.GetText()));
    } else if (name == "integer") {
        value = Value(static_cast<int32_t>(ParseInteger(element.GetText())));
    } else if (name == "vector") {
        value = Value(Vector2(ParseDouble(element.Attribute("x")), ParseDouble(element.Attribute("y"))));
    } else if (name == "color") {
        value = Value(Color::FromRgba(ReadChannel(element, "red"), ReadChannel(element, "green"),
                                      ReadChannel(element, "blue"), 255));
    } else {
        return false;
    }
    return true;
}

} // namespace

bool ReadValues(const TiXmlElement& element, ValueList& values) {
    for (const TiXmlElement* child = element.FirstChildElement(); child; child = child->NextSiblingElement()) {
        values.emplace_back();
        if (!ReadValue(*child, values.back())) {
            values.pop_back();
            return false;
        }
    }
    return true;
}

void WriteValue(std::ostream& stream, const Value& value) {
    // A fresh stream gives the standard formatting whatever flags the caller's stream carries.
    std::ostringstream out;
    switch (value.GetType()) {
        case ValueType::Nil:
            out << "<nil/>";
            break;
        case ValueType::String:
            out << "<string>";
            // Valid UTF-8 only: a stray lead byte would swallow the closing tag when read back.
            out << EscapeXmlText(value.GetString());
            out << "</string>";
            break;
        case ValueType::Double:
            out << "<double>" << value.GetDouble() << "</double>";
            break;
        case ValueType::Integer:
            out << "<integer>" << value.GetInteger() << "</integer>";
            break;
        case ValueType::Vector: {
            const Vector2 vector = value.GetVector();
            out << "<vector x='" << vector.x << "' y='" << vector.y << "'/>";
            break;
        }
        case ValueType::Color: {
            const Color color = value.GetColor();
            out << "<color red='" << int(color.GetRed()) << "' green='" << int(color.GetGreen()) << "' blue='"
                << int(color.GetBlue()) << "'/>";
            break;
        }
    }
    stream << out.str();
}

} // namespace Velmora
