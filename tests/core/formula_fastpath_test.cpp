// Bound and incremental evaluation agree bit for bit with full evaluation.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Formula.h"
#include "tests/core/formula_test_util.h"

namespace vormid {
namespace {

using test::TVars;

std::uint64_t Bits(double v) {
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

struct TOutcome {
    std::uint64_t Bits;
    int Error;
    bool operator==(const TOutcome&) const = default;
};

TOutcome Full(TFormul& f, TVars vars) {
    const double v = f.Evaluate(&test::MapLookup, &vars);
    return {Bits(v), EvalError};
}

std::vector<double> SlotValues(const TFormul& f, const TVars& vars) {
    std::vector<double> x;
    for (const auto& name : f.SlotNames()) x.push_back(vars.at(name));
    return x;
}

// Checks every slot of f shifted to each of shifts against full evaluations.
void CheckAllSlots(TFormul& f, const TVars& vars, const std::vector<double>& shifts) {
    const std::vector<double> x = SlotValues(f, vars);
    const TOutcome expectedBase = Full(f, vars);
    const TOutcome base{Bits(f.EvaluateBound(x)), EvalError};
    ASSERT_EQ(base, expectedBase);
    for (std::size_t slot = 0; slot < x.size(); ++slot) {
        for (const double shift : shifts) {
            TVars shifted = vars;
            shifted[f.SlotNames()[slot]] = shift;
            // The full evaluation refills the cache, so take it first and
            // restore the cache with EvaluateBound before the incremental one.
            const TOutcome expected = Full(f, shifted);
            f.EvaluateBound(x);
            const TOutcome got{Bits(f.EvaluateWithSlot(slot, shift)), EvalError};
            ASSERT_EQ(got, expected) << f.Text() << " slot " << f.SlotNames()[slot] << " = " << shift;
            const auto pair = f.EvaluateWithSlotPair(slot, shift, x[slot]);
            ASSERT_EQ((TOutcome{Bits(pair[0].Value), pair[0].Error}), expected) << f.Text();
            ASSERT_EQ((TOutcome{Bits(pair[1].Value), pair[1].Error}), base) << f.Text();
            ASSERT_EQ(EvalError, base.Error);
            // The cache still holds the unshifted values.
            const TOutcome again{Bits(f.EvaluateWithSlot(slot, x[slot])), EvalError};
            ASSERT_EQ(again, base) << f.Text() << " slot " << slot;
        }
    }
}

TEST(FormulaFastPath, SlotsInOrderOfAppearance) {
    TFormul f;
    ASSERT_TRUE(f.Compile("B/A + C*B - A"));
    EXPECT_EQ(f.SlotNames(), (std::vector<std::string>{"B", "A", "C"}));
    EXPECT_EQ(f.FindSlot("C"), 2);
    EXPECT_EQ(f.FindSlot("D"), -1);
    ASSERT_TRUE(f.Compile("2+3"));
    EXPECT_TRUE(f.SlotNames().empty());
}

TEST(FormulaFastPath, ProductBudget) {
    TFormul f;
    ASSERT_TRUE(f.Compile("A*B"));
    const double x[] = {2.0, 3.0};
    EXPECT_EQ(f.EvaluateBound(x), 6.0);
    EXPECT_EQ(f.EvaluateWithSlot(0, 2.1), 2.1 * 3.0);
    EXPECT_EQ(f.EvaluateWithSlot(1, 3.2), 2.0 * 3.2);
    EXPECT_EQ(f.EvaluateWithSlot(0, 2.0), 6.0);
}

TEST(FormulaFastPath, LookupEvaluationFillsTheCache) {
    TFormul f;
    ASSERT_TRUE(f.Compile("A/B"));
    TVars vars{{"A", 1.0}};
    EXPECT_THROW(f.Evaluate(&test::MapLookup, &vars), std::runtime_error);
    EXPECT_THROW(f.EvaluateWithSlot(0, 1.0), std::logic_error);  // the failed pass left no cache
    vars["B"] = 4.0;
    EXPECT_EQ(f.Evaluate(&test::MapLookup, &vars), 0.25);
    EXPECT_TRUE(std::isnan(f.EvaluateWithSlot(1, 0.0)));
    EXPECT_EQ(EvalError, DivisionByZero);
    EXPECT_EQ(f.EvaluateWithSlot(0, 3.0), 0.75);
    EXPECT_EQ(EvalError, NoError);
}

TEST(FormulaFastPath, Contracts) {
    TFormul f;
    ASSERT_TRUE(f.Compile("A+B"));
    EXPECT_THROW(f.EvaluateWithSlot(0, 1.0), std::logic_error);  // no cache yet
    const double two[] = {1.0, 2.0};
    EXPECT_THROW(f.EvaluateBound(std::span<const double>(two, 1)), std::invalid_argument);
    f.EvaluateBound(two);
    EXPECT_THROW(f.EvaluateWithSlot(2, 1.0), std::out_of_range);
    ASSERT_TRUE(f.Compile("A-B"));
    EXPECT_THROW(f.EvaluateWithSlot(0, 1.0), std::logic_error);  // a new compile drops the cache
}

TEST(FormulaFastPath, ErrorsMatchFullEvaluation) {
    const TVars vars{{"A", 1.0}, {"B", 2.0}, {"C", 0.5}};
    const std::vector<double> shifts{0.0, 1.0, 2.0, -1.0, 3.0, 0.5, 171.0};
    for (const char* text : {
             "1/(A-B) + ASIN(C)",
             "ASIN(C)/(A-B)",
             "LOG(B;A)*COT(C-0,5)+1/A",
             "A/B/C",
             "FACT(B)*SQRT(A-1)+MOD(B;C)",
             "A*A + B*B + C*C + A/C",
             "MAX(A;B;C;A)-MIN(C;B)+SUM(A;A;A)",
             "-(A+B)^C - -SIN(A)*-2",
             "ASIN(A)+ASIN(B)+ASIN(C)",
             "1/0+A",
             "A",
             "-A",
             "(A)*(-A)",
             "SIN(A;1/0)",
             "SUM(A;B;C;A;B;C;A;B;C;A;B;C;A;B;C;A;B;C)",
         }) {
        TFormul f;
        ASSERT_TRUE(f.Compile(text));
        CheckAllSlots(f, vars, shifts);
    }
}

// Random expressions over a few names, with values that hit the domain
// limits of the functions now and then.
class TRandomExpression {
public:
    explicit TRandomExpression(std::uint32_t seed) : Rng_(seed) {}

    std::string Make(int depth) {
        const int pick = Pick(depth <= 0 ? 3 : 10);
        switch (pick) {
            case 0:
                return Names[Pick(4)];
            case 1:
                return std::to_string(Pick(5)) + (Pick(2) ? ",5" : "");
            case 2:
                return "-" + Names[Pick(4)];
            case 3:
            case 4:
            case 5:
            case 6: {
                static const char ops[] = "+-*/^";
                return Make(depth - 1) + ops[Pick(5)] + Make(depth - 1);
            }
            case 7:
                return "(" + Make(depth - 1) + ")";
            case 8:
                return "-(" + Make(depth - 1) + ")";
            default: {
                static const char* const fns[] = {"SIN", "ASIN", "LN",  "SQRT",  "COT",   "FACT", "LOG",
                                                  "MOD", "MAX",  "SUM", "ACOTH", "ROUND", "DIV"};
                std::string s = fns[Pick(13)];
                s += "(" + Make(depth - 1);
                for (int k = Pick(3); k > 0; --k) s += ";" + Make(depth - 1);
                return s + ")";
            }
        }
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(Rng_); }

    const std::string Names[4] = {"a", "b", "c", "d"};

private:
    std::mt19937 Rng_;
};

TEST(FormulaFastPath, RandomExpressionsBitIdentical) {
    TRandomExpression gen(20261208);
    const TVars vars{{"a", 0.75}, {"b", 2.0}, {"c", -1.5}, {"d", 0.0}};
    const std::vector<double> shifts{0.0, 1.0, -0.3, 170.5, 2.25};
    for (int i = 0; i < 400; ++i) {
        TFormul f;
        const std::string text = gen.Make(5);
        ASSERT_TRUE(f.Compile(text)) << text;
        CheckAllSlots(f, vars, shifts);
    }
}

TEST(FormulaFastPath, LongSumOfSquares) {
    constexpr int kTerms = 1000;
    std::string text;
    TVars vars;
    for (int i = 1; i <= kTerms; ++i) {
        const std::string name = "X" + std::to_string(i);
        text += (i > 1 ? "+" : "") + name + "*" + name;
        vars[name] = 1.0 / i;
    }
    TFormul f;
    ASSERT_TRUE(f.Compile(text));
    ASSERT_EQ(f.SlotNames().size(), static_cast<std::size_t>(kTerms));
    const std::vector<double> x = SlotValues(f, vars);
    const double base = f.EvaluateBound(x);
    EXPECT_EQ(Bits(base), Full(f, vars).Bits);
    f.EvaluateBound(x);
    for (const std::size_t slot : {std::size_t{0}, std::size_t{1}, std::size_t{kTerms / 2}, std::size_t{kTerms - 1}}) {
        TVars shifted = vars;
        shifted[f.SlotNames()[slot]] = x[slot] * 1.001;
        const double got = f.EvaluateWithSlot(slot, x[slot] * 1.001);
        TFormul g;
        ASSERT_TRUE(g.Compile(text));
        EXPECT_EQ(Bits(got), Full(g, shifted).Bits) << slot;
    }
}

}  // namespace
}  // namespace vormid
