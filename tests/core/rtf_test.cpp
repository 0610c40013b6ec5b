#include <gtest/gtest.h>

#include <string>

#include "core/Cp1251.h"
#include "core/RtfCodePages.h"
#include "core/RtfReader.h"
#include "core/RtfUnits.h"
#include "core/RtfWriter.h"

namespace vormid {
namespace {

std::string Text(const TRtfParagraph& p) {
    std::string out;
    for (const auto& r : p.Runs) out += r.IsPicture ? std::string("[pic]") : r.Text;
    return out;
}

// A tiny PNG (1x1) as a rich-edit control writes pictures: hex digits.
constexpr const char* kPngHex =
    "89504e470d0a1a0a0000000d4948445200000001000000010806000000"
    "1f15c4890000000d4944415478da63f8cfc0f01f0005000201a5f5e1a30000000049454e44ae426082";

// Written by hand the way a Windows rich-edit control writes it.
const std::string kRichEdit =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1026{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}"
    "{\\f1\\fnil\\fcharset2 Symbol;}{\\f2\\fswiss\\fcharset0 Arial;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
    "\\viewkind4\\uc1\\pard\\qc\\f0\\fs20 \\'c8\\'e7\\'ec\\'e5\\'f0\\'e2\\'e0\\'ed\\'e5 \\b\\'ed\\'e0\\b0  "
    "\\cf1\\i\\'ec\\'e0\\'f1\\'e0\\cf0\\i0\\par\r\n"
    "\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}\\fi-720\\li720 "
    "\\cf2 U\\sub 1\\nosupersub\\cf0  \\u937?\\par\r\n"
    "{\\pntext\\f1\\'b7\\tab}\\ul caf\\f2\\'e9\\f0\\ulnone\\par\r\n"
    "\\pard{\\pict\\pngblip\\picw1\\pich1\\picwgoal300\\pichgoal300\r\n" +
    std::string(kPngHex) + "}\\par\r\n}\r\n";

TEST(RtfReader, ReadsWhatARichEditControlWrites) {
    TRtfDocument doc = ReadRtf(kRichEdit);
    ASSERT_EQ(doc.Paragraphs.size(), 4u);
    EXPECT_EQ(doc.DefaultFont, "Arial");
    EXPECT_FALSE(doc.HasUnsupported);

    const TRtfParagraph& p0 = doc.Paragraphs[0];
    EXPECT_EQ(Text(p0), "Измерване на маса");
    EXPECT_EQ(p0.Alignment, TRtfAlignment::Center);
    EXPECT_EQ(p0.List, TRtfList::None);
    ASSERT_EQ(p0.Runs.size(), 4u);
    EXPECT_EQ(p0.Runs[0].Format.HalfPoints, 20);
    EXPECT_EQ(p0.Runs[0].Format.Font, "Arial");
    EXPECT_TRUE(p0.Runs[1].Format.Bold);
    EXPECT_TRUE(p0.Runs[3].Format.Italic);
    EXPECT_TRUE(p0.Runs[3].Format.HasColor);
    EXPECT_EQ(p0.Runs[3].Format.Color, (TRtfColor{255, 0, 0}));

    const TRtfParagraph& p1 = doc.Paragraphs[1];
    EXPECT_EQ(p1.List, TRtfList::Bullet);
    EXPECT_EQ(p1.FirstIndentTwips, -720);
    EXPECT_EQ(p1.LeftIndentTwips, 720);
    EXPECT_EQ(Text(p1), "U1 Ω");  // the bullet's own text is not content
    EXPECT_EQ(p1.Runs[1].Format.Vertical, TRtfVertical::Subscript);
    EXPECT_EQ(p1.Runs[0].Format.Color, (TRtfColor{0, 0, 255}));

    // The bullet lasts until \pard; \'e9 in a Western font is a Latin letter.
    const TRtfParagraph& p2 = doc.Paragraphs[2];
    EXPECT_EQ(p2.List, TRtfList::Bullet);
    EXPECT_EQ(Text(p2), "café");
    EXPECT_TRUE(p2.Runs[0].Format.Underline);

    const TRtfParagraph& p3 = doc.Paragraphs[3];
    EXPECT_EQ(p3.List, TRtfList::None);
    ASSERT_EQ(p3.Runs.size(), 1u);
    ASSERT_TRUE(p3.Runs[0].IsPicture);
    EXPECT_EQ(p3.Runs[0].Picture.Type, TRtfPictureType::Png);
    EXPECT_EQ(p3.Runs[0].Picture.WidthTwips, 300);
    EXPECT_EQ(p3.Runs[0].Picture.Data.substr(1, 3), "PNG");
    EXPECT_EQ(p3.Runs[0].Picture.Data.size(), std::string(kPngHex).size() / 2);
}

TEST(RtfReader, MarksContentItCannotHold) {
    struct Row {
        const char* name;
        const char* rtf;
        const char* text;
    } rows[] = {
        {"embedded object", "{\\rtf1 a{\\object\\objemb{\\*\\objdata 0102}{\\result b}}c\\par}", "ac"},
        {"metafile picture", "{\\rtf1 a{\\pict\\wmetafile8\\picw10\\pich10 0102}c\\par}", "ac"},
    };
    for (const auto& r : rows) {
        TRtfDocument doc = ReadRtf(r.rtf);
        EXPECT_TRUE(doc.HasUnsupported) << r.name;
        ASSERT_EQ(doc.Paragraphs.size(), 1u) << r.name;
        EXPECT_EQ(Text(doc.Paragraphs[0]), r.text) << r.name;
    }
}

TEST(RtfReader, FollowsRtfRulesForEscapesGroupsAndUnknownWords) {
    struct Row {
        const char* name;
        const char* rtf;
        const char* text;
    } rows[] = {
        {"escapes", "{\\rtf1 a\\\\b\\{c\\}\\par}", "a\\b{c}"},
        {"unknown word ignored", "{\\rtf1 a\\foo123 b\\par}", "ab"},
        {"starred destination skipped", "{\\rtf1 a{\\*\\unknown x y}b\\par}", "ab"},
        {"unicode with uc2", "{\\rtf1\\uc2 \\u937\\'3f\\'3fx\\par}", "Ωx"},
        {"negative unicode", "{\\rtf1 \\u-3937?\\par}", "\xEF\x82\x9F"},
        {"surrogate pair", "{\\rtf1 \\u-10179?\\u-8704?\\par}", "\xF0\x9F\x98\x80"},
        {"group restores format", "{\\rtf1 {\\b a}b\\par}", "ab"},
        {"plain text", "abc\r\nd", "abc"},
        {"tab and line", "{\\rtf1 a\\tab b\\line c\\par}", "a\tb\nc"},
        {"symbol font letters", "{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}\\f1 W s\\par}", "Ω σ"},
        {"unclosed groups", "{\\rtf1 {{{a", "a"},
        {"huge bin count", "{\\rtf1 a\\bin999999999 xyz", "a"},
        {"stand-ins: words and symbols count, line ends not", "{\\rtf1\\uc3 \\u937\r\n\\'3f\\b\\~x\\par}", "Ωx"},
        {"a brace ends the stand-ins", "{\\rtf1\\uc2 {\\u937?}x\\par}", "Ωx"},
    };
    for (const auto& r : rows) {
        TRtfDocument doc = ReadRtf(r.rtf);
        ASSERT_FALSE(doc.Paragraphs.empty()) << r.name;
        EXPECT_EQ(Text(doc.Paragraphs[0]), r.text) << r.name;
    }
    EXPECT_EQ(ReadRtf("{\\rtf1 {\\b a}b\\par}").Paragraphs[0].Runs[1].Format.Bold, false);
}

TEST(RtfReader, DeepNestingAndEmptyInputGiveADocument) {
    std::string deep = "{\\rtf1 " + std::string(100000, '{') + "x" + std::string(100000, '}') + "\\par}";
    EXPECT_EQ(Text(ReadRtf(deep).Paragraphs.at(0)), "x");
    EXPECT_TRUE(ReadRtf("").Paragraphs.empty());
    EXPECT_TRUE(ReadRtf("{\\rtf1").Paragraphs.empty());
}

TEST(RtfWriter, WrittenDocumentReadsBackTheSame) {
    TRtfDocument doc = ReadRtf(kRichEdit);
    std::string rtf = WriteRtf(doc);
    EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1251\\deff0"));
    EXPECT_NE(rtf.find("\\'c8\\'e7"), std::string::npos);  // Cyrillic as code-page bytes
    EXPECT_NE(rtf.find("\\u937?"), std::string::npos);     // the rest as Unicode
    TRtfDocument back = ReadRtf(rtf);
    EXPECT_EQ(back, doc);
    EXPECT_EQ(WriteRtf(back), rtf);
}

TEST(RtfWriter, EmptyDocumentAndSpecialCharacters) {
    TRtfDocument empty;
    EXPECT_EQ(ReadRtf(WriteRtf(empty)).Paragraphs.size(), 1u);
    TRtfDocument doc;
    doc.Paragraphs.resize(1);
    TRtfRun run;
    run.Text = "{a\\b}; 😀 \t";
    doc.Paragraphs[0].Runs.push_back(run);
    TRtfDocument back = ReadRtf(WriteRtf(doc));
    ASSERT_EQ(back.Paragraphs.size(), 1u);
    EXPECT_EQ(Text(back.Paragraphs[0]), "{a\\b}; 😀 \t");
}

TEST(RtfUnits, MarkupRoundTripsAndReducesWholeWordsOnly) {
    struct Row {
        const char* name;
        std::string rtfOrMarkup;
        std::string markup;
    } rows[] = {
        {"m, superscript, s", UnitsToRtf("m\\ts\\n"), "m\\ts\\n"},
        {"subscript and unicode", UnitsToRtf("\\u937\\bx\\n"), "\\u937\\bx\\n"},
        {"code-page character", UnitsToRtf("\\'e3"), "\\'e3"},
        {"underlined", "{\\rtf1\\ansi\\uc1\\pard\\ul m\\ulnone\\super 2\\nosupersub\\par}", "m\\t2\\n"},
        {"uc1 is no character", "{\\rtf1\\pard\\uc1 kg\\par}", "kg"},
        {"stand-ins as the reader skips them", "{\\rtf1\\pard\\uc2 \\u937\\'3f\\sub x\\par}", "\\u937x"},
        {"first paragraph only", "{\\rtf1\\pardeftab709\\pard a\\par b\\par}", "a"},
        {"spaces dropped", "{\\rtf1\\pard k g\\par}", "kg"},
    };
    for (const auto& r : rows) EXPECT_EQ(RtfToUnits(r.rtfOrMarkup), r.markup) << r.name;
    // What the writer makes of the units field's document reduces the same.
    TRtfDocument doc = ReadRtf(UnitsToRtf("m\\t2\\n/s"));
    EXPECT_EQ(Text(doc.Paragraphs.at(0)), "m2/s");
    EXPECT_TRUE(UnitsEquivalent(RtfToUnits(WriteRtf(doc)), "m\\t2\\n/s"));
}

TEST(RtfUnits, EquivalenceIgnoresHowTheSameUnitsAreWritten) {
    EXPECT_TRUE(UnitsEquivalent("m\\ts\\n", "m\\ts"));
    EXPECT_TRUE(UnitsEquivalent("\\'ec", Cp1251FromUtf8("м")));
    EXPECT_TRUE(UnitsEquivalent("\\u1084", "\\'ec"));
    EXPECT_TRUE(UnitsEquivalent("k g", "kg"));
    EXPECT_FALSE(UnitsEquivalent("m\\ts", "ms"));
    EXPECT_FALSE(UnitsEquivalent("m\\bs", "m\\ts"));
}

// Both ends of each Symbol-font range and a few of its signs; the bytes
// beside them read as the Western byte.
TEST(RtfCodePages, SymbolFontRangesAndTheBytesBesideThem) {
    const struct {
        unsigned char byte;
        char32_t cp;
    } cases[] = {
        {'A', 0x0391},  {'W', 0x03A9},  {'Z', 0x0396},  {'a', 0x03B1},  {'m', 0x03BC},  {'z', 0x03B6}, {0x22, 0x2200},
        {0xA5, 0x221E}, {0xB4, 0x00D7}, {0xD6, 0x221A}, {0xF2, 0x222B}, {'@', 0x2245},  {'[', '['},    {'`', '`'},
        {'{', '{'},     {'#', '#'},     {0xB1, 0xB1},   {0x80, 0x20AC}, {0x81, 0xFFFD},
    };
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<unsigned>(DecodeCodePageByte(TRtfCodePage::Symbol, c.byte)), static_cast<unsigned>(c.cp))
            << "byte " << static_cast<int>(c.byte);
}

}  // namespace
}  // namespace vormid
