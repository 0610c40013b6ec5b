// Block evaluation agrees bit for bit, error for error, with EvaluateBound;
// the double-precision one error for error and to a double's rounding.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/Formula.h"

namespace vormid {
namespace {

std::uint64_t Bits(double v) {
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// Sets that cross the domain edges of the equations below (0, 1, negatives).
std::vector<std::vector<double>> Sets(std::size_t slots, std::size_t count) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> u(-2.0, 2.0);
    std::vector<std::vector<double>> columns(slots, std::vector<double>(count));
    for (std::size_t k = 0; k < count; ++k)
        for (std::size_t i = 0; i < slots; ++i) {
            const int pick = static_cast<int>(rng() % 8);
            columns[i][k] = pick == 0 ? 0.0 : pick == 1 ? 1.0 : u(rng);
        }
    return columns;
}

class FormulaBlock : public testing::TestWithParam<const char*> {};

TEST_P(FormulaBlock, EveryLaneEqualsTheBoundEvaluation) {
    TFormul f;
    ASSERT_TRUE(f.Compile(GetParam()));
    const std::size_t slots = f.SlotNames().size();
    // 1000 sets: several full blocks and a partial one.
    const std::size_t count = 1000;
    const auto columns = Sets(slots, count);
    std::vector<const double*> pointers;
    for (const auto& c : columns) pointers.push_back(c.data());
    std::vector<double> values(count);
    std::vector<std::uint8_t> errors(count);
    TFormulBlockScratch scratch;
    EvalError = 99;
    f.EvaluateBlock(pointers, count, values.data(), errors.data(), scratch);
    EXPECT_EQ(EvalError, 99);  // the block leaves the thread's code alone
    for (std::size_t k = 0; k < count; ++k) {
        std::vector<double> x(slots);
        for (std::size_t i = 0; i < slots; ++i) x[i] = columns[i][k];
        const double expected = f.EvaluateBound(x);
        ASSERT_EQ(Bits(values[k]), Bits(expected)) << GetParam() << " set " << k;
        ASSERT_EQ(errors[k], EvalError) << GetParam() << " set " << k;
    }
}

TEST_P(FormulaBlock, DrawsHaveTheBoundErrorsAndValuesToRounding) {
    TFormul f;
    ASSERT_TRUE(f.Compile(GetParam()));
    const std::size_t slots = f.SlotNames().size();
    const std::size_t count = 1000;
    const auto columns = Sets(slots, count);
    std::vector<const double*> pointers;
    for (const auto& c : columns) pointers.push_back(c.data());
    std::vector<double> values(count);
    std::vector<std::uint8_t> errors(count);
    TFormulBlockScratch scratch;
    f.EvaluateDraws(pointers, count, values.data(), errors.data(), scratch);
    for (std::size_t k = 0; k < count; ++k) {
        std::vector<double> x(slots);
        for (std::size_t i = 0; i < slots; ++i) x[i] = columns[i][k];
        const double expected = f.EvaluateBound(x);
        ASSERT_EQ(errors[k], EvalError) << GetParam() << " set " << k;
        if (std::isnan(expected)) {
            ASSERT_TRUE(std::isnan(values[k])) << GetParam() << " set " << k;
        } else if (std::isinf(expected)) {
            ASSERT_EQ(values[k], expected) << GetParam() << " set " << k;
        } else {
            // A few roundings of a double, also where the terms cancel.
            ASSERT_NEAR(values[k], expected, 1e-13 * (4.0 + std::fabs(expected))) << GetParam() << " set " << k;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Equations, FormulaBlock,
                         testing::Values("A*B+C", "-A/B-(C-A)", "A^B", "LN(A)*LOG10(B)+EXP(-C)", "SQRT(A)+SQRT(B;3)",
                                         "MAX(A;B;C)-MIN(A;B)+SUM(A;B;C)/AVG(A;C)", "ASIN(A)+ACOS(B)+COT(C)",
                                         "MOD(A;B)+DIV(C;B)+ROUND(A)", "1,5*A-2.25/(B*B)", "A/0+B", "PI()*-A",
                                         "A+1.2.3", "X", "-LN(A)*EXP(B)/-SQRT(C)", "A*B/C+LN(A)*B"));

TEST(FormulaBlockErrors, NotCompiledAndWrongColumnCount) {
    TFormul f;
    TFormulBlockScratch scratch;
    double v = 0.0;
    std::uint8_t e = 0;
    EXPECT_THROW(f.EvaluateBlock({}, 1, &v, &e, scratch), std::logic_error);
    ASSERT_TRUE(f.Compile("A+B"));
    const double a = 1.0;
    const double* one[] = {&a};
    EXPECT_THROW(f.EvaluateBlock(one, 1, &v, &e, scratch), std::invalid_argument);
    EXPECT_THROW(f.EvaluateDraws(one, 1, &v, &e, scratch), std::invalid_argument);
}

}  // namespace
}  // namespace vormid
