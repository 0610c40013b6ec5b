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

}  // namespace
}  // namespace vormid
