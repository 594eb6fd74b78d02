// Shared by the fuzz targets that read component data: arbitrary bytes as an XML text whose root
// element holds typed values.
#pragma once

#include "core/ValueXml.h"
#include "core/XmlFile.h"

#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace Velmora::Tests {

/// The typed values of the root element of the bytes read as XML; false when there is none.
inline bool ReadRootValues(const uint8_t* data, size_t size, ValueList& values) {
    TiXmlDocument document;
    ParseXmlText(std::string_view(reinterpret_cast<const char*>(data), size), document);
    const TiXmlElement* root = document.RootElement();
    if (!root) return false;
    ReadValues(*root, values);
    return true;
}

} // namespace Velmora::Tests
