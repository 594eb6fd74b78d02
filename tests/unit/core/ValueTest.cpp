#include "core/ParseNumber.h"
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
enum Kind : unsigned char { kNone = 0, kLoud = 3 };

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
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.mName);
        EXPECT_EQ(Read(row.mBody), row.mExpected);
    }
}

TEST(ReadValues, SkipsCommentsAndTextAndAppendsToTheList) {
    ValueList values{"already here"};
    EXPECT_TRUE(Read("loose text<!-- comment --><integer>4</integer>", values));
    EXPECT_EQ(values, (ValueList{"already here", 4}));
}

TEST(ReadValues, AnUnknownElementStopsTheListAndKeepsWhatWasRead) {
    for (const char* stopper : {"<nil/>", "<Integer>1</Integer>", "<bool>1</bool>"}) {
        ValueList values;
        EXPECT_FALSE(Read(std::string("<string>a</string>") + stopper + "<integer>2</integer>", values)) << stopper;
        EXPECT_EQ(values, (ValueList{"a"})) << stopper;
    }
}

TEST(ParseNumber, FollowsStrtolAndStrtodPrefixRules) {
    EXPECT_EQ(ParseInteger("0x10"), 0);
    EXPECT_DOUBLE_EQ(ParseDouble(" +.5e1x"), 5.0);
    EXPECT_DOUBLE_EQ(ParseDouble("+-3"), 0.0);
    EXPECT_DOUBLE_EQ(ParseDouble(nullptr), 0.0);
}

TEST(WriteValue, WritesEachTypeWithStandardFormattingAndNoWhitespace) {
    EXPECT_EQ(Write(Value()), "<nil/>");
    EXPECT_EQ(Write("door 1"), "<string>door 1</string>");
    EXPECT_EQ(Write(3.14159265), "<double>3.14159</double>");
    EXPECT_EQ(Write(1500000.0), "<double>1.5e+06</double>");
    EXPECT_EQ(Write(2.0), "<double>2</double>");
    EXPECT_EQ(Write(-12), "<integer>-12</integer>");
    EXPECT_EQ(Write(Vector2(0.5, -64)), "<vector x='0.5' y='-64'/>");
    EXPECT_EQ(Write(Color::FromRgba(255, 16, 0, 7)), "<color red='255' green='16' blue='0'/>");

    std::ostringstream fancy;
    fancy << std::fixed;
    fancy.precision(1);
    WriteValue(fancy, 3.14159265);
    EXPECT_EQ(fancy.str(), "<double>3.14159</double>") << "the caller's stream flags do not leak in";
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

TEST(ValueCursor, ReadsInOrderAndChains) {
    const ValueList values{"ComponentSprite", 2.5, 7, 1, 2, Vector2(3, 4), Color(0xFF0000FFu), 0};
    ValueCursor cursor(values);
    std::string name;
    double scale = 0;
    int count = 0;
    bool visible = false;
    Facing facing = Facing::North;
    Vector2 position;
    Color color;
    Kind kind = kLoud;
    cursor >> name >> scale >> count >> visible >> facing >> position >> color >> kind;
    EXPECT_EQ(name, "ComponentSprite");
    EXPECT_EQ(scale, 2.5);
    EXPECT_EQ(count, 7);
    EXPECT_TRUE(visible);
    EXPECT_EQ(facing, Facing::South);
    EXPECT_EQ(position, Vector2(3, 4));
    EXPECT_EQ(color, Color(0xFF0000FFu));
    EXPECT_EQ(kind, kNone);
    EXPECT_TRUE(cursor.IsAtEnd());
    EXPECT_EQ(cursor.GetIndex(), values.size());
}

TEST(ValueCursor, MismatchedTypesConsumeButKeepTheTarget) {
    const ValueList values{7, 2.9, "x", 1.0, 5.0, 3, Color(), Vector2(1, 1), 4};
    ValueCursor cursor(values);
    double converted = -1;
    int fromDouble = -1;
    int fromString = -1;
    bool fromDoubleFlag = false;
    Facing fromDoubleEnum = Facing::East;
    std::string fromInteger = "keep";
    Vector2 fromColor(9, 9);
    Color fromVector(0x12345678u);
    cursor >> converted >> fromDouble >> fromString >> fromDoubleFlag >> fromDoubleEnum >> fromInteger >> fromColor >>
        fromVector;
    EXPECT_EQ(converted, 7.0) << "an integer converts to a double";
    EXPECT_EQ(fromDouble, -1) << "a double does not convert to an integer";
    EXPECT_EQ(fromString, -1);
    EXPECT_FALSE(fromDoubleFlag);
    EXPECT_EQ(fromDoubleEnum, Facing::East);
    EXPECT_EQ(fromInteger, "keep");
    EXPECT_EQ(fromColor, Vector2(9, 9));
    EXPECT_EQ(fromVector, Color(0x12345678u));
    EXPECT_EQ(cursor.GetIndex(), 8u) << "every read consumed one value";
    int last = 0;
    cursor >> last;
    EXPECT_EQ(last, 4);
}

TEST(ValueCursor, AtTheEndEveryTargetGetsItsDefaultAndTheCursorStays) {
    const ValueList values{1};
    ValueCursor cursor(values);
    int first = 0;
    cursor >> first;
    std::string text = "x";
    double number = 5;
    int integer = 5;
    bool flag = true;
    Facing facing = Facing::South;
    Vector2 vector(1, 2);
    Color color(0u);
    cursor >> text >> number >> integer >> flag >> facing >> vector >> color;
    EXPECT_EQ(text, "");
    EXPECT_EQ(number, 0.0);
    EXPECT_EQ(integer, 0);
    EXPECT_FALSE(flag);
    EXPECT_EQ(facing, Facing::North);
    EXPECT_EQ(vector, Vector2(0, 0));
    EXPECT_EQ(color.GetPacked(), 0xFFFFFFFFu);
    EXPECT_EQ(cursor.GetIndex(), 1u);

    ValueCursor none(static_cast<const ValueList*>(nullptr));
    EXPECT_TRUE(none.IsAtEnd());
    EXPECT_EQ(none.Peek(), nullptr);
    none >> integer;
    EXPECT_EQ(integer, 0);
}

TEST(Vector2, NormalisingZeroStaysZeroAndTurnsAreCounterClockwise) {
    EXPECT_EQ(Vector2(3, 4).Normalized(), Vector2(0.6, 0.8));
    EXPECT_EQ(Vector2().Normalized(), Vector2()) << "never NaN";
    EXPECT_GT(Cross(Vector2(1, 0), Vector2(0, 1)), 0.0);
    EXPECT_EQ(Vector2(3, 4).Perpendicular(), Vector2(-4, 3));
    const Vector2 turned = Vector2(1, 0).Rotated(3.14159265358979 / 2);
    EXPECT_NEAR(turned.x, 0.0, 1e-12);
    EXPECT_NEAR(turned.y, 1.0, 1e-12);
}

TEST(Color, PacksRedLowestAndAlphaHighest) {
    static_assert(Color::FromRgba(0x11, 0x22, 0x33, 0x44).GetPacked() == 0x44332211u);
    static_assert(Color::FromRgba(0x11, 0x22, 0x33, 0x44).WithAlpha(0xFF).GetPacked() == 0xFF332211u);
    EXPECT_EQ(Color::FromRgba(0x11, 0x22, 0x33, 0x44).GetBlue(), 0x33);
    EXPECT_EQ(Color().GetPacked(), 0xFFFFFFFFu);
}

} // namespace
} // namespace Velmora
