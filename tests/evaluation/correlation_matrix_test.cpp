#include "evaluation/CorrelationMatrix.h"

#include <gtest/gtest.h>

#include <cmath>

#include "evaluation/Cp1251Text.h"

namespace vormid {
namespace {

const std::vector<std::string> kABC = {"A", "B", "C"};

// R = L·Lᵀ recomputed from the factor.
double Product(const TCorrelationFactor& f, std::size_t i, std::size_t j) {
    double s = 0.0;
    for (std::size_t k = 0; k < f.Size(); ++k) s += f.Lower(i, k) * f.Lower(j, k);
    return s;
}

bool Mentions(const std::string& message, const char* utf8) {
    return message.find(Cp1251FromUtf8(utf8)) != std::string::npos;
}

struct TAccepted {
    const char* Name;
    std::vector<TCoefficient> Coefficients;
    double AB, AC, BC;  // the matrix that L·Lᵀ must give
};

void PrintTo(const TAccepted& c, std::ostream* os) { *os << c.Name; }

class CorrelationAccepted : public testing::TestWithParam<TAccepted> {};

TEST_P(CorrelationAccepted, FactorReproducesTheMatrix) {
    const TAccepted& c = GetParam();
    const TCorrelationCheck check = CheckCorrelations(kABC, c.Coefficients);
    ASSERT_TRUE(check.Ok) << check.Message;
    const TCorrelationFactor& f = check.Factor;
    EXPECT_NEAR(Product(f, 0, 1), c.AB, 1e-12);
    EXPECT_NEAR(Product(f, 0, 2), c.AC, 1e-12);
    EXPECT_NEAR(Product(f, 1, 2), c.BC, 1e-12);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_NEAR(Product(f, i, i), 1.0, 1e-12);
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = i + 1; j < 3; ++j) EXPECT_EQ(f.Lower(i, j), 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Matrices, CorrelationAccepted,
    testing::Values(
        TAccepted{"None", {}, 0, 0, 0}, TAccepted{"OnePair", {{"A", "B", 0.5}}, 0.5, 0, 0},
        TAccepted{"BothOrdersAddUp", {{"A", "B", 0.25}, {"B", "A", 0.25}}, 0.5, 0, 0},
        TAccepted{"FullCorrelationIsSemiDefinite", {{"A", "B", 1.0}, {"B", "C", 1.0}, {"A", "C", 1.0}}, 1, 1, 1},
        TAccepted{"SingularButSemiDefinite", {{"A", "B", 0.5}, {"B", "C", 0.5}, {"A", "C", -0.5}}, 0.5, -0.5, 0.5},
        TAccepted{"FullAntiCorrelation", {{"A", "B", -1.0}}, -1, 0, 0},
        TAccepted{"UnknownNamesAndSelfOneIgnored", {{"A", "X", 0.9}, {"A", "A", 1.0}, {"B", "C", 0.3}}, 0, 0, 0.3}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TRefused {
    const char* Name;
    std::vector<TCoefficient> Coefficients;
    std::vector<std::pair<std::string, std::string>> Pairs;
    const char* Says;
};

void PrintTo(const TRefused& c, std::ostream* os) { *os << c.Name; }

class CorrelationRefused : public testing::TestWithParam<TRefused> {};

TEST_P(CorrelationRefused, MessageNamesTheOffendingPairs) {
    const TRefused& c = GetParam();
    const TCorrelationCheck check = CheckCorrelations(kABC, c.Coefficients);
    EXPECT_FALSE(check.Ok);
    EXPECT_EQ(check.Pairs, c.Pairs);
    EXPECT_TRUE(Mentions(check.Message, c.Says)) << check.Message;
    for (const auto& [a, b] : c.Pairs) {
        if (a == b) continue;  // a self-correlation names the quantity once
        EXPECT_TRUE(Mentions(check.Message, ("„" + a + "“ и „" + b + "“").c_str())) << check.Message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Matrices, CorrelationRefused,
    testing::Values(TRefused{"AboveOne", {{"B", "C", 1.2}}, {{"B", "C"}}, "извън интервала"},
                    TRefused{"BothOrdersAboveOne", {{"A", "B", 0.6}, {"B", "A", 0.6}}, {{"A", "B"}}, "извън интервала"},
                    TRefused{"NotANumber", {{"A", "C", std::nan("")}}, {{"A", "C"}}, "не е число"},
                    TRefused{"SelfNotOne", {{"B", "B", 0.5}}, {{"B", "B"}}, "със себе си"},
                    // Each pair is possible, the three together are not.
                    TRefused{"Incompatible",
                             {{"A", "B", 0.9}, {"B", "C", 0.9}, {"A", "C", -0.9}},
                             {{"A", "B"}, {"A", "C"}, {"B", "C"}},
                             "несъвместими"},
                    // A zero pivot with a non-zero remainder is indefinite too.
                    TRefused{"FullThenContradicting",
                             {{"A", "B", 1.0}, {"A", "C", 1.0}, {"B", "C", 0.0}},
                             {{"A", "B"}, {"A", "C"}},
                             "несъвместими"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CorrelationMatrix, SmallestIncompatibleGroupIsNamed) {
    // D and E are fine on their own; only A, B, C conflict.
    const std::vector<std::string> names = {"D", "A", "B", "E", "C"};
    const TCorrelationCheck check = CheckCorrelations(
        names, {{"D", "A", 0.1}, {"E", "D", 0.2}, {"A", "B", 0.9}, {"B", "C", 0.9}, {"C", "A", -0.9}});
    ASSERT_FALSE(check.Ok);
    const std::vector<std::pair<std::string, std::string>> pairs = {{"A", "B"}, {"C", "A"}, {"B", "C"}};
    EXPECT_EQ(check.Pairs, pairs);
    EXPECT_FALSE(Mentions(check.Message, "„D“"));
}

TEST(CorrelationMatrix, GroupsAreFactoredApartAndCorrelateApplies) {
    std::vector<std::string> names;
    for (int i = 0; i < 1000; ++i) names.push_back("X" + std::to_string(i));
    TCorrelation model;
    model.AddPair("X10", "X500");
    model.SetCoefficient(0, 0.6);
    model.AddPair("X998", "X3");
    model.SetCoefficient(1, -0.8);
    const TCorrelationCheck check = CheckCorrelations(names, model);
    ASSERT_TRUE(check.Ok) << check.Message;
    const TCorrelationFactor& f = check.Factor;
    ASSERT_EQ(f.Blocks().size(), 2u);
    EXPECT_TRUE(f.IsCorrelated(500));
    EXPECT_FALSE(f.IsCorrelated(11));

    std::vector<double> z(1000, 0.0), out(1000, -7.0);
    z[10] = 1.0;
    z[500] = 2.0;
    z[3] = 1.0;
    z[11] = 5.0;
    f.Correlate(z, out);
    EXPECT_DOUBLE_EQ(out[10], 1.0);
    EXPECT_NEAR(out[500], 0.6 + 0.8 * 2.0, 1e-15);
    EXPECT_DOUBLE_EQ(out[3], 1.0);
    EXPECT_NEAR(out[998], -0.8, 1e-15);
    EXPECT_EQ(out[11], 5.0);
    EXPECT_EQ(out[0], 0.0);
}

}  // namespace
}  // namespace vormid
