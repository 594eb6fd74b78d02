// The depth of a TinyXML tree, for checking the nesting limit of the XML reader against it.
#pragma once

#include <tinyxml.h>

#include <algorithm>

namespace Velmora::Tests {

/// The deepest element of a parsed (or partly parsed) document, walked without recursion.
inline int TreeDepth(const TiXmlDocument& document) {
    int depth = 0, deepest = 0;
    const TiXmlNode* node = document.FirstChild();
    while (node) {
        if (node->ToElement()) deepest = std::max(deepest, depth + 1);
        if (node->FirstChild() && node->ToElement()) {
            node = node->FirstChild();
            ++depth;
            continue;
        }
        while (node && !node->NextSibling()) {
            node = node->Parent();
            if (node && node->ToElement()) --depth;
            if (node == &document) node = nullptr;
        }
        if (node) node = node->NextSibling();
    }
    return deepest;
}

} // namespace Velmora::Tests
