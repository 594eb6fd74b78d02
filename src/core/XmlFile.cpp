#include "core/XmlFile.h"

#include "core/LogRecord.h"
#include "core/ReadFile.h"

#include <tinyxml.h>

#include <algorithm>
#include <cctype>

namespace Velmora {

namespace {

// TinyXML steps over a UTF-8 lead byte and the continuation bytes it announces without looking
// at them, so text ending inside such a sequence would take it up to three bytes past a single
// terminator. Enough NULs behind the text keep every step inside the buffer.
constexpr size_t kTerminatorPadding = 8;

// Length of the valid UTF-8 sequence starting at text[i], 0 when the bytes there are not one.
size_t Utf8Length(std::string_view text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (length == 0 || i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    }
    return length;
}

// Follows TinyXML's parser (UTF-8 mode) over a text just far enough to know how deeply it nests
// elements. Where TinyXML reads byte by byte (names, comments, CDATA, declarations, unknown
// "<!...>" nodes) so does the scan; where it reads characters (element text, attribute values)
// the scan steps over UTF-8 sequences by TinyXML's own table, since a lead byte there swallows
// whatever follows it, quotes and '<' included. Anything TinyXML stops at stops the scan too.
class DepthScan {
public:
    DepthScan(std::string_view text, int stopAbove) : mText(text), mStopAbove(stopAbove) {}

    int Run() {
        while (mPos < mText.size() && mDepth <= mStopAbove) {
            if (mDepth == 0 ? !TopLevelStep() : !ContentStep()) break;
        }
        return mMaxDepth;
    }

private:
    unsigned char At(size_t pos) const { return pos < mText.size() ? static_cast<unsigned char>(mText[pos]) : 0; }
    bool StartsWith(std::string_view prefix) const { return mText.substr(mPos, prefix.size()) == prefix; }
    static bool IsSpace(unsigned char c) { return std::isspace(c) != 0; }
    static bool IsNameStart(unsigned char c) { return c >= 127 || std::isalpha(c) || c == '_'; }
    static bool IsNameChar(unsigned char c) {
        return c >= 127 || std::isalnum(c) || c == '_' || c == '-' || c == '.' || c == ':';
    }

    // One character as TinyXML's text reader takes it; false at the end of the text.
    bool StepCharacter() {
        mPos += static_cast<size_t>(std::max(TiXmlBase::utf8ByteTable[At(mPos)], 1));
        return mPos < mText.size();
    }
    // Up to the next `end` as TinyXML's text reader finds it; false when there is none.
    bool StepCharactersTo(char end) {
        while (mPos < mText.size() && mText[mPos] != end) {
            if (!StepCharacter()) return false;
        }
        return mPos < mText.size();
    }
    bool SkipCharactersPast(char end) {
        if (!StepCharactersTo(end)) return false;
        ++mPos;
        return true;
    }
    // Past the next `end` byte sequence; false when there is none.
    bool SkipBytesPast(std::string_view end) {
        const size_t found = mText.find(end, mPos);
        if (found == std::string_view::npos) return false;
        mPos = found + end.size();
        return true;
    }
    // White space as TinyXML skips it in UTF-8 mode, where byte-order marks count as blanks.
    void SkipSpaces() {
        while (mPos < mText.size()) {
            if (StartsWith("\xEF\xBB\xBF") || StartsWith("\xEF\xBF\xBE") || StartsWith("\xEF\xBF\xBF")) {
                mPos += 3;
            } else if (IsSpace(At(mPos))) {
                ++mPos;
            } else {
                return;
            }
        }
    }

    // Any text outside the root elements ends the document.
    bool TopLevelStep() {
        SkipSpaces();
        if (mPos >= mText.size() || mText[mPos] != '<') return false;
        return NodeStep();
    }

    bool ContentStep() {
        if (mText[mPos] != '<') return StepCharactersTo('<');
        if (StartsWith("</")) {
            --mDepth;
            return SkipBytesPast(">");
        }
        return NodeStep();
    }

    // At a '<': the node TinyXML identifies there.
    bool NodeStep() {
        if (StartsWithDeclaration()) return Declaration();
        // The end is looked for after the whole opener: "<!-->" does not close itself.
        if (StartsWith("<!--")) return (mPos += 4, SkipBytesPast("-->"));
        if (StartsWith("<![CDATA[")) return (mPos += 9, SkipBytesPast("]]>"));
        if (IsNameStart(At(mPos + 1))) {
            mMaxDepth = std::max(mMaxDepth, ++mDepth);
            return StartTag();
        }
        return SkipBytesPast(">");
    }

    bool StartsWithDeclaration() const {
        static constexpr std::string_view kHead = "<?xml";
        if (mText.size() - mPos < kHead.size()) return false;
        for (size_t i = 0; i < kHead.size(); ++i) {
            if (std::tolower(At(mPos + i)) != kHead[i]) return false;
        }
        return true;
    }

    // An element's start tag after its '<': quoted values are skipped as text, "/>" closes it.
    bool StartTag() {
        ++mPos;
        while (mPos < mText.size()) {
            const char c = mText[mPos];
            if (c == '\'' || c == '"') {
                ++mPos;
                if (!SkipCharactersPast(c)) return false;
            } else if (c == '/' && At(mPos + 1) == '>') {
                --mDepth;
                mPos += 2;
                return true;
            } else if (c == '>') {
                ++mPos;
                return true;
            } else {
                ++mPos;
            }
        }
        return false;
    }

    // "<?xml ...>": TinyXML honours quotes only in its version, encoding and standalone
    // attributes and reads over anything else up to the next blank or '>'.
    bool Declaration() {
        mPos += 5;
        while (mPos < mText.size()) {
            if (mText[mPos] == '>') {
                ++mPos;
                return true;
            }
            SkipSpaces();
            if (StartsWithKeyword("version") || StartsWithKeyword("encoding") || StartsWithKeyword("standalone")) {
                if (!DeclarationAttribute()) return false;
            } else {
                while (mPos < mText.size() && mText[mPos] != '>' && !IsSpace(At(mPos))) ++mPos;
            }
        }
        return false;
    }

    bool StartsWithKeyword(std::string_view keyword) const {
        if (mText.size() - mPos < keyword.size()) return false;
        for (size_t i = 0; i < keyword.size(); ++i) {
            if (std::tolower(At(mPos + i)) != keyword[i]) return false;
        }
        return true;
    }

    // name = 'value', name = "value" or name = value; false where TinyXML gives up.
    bool DeclarationAttribute() {
        while (mPos < mText.size() && IsNameChar(At(mPos))) ++mPos;
        SkipSpaces();
        if (At(mPos) != '=') return false;
        ++mPos;
        SkipSpaces();
        const char quote = static_cast<char>(At(mPos));
        if (quote == '\'' || quote == '"') {
            ++mPos;
            return SkipCharactersPast(quote);
        }
        while (mPos < mText.size() && !IsSpace(At(mPos)) && mText[mPos] != '/' && mText[mPos] != '>') {
            if (mText[mPos] == '\'' || mText[mPos] == '"') return false;
            ++mPos;
        }
        return true;
    }

    std::string_view mText;
    int mStopAbove;
    size_t mPos = 0;
    int mDepth = 0;
    int mMaxDepth = 0;
};

// The text as ParseXmlText hands it to TinyXML, without the padding (room is kept for it).
std::string ParserText(std::string_view text) {
    // Cut at an embedded NUL: TinyXML would step over it inside a UTF-8 sequence and read on.
    text = text.substr(0, text.find('\0'));
    std::string prepared;
    prepared.reserve(text.size() + kTerminatorPadding);
    // Line ends become "\n" as TinyXML's own file reader makes them, so element texts and
    // attributes read the same whichever way the file was saved.
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            prepared += text[i];
            continue;
        }
        prepared += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return prepared;
}

} // namespace

int XmlNestingDepth(std::string_view text, int stopAbove) {
    // The scan reads what the parser reads: a "\r" swallowed by a UTF-8 step is one byte fewer
    // once line ends are made "\n", which may move the step onto a '<'.
    return DepthScan(ParserText(text), stopAbove).Run();
}

std::string EscapeXmlText(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            const size_t length = Utf8Length(text, i);
            result += length ? text.substr(i, length) : std::string_view("?");
            i += length ? length - 1 : 0;
            continue;
        }
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') continue;
        switch (c) {
            case '&':
                result += "&amp;";
                break;
            case '<':
                result += "&lt;";
                break;
            case '>':
                result += "&gt;";
                break;
            default:
                result += c;
                break;
        }
    }
    return result;
}

bool ParseXmlText(std::string_view text, TiXmlDocument& document, std::string_view name) {
    std::string terminated = ParserText(text);
    if (DepthScan(terminated, kMaxXmlDepth).Run() > kMaxXmlDepth) {
        VELMORA_LOG("CORE") << "XML nested deeper than " << kMaxXmlDepth << " levels, not read: " << name;
        document.SetError(TiXmlBase::TIXML_ERROR, nullptr, nullptr, TIXML_ENCODING_UTF8);
        return false;
    }
    terminated.append(kTerminatorPadding, '\0');
    // One encoding for every file, so the nesting scan above and the parser read the same
    // characters; a declaration naming another encoding would switch TinyXML to byte reading.
    document.Parse(terminated.c_str(), nullptr, TIXML_ENCODING_UTF8);
    return !document.Error();
}

bool LoadXmlFile(const std::string& path, TiXmlDocument& document) {
    std::string text;
    if (!ReadFileText(path, text, kMaxXmlFileBytes)) {
        document.SetError(TiXmlBase::TIXML_ERROR_OPENING_FILE, nullptr, nullptr, TIXML_ENCODING_UNKNOWN);
        return false;
    }
    return ParseXmlText(text, document, path);
}

} // namespace Velmora
