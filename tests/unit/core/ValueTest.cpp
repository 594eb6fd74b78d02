#include "core/ValueCursor.h"
#include "core/ValueXml.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <climits>
#include <sstream>

namespace Velmora {
namespace {

// Parses "<values>" + body + "</values>" and reads its children.
bool Read(const std::string& body, ValueList& values) {
    TiXmlDocument document;
    document.Parse(("<values>" + body + "</values>").c_str());
    EXPECT_FALSE(document.Error()) << document.ErrorDesc();
    return ReadValues(*document.RootElement(), values);
}

ValueList Read(const std::string& body) {
    ValueList values;
    EXPECT_TRUE(Read(body, values)) << body;
    return values;
}

std::string Write(const Value& value) {
    std::ostringstream out;
    WriteValue(out, value);
    return out.str();
}

enum class Facing : int { North = 0, East = 1, South = 2 };

TEST(ReadValues, ParsesEachTypeLikeTheCRuntimeWould) {
    const struct {
        const char* mName;
        const char* mBody;
        ValueList mExpected;
    } rows[] = {
        {"string", "<string>Guard Post</string>", {"Guard Post"}},
        {"integers read their leading digits",
         "<integer>12abc</integer><integer>abc</integer><integer> -7</integer>",
         {12, 0, -7}},
        {"doubles likewise", "<double>1e3</double><double>2.5m</double><double>abc</double>", {1000.0, 2.5, 0.0}},
        {"vectors", "<vector x='1.5' y='-2'/><vector/>", {Vector2(1.5, -2), Vector2(0, 0)}},
        {"red 300 keeps its low 8 bits, 44", "<color red='300' green='0' blue='0'/>", {Color(0xFF00002Cu)}},
        {"missing channels read 0, alpha is 255", "<color green='128'/>", {Color(0xFF008000u)}},
        {"elements without text", "<string/><double></double><integer><!-- none --></integer>", {"", 0.0, 0}},
        {"integers out of range", "<integer>99999999999</integer><integer>-99999999999</integer>", {INT_MAX, INT_MIN}},
        {"numbers that are not finite",
         "<double>nan</double><double>-inf</double><double>1e999</double>",
         {0.0, 0.0, 0.0}},
        {"a vector that is not finite", "<vector x='inf' y='nan'/>", {Vector2(0, 0)}},
        {"comments and loose text are skipped", "loose text<!-- comment --><integer>4</integer>", {4}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.mName);
        EXPECT_EQ(Read(row.mBody), row.mExpected);
    }
}

TEST(ReadValues, AnUnknownElementStopsTheListAndKeepsWhatWasRead) {
    for (const char* stopper : {"<nil/>", "<Integer>1</Integer>", "<bool>1</bool>"}) {
        ValueList values;
        EXPECT_FALSE(Read(std::string("<string>a</string>") + stopper + "<integer>2</integer>", values)) << stopper;
        EXPECT_EQ(values, (ValueList{"a"})) << stopper;
    }
}

TEST(WriteValue, WhatIsWrittenReadsBackTheSame) {
    const ValueList original{
        "a < b && c > d", "", 0.25, -1e-3, 123456, Vector2(-1.5, 2e10), Color::FromRgba(12, 34, 56, 0x80)};
    std::string xml;
    for (const Value& value : original) xml += Write(value);
    const ValueList read = Read(xml);
    ASSERT_EQ(read.size(), original.size());
    for (size_t i = 0; i + 1 < original.size(); ++i) EXPECT_EQ(read[i], original[i]) << xml;
    // The colour comes back with the same channels and alpha 255.
    EXPECT_EQ(read.back(), Value(Color::FromRgba(12, 34, 56, 255)));
    EXPECT_EQ(read.back().GetColor().GetPacked(), 0xFF38220Cu);
}

TEST(WriteValue, StringsAreWrittenAsValidUtf8SoTheMarkupAfterThemSurvives) {
    // A lead byte announcing two more bytes would take "<" of the closing tag with it.
    const ValueList original{std::string("s\xE3\xE3;\xE3"), std::string("caf\xC3\xA9\x01"), 7};
    std::string xml;
    for (const Value& value : original) xml += Write(value);
    const ValueList read = Read(xml);
    ASSERT_EQ(read.size(), 3u) << xml;
    EXPECT_EQ(read[0], Value("s??;?"));
    EXPECT_EQ(read[1], Value("caf\xC3\xA9")) << "valid UTF-8 kept, control characters left out";
    EXPECT_EQ(read[2], Value(7));
}

TEST(ValueCursor, AMismatchedValueIsConsumedButKeepsTheTargetAndTheEndGivesDefaults) {
    const ValueList values{"ComponentSprite", 7, 2, Vector2(3, 4), Color(0xFF0000FFu), 2.9, "x"};
    ValueCursor cursor(values);
    std::string name;
    double scale = 0;
    Facing facing = Facing::North;
    Vector2 position;
    Color color;
    int fromDouble = -1;
    Vector2 fromString(9, 9);
    cursor >> name >> scale >> facing >> position >> color >> fromDouble >> fromString;
    EXPECT_EQ(name, "ComponentSprite");
    EXPECT_EQ(scale, 7.0) << "an integer converts to a double";
    EXPECT_EQ(facing, Facing::South);
    EXPECT_EQ(position, Vector2(3, 4));
    EXPECT_EQ(color, Color(0xFF0000FFu));
    EXPECT_EQ(fromDouble, -1) << "a double does not convert to an integer";
    EXPECT_EQ(fromString, Vector2(9, 9));
    EXPECT_TRUE(cursor.IsAtEnd());
    // Past the end every target gets its default and the cursor stays.
    cursor >> name >> scale >> facing >> position >> color >> fromDouble;
    EXPECT_EQ(name, "");
    EXPECT_EQ(scale, 0.0);
    EXPECT_EQ(facing, Facing::North);
    EXPECT_EQ(position, Vector2(0, 0));
    EXPECT_EQ(color.GetPacked(), 0xFFFFFFFFu);
    EXPECT_EQ(fromDouble, 0);
    EXPECT_EQ(cursor.GetIndex(), values.size());
    ValueCursor none(static_cast<const ValueList*>(nullptr));
    EXPECT_EQ(none.Peek(), nullptr);
}

} // namespace
} // namespace Velmora
