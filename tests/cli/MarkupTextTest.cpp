#include "core/NameMarkup.h"

#include <gtest/gtest.h>

namespace vormid::cli {
namespace {

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
}  // namespace vormid::cli
