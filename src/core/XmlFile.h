#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class TiXmlDocument;

namespace Velmora {

/// Largest XML file the game reads (a 1024 × 1024 level is a few megabytes).
constexpr size_t kMaxXmlFileBytes = 32u << 20;

/// Deepest nesting of elements the game reads; deeper text is refused before TinyXML, which
/// parses nested elements recursively, could run out of stack.
constexpr size_t kMaxXmlDepth = 256;

/// Reads and parses an XML file into document. False when the file cannot be read, is larger
/// than kMaxXmlFileBytes, or does not parse; document.ErrorDesc() then says why. Use this instead
/// of TiXmlDocument::LoadFile, which reads past its buffer on text ending inside a UTF-8 sequence.
bool LoadXmlFile(const std::string& path, TiXmlDocument& document);

/// Parses XML text into document (an embedded NUL ends the text). False when it does not parse
/// or nests deeper than kMaxXmlDepth.
bool ParseXmlText(std::string_view text, TiXmlDocument& document);

/// Text made safe as element content of a file without an encoding declaration (read back as
/// UTF-8): '&', '<' and '>' escaped, valid UTF-8 sequences kept, any other byte of 0x80 or more
/// written as '?' (a stray lead byte would swallow the markup after it) and the control
/// characters XML cannot hold left out.
std::string EscapeXmlText(std::string_view text);

} // namespace Velmora
