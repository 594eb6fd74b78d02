#pragma once

#include "core/Value.h"

#include <iosfwd>

class TiXmlElement;

namespace Velmora {

/// Appends one value for each child element of `element`, in document order; comments and text
/// between them are skipped. Elements and what they read:
///   <string>text</string>                 the first child text, "" when there is none
///   <double>1.5</double>                  a decimal number (strtod-like: "1e3" is 1000), 0.0 without text
///   <integer>12</integer>                 a base-10 integer (strtol-like: "12abc" is 12), 0 without text
///   <vector x='1' y='2'/>                 doubles, 0 when an attribute is absent
///   <color red='' green='' blue=''/>      integers whose low 8 bits are kept, 0 when absent; alpha 255
/// Names are compared case-sensitively. Any other element (including <nil/>) stops the reading:
/// the values read so far stay in the list and false is returned. True when every child element
/// was understood.
bool ReadValues(const TiXmlElement& element, ValueList& values);

/// Writes one value's XML, with no whitespace around it: "<string>text</string>" (with &, < and >
/// escaped so that the text reads back; the XML reader condenses runs of blanks and trims them at
/// the ends, as for every text it reads), "<double>1.5</double>" (six significant
/// digits), "<integer>12</integer>", "<vector x='1' y='2'/>",
/// "<color red='255' green='0' blue='0'/>" (alpha is not written) or "<nil/>".
void WriteValue(std::ostream& stream, const Value& value);

} // namespace Velmora
