// Reading XML files and texts safely: every file the game reads goes through these.
#include "core/XmlFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

namespace Velmora {
namespace {

TEST(XmlFile, ReadsAFileWithWindowsLineEnds) {
    const std::string dir = Tests::MakeTempDir();
    Tests::WriteFile(dir + "/a.xml", "<a>\r\n\t<b>one\r\ntwo\rthree</b>\r\n</a>\r\n");
    TiXmlDocument document;
    ASSERT_TRUE(LoadXmlFile(dir + "/a.xml", document));
    EXPECT_STREQ(document.FirstChildElement("a")->FirstChildElement("b")->GetText(), "one two three") << "line ends are white space";
}

TEST(XmlFile, AMissingFileSaysItCouldNotBeOpened) {
    TiXmlDocument document;
    EXPECT_FALSE(LoadXmlFile(Tests::MakeTempDir() + "/missing.xml", document));
    EXPECT_TRUE(document.Error());
    EXPECT_EQ(document.ErrorId(), TiXmlBase::TIXML_ERROR_OPENING_FILE);
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
