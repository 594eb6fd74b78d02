// Reading XML files and texts safely: every file the game reads goes through these.
#include "core/XmlFile.h"
#include "support/TestSupport.h"
#include "support/XmlTreeDepth.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <string>

namespace Velmora {
namespace {

std::string Nested(int depth, const std::string& open = "<a>", const std::string& close = "</a>") {
    std::string text;
    for (int i = 0; i < depth; ++i) text += open;
    for (int i = 0; i < depth; ++i) text += close;
    return text;
}

TEST(XmlFile, ReadsAFileWithWindowsLineEnds) {
    const std::string dir = Tests::MakeTempDir();
    Tests::WriteFile(dir + "/a.xml", "<a>\r\n\t<b>one\r\ntwo\rthree</b>\r\n</a>\r\n");
    TiXmlDocument document;
    ASSERT_TRUE(LoadXmlFile(dir + "/a.xml", document));
    EXPECT_STREQ(document.FirstChildElement("a")->FirstChildElement("b")->GetText(), "one two three")
        << "line ends are white space";
}

TEST(XmlFile, NestingScanAgreesWithTheParser) {
    // Text TinyXML reads over without nesting must not count; nothing it nests may be missed.
    const struct {
        const char* text;
        int depth;
    } cases[] = {
        {"<a><b/><c><d x='1'/></c></a>", 3},
        {"<a><!-- <b><c><d> --></a>", 1},
        {"<a><![CDATA[<b><c>]]><b/></a>", 2},
        {"<a x='<b><c>' y=\"/>\"><b/></a>", 2},
        {"<a><?XML foo='>'?><b/></a>", 2}, // quotes outside version/encoding/standalone
        {"<a><!DOCTYPE a '>' ><b/></a>", 2},
        {"<a>\xE2<!--<b><c/></b></a>", 3}, // a lead byte in text swallows "<!"
        {"<a x='\xE2'><!--'><b/></a>", 2}, // ... and a quote in a value
        {"<a>\xF1\xDF\r\n<<b/></a>", 2},   // ... and a '<' once "\r\n" is read as "\n"
        {"<a/>text<b><c/></b>", 1},        // text after the root ends the document
        {"\xEF\xBB\xBF<a><_b><\xC3\xA9/></_b></a>", 3},
    };
    for (const auto& c : cases) {
        TiXmlDocument document;
        ParseXmlText(c.text, document);
        EXPECT_EQ(XmlNestingDepth(c.text), c.depth) << c.text;
        EXPECT_EQ(Tests::TreeDepth(document), c.depth) << c.text;
    }
}

TEST(XmlFile, DeepNestingIsRefusedBeforeParsing) {
    Tests::LogCapture log;
    TiXmlDocument document;
    EXPECT_TRUE(ParseXmlText(Nested(kMaxXmlDepth), document));
    EXPECT_FALSE(log.Contains("nested"));
    // Deep enough to overflow the stack inside TinyXML; refused at once, file or text.
    const std::string dir = Tests::MakeTempDir();
    Tests::WriteFile(dir + "/deep.xml", "<?xml version='1.0'?>" + Nested(35000, "<a x='1'>\n", "</a>"));
    TiXmlDocument deep;
    EXPECT_FALSE(LoadXmlFile(dir + "/deep.xml", deep));
    EXPECT_TRUE(deep.Error());
    EXPECT_TRUE(log.Contains("[CORE:1] XML nested deeper than 256 levels, not read: " + dir + "/deep.xml"));
}

TEST(XmlFile, TextEndingInsideAUtf8SequenceFailsWithoutReadingPastIt) {
    // A lead byte announcing three more bytes as the very last byte: the parser steps over what
    // it announces (the address sanitiser catches a step past the buffer).
    for (const char* text : {"<a>\xF0", "<a\xE2", "\xCE", "<a b='\xF0"}) {
        TiXmlDocument document;
        EXPECT_FALSE(ParseXmlText(text, document)) << text;
    }
    TiXmlDocument empty;
    EXPECT_FALSE(ParseXmlText("", empty));
}

TEST(XmlFile, AnEmbeddedNulEndsTheText) {
    TiXmlDocument document;
    EXPECT_TRUE(ParseXmlText(std::string_view("<a/>\0<b>", 8), document));
    EXPECT_EQ(document.FirstChildElement("b"), nullptr);
}

} // namespace
} // namespace Velmora
