#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class TiXmlDocument;

namespace Velmora {

/// Largest XML file the game reads (a 1024 × 1024 level is a few megabytes).
constexpr size_t kMaxXmlFileBytes = 32u << 20;

/// Deepest element nesting any reader accepts. TinyXML parses, and later frees, nested elements
/// recursively, so a text nested some ten thousand levels deep would overflow the stack (and
/// take seconds before that); the game's own files nest four levels at most.
constexpr int kMaxXmlDepth = 256;

/// How deeply TinyXML nests elements when ParseXmlText hands it this text, found in one linear
/// pass that follows TinyXML's own grammar (comments, CDATA, declarations, quoted attribute
/// values, UTF-8 sequences). Never less than the depth TinyXML reaches; on text that TinyXML
/// rejects it may be more. The pass ends early once the depth exceeds stopAbove.
int XmlNestingDepth(std::string_view text, int stopAbove = kMaxXmlDepth);

/// Reads and parses an XML file into document. False when the file cannot be read, is larger
/// than kMaxXmlFileBytes, or does not parse; document.ErrorDesc() then says why. Use this instead
/// of TiXmlDocument::LoadFile, which reads past its buffer on text ending inside a UTF-8 sequence
/// and has no bound on nesting.
bool LoadXmlFile(const std::string& path, TiXmlDocument& document);

/// Parses XML text into document (an embedded NUL ends the text), always as UTF-8 whatever its
/// declaration says. False when it does not parse or nests deeper than kMaxXmlDepth; the
/// latter is logged on "CORE" with name (a path, or what the text is) and refused unparsed.
bool ParseXmlText(std::string_view text, TiXmlDocument& document, std::string_view name = "XML text");

/// Text made safe as element content of a file without an encoding declaration (read back as
/// UTF-8): '&', '<' and '>' escaped, valid UTF-8 sequences kept, any other byte of 0x80 or more
/// written as '?' (a stray lead byte would swallow the markup after it) and the control
/// characters XML cannot hold left out.
std::string EscapeXmlText(std::string_view text);

} // namespace Velmora
