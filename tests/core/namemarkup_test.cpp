#include "core/NameMarkup.h"

#include <gtest/gtest.h>

namespace vormid {
namespace {

TEST(NameMarkup, RunsOfEachScript) {
    const auto runs = NameMarkupRuns("U\\b1\\nx\\t2\\n\\u937");
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0], (TNameRun{TNameScript::Normal, U"U"}));
    EXPECT_EQ(runs[1], (TNameRun{TNameScript::Subscript, U"1"}));
    EXPECT_EQ(runs[2], (TNameRun{TNameScript::Normal, U"x"}));
    EXPECT_EQ(runs[3].Script, TNameScript::Superscript);
    EXPECT_EQ(runs[3].Text, U"2");
    EXPECT_EQ(NameMarkupRuns("\\'b0C").at(0).Text, U"\u00B0C");
    EXPECT_FALSE(HasNameMarkup("mm"));
}

// The tool's plain text of a marked-up name.
TEST(MarkupText, MarkersBecomePlainText) {
    const std::pair<const char*, const char*> cases[] = {
        {"U", "U"},
        {"T\\b0\\n", "T₀"},
        {"x\\t2\\n", "x²"},
        {"m\\t-3\\n", "m⁻³"},
        {"L\\bref\\n", "L_ref"},
        {"k\\tab\\n", "k^ab"},
        {"\\u937", "Ω"},
        {"\\u-4064", "\xEF\x80\xA0"},  // a negative number stands for a code point above 32767
        {"\\'b0C", "°C"},
        {"\xEC\xEC", "мм"},
        {"a\\zb", "a\\zb"},  // an unknown marker stays as it is
        {"end\\", "end\\"},
        {"\\u", "\\u"},
    };
    for (const auto& [markup, text] : cases) EXPECT_EQ(MarkupToUtf8(markup), text) << markup;
}

TEST(MarkupText, DisplayWidthCountsCharacters) {
    EXPECT_EQ(DisplayWidth("Резултат"), 8u);
    EXPECT_EQ(DisplayWidth("1,2x10⁻⁶"), 8u);
    EXPECT_EQ(DisplayWidth(""), 0u);
}

}  // namespace
}  // namespace vormid
