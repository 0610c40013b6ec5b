#include "evaluation/EquationText.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace vormid {
namespace {

// Expected texts write the line separator as "|".
std::string Bars(std::string text) {
    for (char& c : text)
        if (c == '|') c = kLineSeparator;
    return text;
}

const std::string kHeader =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1026{\\fonttbl{\\f0\\fnil\\fcharset204 "
    "Tahoma;}}\\viewkind4\\uc1\\pard\\f0\\fs16 ";

struct TextCase {
    const char* what;
    std::string rich;
    std::string plain;  // "|" = line separator
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.what; }

class EquationTextCases : public testing::TestWithParam<TextCase> {};

TEST_P(EquationTextCases, ReducesToPlainLines) {
    EXPECT_EQ(EquationText(GetParam().rich), Bars(GetParam().plain)) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    RichEdit, EquationTextCases,
    testing::Values(
        TextCase{"two lines as a Windows rich-edit control writes them", kHeader + "Y = A*B\\par X = 2\\par}",
                 "Y=A*B|X=2| |"},
        TextCase{"trailing line end after the closing brace", kHeader + "Y = A*B\\par\r\n}\r\n", "Y=A*B| |"},
        TextCase{"subscript and superscript become name markers",
                 kHeader + "U\\sub 1\\nosupersub  = A\\super 2\\nosupersub *B\\par}", "U\\b1\\n=A\\t2\\n*B| |"},
        TextCase{"code-page character keeps its two hex digits", kHeader + "\\'e0 = 2*\\'c1\\par}", "\\'e0=2*\\'c1| |"},
        TextCase{"Unicode escape skips its stand-in character", kHeader + "Y = \\u945?*B\\par}", "Y=\\u945*B| |"},
        TextCase{"a negative Unicode number is the code point minus 65536", kHeader + "Y = \\u-3998?\\par}",
                 "Y=\\u61538| |"},
        TextCase{"a code-page stand-in is skipped whole", kHeader + "Y = \\u945\\'e1 *B\\par}", "Y=\\u945*B| |"},
        TextCase{"a space after the number delimits the word", kHeader + "Y = \\u945 ?*B\\par}", "Y=\\u945*B| |"},
        TextCase{"underline words are not Unicode escapes", kHeader + "Y = \\ul A\\ulnone *B\\par}", "Y=A*B| |"},
        TextCase{"underline right after a subscript", kHeader + "Y = U\\sub\\ul 1\\ulnone\\nosupersub +2\\par}",
                 "Y=U\\b1\\n+2| |"},
        TextCase{"\\uc1 in the body is not a Unicode escape", kHeader + "\\uc1 Y = A\\par}", "Y=A| |"},
        TextCase{"longer words beginning with par or pard are not line ends",
                 kHeader + "\\pardirnatural Y = A\\pararsid12 +B\\par}", "Y=A+B| |"},
        TextCase{"control words match ignoring case", kHeader + "Y = A\\PAR X = B\\Par}", "Y=A|X=B| |"},
        TextCase{"a second \\pard is dropped", kHeader + "Y = A\\par\\pard X = B\\par}", "Y=A|X=B| |"},
        TextCase{"leading empty paragraph is trimmed", kHeader + "\\par Y = A\\par}", "Y=A| |"},
        TextCase{"tabs and line breaks of the file are dropped", kHeader + "Y =\r\n A\t*B\\par}", "Y=A*B| |"},
        TextCase{"font switches inside the line are skipped", kHeader + "Y = \\f1\\fs20 A\\f0\\fs16 *B\\par}",
                 "Y=A*B| |"},
        TextCase{"rich text without \\pard starts after its header",
                 "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 Y = A\\par}", "Y=A| |"},
        TextCase{"stray work codes in the input are dropped", kHeader + "Y\x01 = A\x07+B\\par}", "Y=A+B| |"},
        TextCase{"plain text: line ends separate the lines", "Y = A*B\r\nX = 2\nZ = U\\b1\\n", "Y=A*B|X=2|Z=U\\b1\\n|"},
        TextCase{"empty input", "", "|"}));

TEST(SplitEquationLines, LeftAndRightOfTheFirstEquals) {
    auto lines = SplitEquationLines(Bars("Y=A*B|X==2| |noequals|=C|"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].Left, "Y");
    EXPECT_EQ(lines[0].Right, "A*B");
    EXPECT_EQ(lines[1].Left, "X");
    EXPECT_EQ(lines[1].Right, "=2");
    EXPECT_EQ(lines[2].Left, "");
    EXPECT_EQ(lines[2].Right, "C");
}

TEST(SplitEquationLines, TypicalRichEditEquation) {
    auto lines = SplitEquationLines(EquationText(kHeader + "Y = A*B\\par X = 2\\par}"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Left, "Y");
    EXPECT_EQ(lines[0].Right, "A*B");
    EXPECT_EQ(lines[1].Left, "X");
    EXPECT_EQ(lines[1].Right, "2");
}

}  // namespace
}  // namespace vormid
