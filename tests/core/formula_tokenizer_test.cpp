// The tokenizer: names of an equation and its pieces for rebuilding it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Tokenizer.h"

namespace vormid {
namespace {

using TNames = std::vector<std::string>;

TEST(Tokenizer, Names) {
    struct TCase {
        std::string Text;
        TNames Expected;
    } const cases[] = {
        {std::string("A*B+sin(C)/2,5") + kLineSeparator, {"A", "B", "C"}},
        {"A*B+sin(C)/2,5", {"A", "B", "C"}},  // the last token needs no delimiter
        {"Y = A + A*B", {"Y", "A", "A", "B"}},
        {"x 1\t2+y", {"x12", "y"}},  // blanks do not end a token
        {"LOG(2;x)^PI()", {"x"}},
        {"pi+Pi+PI", {}},  // function names in any case are reserved
        {"1.5+2,5+1,2,3", {"1,2,3"}},
        {"\xC0\xE1+\xE2", {"\xC0\xE1", "\xE2"}},  // Cyrillic letters of Windows-1251
        {"a,b.c=d", {"a,b.c", "d"}},
        {"", {}},
        {"\r\n\t ", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(TokenizeNames(c.Text), c.Expected) << c.Text;
}

TEST(Tokenizer, PiecesRebuildTheText) {
    const std::string text = " Y = (A B\t+ 2,5)*SIN(c)\r\n\x07";
    const auto pieces = SplitPieces(text);
    std::string rebuilt;
    std::string kinds;
    for (const auto& p : pieces) {
        rebuilt += p.Raw;
        kinds += p.Kind == TTextPieceKind::Token ? 'T' : p.Kind == TTextPieceKind::Blank ? 'b' : 'd';
    }
    EXPECT_EQ(rebuilt, text);
    EXPECT_EQ(kinds,
              "bTbdbdTbdb"
              "Tdd"
              "TdTdbd");
    ASSERT_GE(pieces.size(), 7u);
    EXPECT_EQ(pieces[6].Raw, "A B");
    EXPECT_EQ(pieces[6].Word, "AB");
}

TEST(Tokenizer, SubstitutionKeepsLayout) {
    // How the budget calculation rebuilds "Y = X*2" with X = a+b.
    std::string out;
    for (const auto& p : SplitPieces("Y = X*2;"))
        out += (p.Kind == TTextPieceKind::Token && p.Word == "X") ? std::string("(a+b)") : std::string(p.Raw);
    EXPECT_EQ(out, "Y = (a+b)*2;");
}

TEST(Tokenizer, Classification) {
    EXPECT_TRUE(IsNameToken("A"));
    EXPECT_FALSE(IsNameToken(""));
    EXPECT_FALSE(IsNameToken("sqrt"));
    EXPECT_FALSE(IsNameToken("12,5"));
    EXPECT_TRUE(IsNameToken("12,5,1"));
    for (char c : std::string("\x07()*+-/;=^")) EXPECT_TRUE(IsTokenDelimiter(c)) << int(c);
    for (char c : std::string(",.[]<>!\x01")) EXPECT_FALSE(IsTokenDelimiter(c)) << int(c);
    for (char c : std::string("\t\n\r ")) EXPECT_TRUE(IsTokenBlank(c));
    EXPECT_FALSE(IsTokenBlank('\x0b'));
}

}  // namespace
}  // namespace vormid
