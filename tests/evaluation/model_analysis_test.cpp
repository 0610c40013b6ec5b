#include "evaluation/ModelAnalysis.h"

#include <gtest/gtest.h>

#include "core/Tokenizer.h"

namespace vormid {
namespace {

std::string Lines(std::initializer_list<const char*> lines) {
    std::string s;
    for (const char* l : lines) (s += l) += kLineSeparator;
    return s;
}

std::string Names(const TGumParams& params) {
    std::string s;
    for (const auto& p : params) s += p->Name + ":" + std::to_string(static_cast<int>(p->Kind)) + " ";
    return s;
}

struct Analysis : ::testing::Test {
    TGumParams params;
    TDeletedQuantities deleted;
    TAnalysisOutcome Run(const std::string& text) { return AnalyseModel(text, params, deleted); }
};

TEST_F(Analysis, ListFollowsTheEquationInOrderOfAppearance) {
    EXPECT_TRUE(Run(Lines({"Y = A + B"})).Changed);
    EXPECT_EQ(Names(params), "Y:1 A:0 B:0 ");
    // B becomes an intermediate result, C comes after B.
    Run(Lines({"Y = A + B", "B = C*2"}));
    EXPECT_EQ(Names(params), "Y:1 A:0 B:2 C:0 ");
    // A function name is no quantity.
    Run(Lines({"Y = sin(A) + B", "B = C*2"}));
    EXPECT_EQ(Names(params), "Y:1 A:0 B:2 C:0 ");
    EXPECT_FALSE(Run(Lines({"Y = sin(A) + B", "B = C*2"})).Changed);
}

TEST_F(Analysis, RemovedNameTakesOnlyItsQuantityAndComesBackWithItsData) {
    Run(Lines({"Y = A + B"}));
    params.FindByName("A")->SetKind(TParamKind::TypeB);
    params.FindByName("A")->StatedValue = 4.5;
    params.FindByName("B")->Description = "kept";
    TAnalysisOutcome out = Run(Lines({"Y = B"}));
    EXPECT_EQ(out.Deleted, 1);
    EXPECT_EQ(Names(params), "Y:1 B:0 ");
    EXPECT_EQ(params.FindByName("B")->Description, "kept");
    EXPECT_TRUE(deleted.Contains("A"));
    out = Run(Lines({"Y = A + B"}));
    EXPECT_EQ(out.Restored, 1);
    ASSERT_NE(params.FindByName("A"), nullptr);
    EXPECT_EQ(params.FindByName("A")->Kind, TParamKind::TypeB);
    EXPECT_DOUBLE_EQ(params.FindByName("A")->StatedValue, 4.5);
    EXPECT_EQ(params.FindByName("A")->Owner, &params);
    EXPECT_EQ(Names(params), "Y:1 A:4 B:0 ");
    EXPECT_FALSE(deleted.Contains("A"));
}

TEST_F(Analysis, NameLongerThanTheFileKeepsIsRefusedNamingItsLine) {
    Run(Lines({"Y = A"}));
    const std::string name(101, 'N');
    TAnalysisOutcome out = Run(Lines({"Y = A", ("Z = " + name).c_str()}));
    EXPECT_FALSE(out.Ok);
    EXPECT_NE(out.Message.find("Ред 2"), std::string::npos) << out.Message;
    EXPECT_EQ(Names(params), "Y:1 A:0 ");
    EXPECT_TRUE(Run(Lines({"Y = A", ("Z = " + std::string(100, 'N')).c_str()})).Ok);
}

TEST_F(Analysis, NameAfterLeadingNormalMarkerStays) {
    Run(Lines({"\\nY = A"}));
    EXPECT_EQ(Names(params), "Y:1 A:0 ");
}

}  // namespace
}  // namespace vormid
