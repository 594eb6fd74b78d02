// Arbitrary bytes through the one XML reader every file goes through. The nesting scan that
// guards TinyXML's recursion must never see less depth than TinyXML itself reaches, or a crafted
// file could slip a deep nesting past it; the parse it guards is checked on the same text.
#include "fuzz/FuzzSupport.h"
#include "support/XmlTreeDepth.h"

using namespace Velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    [[maybe_unused]] static const bool quiet = Tests::QuietLog();
    const std::string_view text = Tests::Text(data, size);
    TiXmlDocument document;
    const bool parsed = ParseXmlText(text, document, "fuzz.xml");
    const int scanned = XmlNestingDepth(text, 1 << 30);
    if (scanned > kMaxXmlDepth) {
        if (parsed || document.FirstChild() != nullptr) std::abort(); // refused before parsing
        return 0;
    }
    if (Tests::TreeDepth(document) > scanned) std::abort();
    return 0;
}
