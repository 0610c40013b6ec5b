// The equation language: parsing, precedence, numbers and every function.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <stdexcept>

#include "core/Formula.h"
#include "tests/core/formula_test_util.h"

namespace vormid {
namespace {

using test::Calc;
using test::TVars;

struct TValueCase {
    const char* Text;
    double Expected;
    double Tolerance;  // 0: exactly
};

void ExpectValue(const TValueCase& c, const TVars& vars) {
    SCOPED_TRACE(c.Text);
    const auto r = Calc(c.Text, vars);
    ASSERT_TRUE(r.Compiled);
    EXPECT_EQ(r.Error, NoError);
    if (c.Tolerance == 0.0)
        EXPECT_EQ(r.Value, c.Expected);
    else
        EXPECT_NEAR(r.Value, c.Expected, c.Tolerance);
}

TEST(FormulaParse, PrecedenceAndAssociativity) {
    const TVars vars{{"a", 3.0}, {"b", 2.0}, {"c", 5.0}, {"x", 0.5}};
    const TValueCase cases[] = {
        {"2+3*4", 14, 0},    {"(2+3)*4", 20, 0},    {"((2+3))", 5, 0}, {"8/2/2", 2, 0},
        {"2^3^2", 64, 0},    {"-a^2", 9, 0},        {"-a*b", -6, 0},   {"a-b-c", -4, 0},
        {"a-b+c", 6, 0},     {"a/b*c", 7.5, 0},     {"2*3^2", 18, 0},  {"2^-1", 0.5, 0},
        {"1 + 2 * 3", 7, 0}, {"\t( a )\r\n", 3, 0}, {"(a)*(b)", 6, 0}, {"((a+b)*(c-b))/a", 5, 0},
        {"0-5", -5, 0},
    };
    for (const auto& c : cases) ExpectValue(c, vars);
}

TEST(FormulaParse, SignedLiteralsAndNegatedGroups) {
    const TVars vars{{"a", 3.0}, {"b", 2.0}, {"x", 0.5}};
    const TValueCase cases[] = {
        {"-5", -5, 0},     {"2*-3", -6, 0},  {"-(a+b)", -5, 0},       {"-SIN(x)", -std::sin(0.5), 1e-15},
        {"-(-a)", 3, 0},   {"-(5)", -5, 0},  {"-2,5*2", -5, 0},       {"a*-b+1", -5, 0},
        {"-(a)-b", -5, 0}, {"(-a)^2", 9, 0}, {"-PI()", -M_PI, 1e-15}, {"MAX(-1;-5)", -1, 0},
    };
    for (const auto& c : cases) ExpectValue(c, vars);
}

// A minus right after an operator or an opening parenthesis is the sign of
// what follows and binds tighter than "^"; a second minus after a minus is
// not a sign, so the expression is refused rather than given a value.
TEST(FormulaParse, MinusAfterEachOperator) {
    const TValueCase cases[] = {{"1+-1", 0, 0},    {"2/-4", -0.5, 0},   {"2^-2", 0.25, 0}, {"-2^2", 4, 0},
                                {"2*-3^2", 18, 0}, {"2^-1^2", 0.25, 0}, {"3-(-3)", 6, 0},  {"-1-1", -2, 0}};
    for (const auto& c : cases) ExpectValue(c, {});
    for (const char* refused : {"1--1", "--1"}) {
        SCOPED_TRACE(refused);
        const auto r = Calc(refused);
        EXPECT_EQ(r.Error, InvalidNumber);
        EXPECT_TRUE(std::isnan(r.Value));
    }
}

TEST(FormulaParse, TreeShape) {
    TFormul f;
    ASSERT_TRUE(f.Compile("A - B * C"));
    EXPECT_EQ(f.Text(), "A - B * C");
    EXPECT_EQ(f.Source(), "A-B*C");
    const TFormulDef* root = f.Root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->Op, op_Sub);
    EXPECT_EQ(root->Text, "A-B*C");
    ASSERT_EQ(root->Children.size(), 2u);
    EXPECT_EQ(root->Children[0]->Op, op_Name);
    EXPECT_EQ(root->Children[0]->Text, "A");
    EXPECT_EQ(root->Children[0]->Parent, root);
    const TFormulDef* mul = root->Children[1].get();
    EXPECT_EQ(mul->Op, op_Mul);
    EXPECT_EQ(f.Source().substr(mul->SourceBegin, mul->SourceEnd - mul->SourceBegin), "B*C");
    EXPECT_EQ(mul->Children[1]->Text, "C");

    ASSERT_TRUE(f.Compile("-x"));
    EXPECT_EQ(f.Root()->Op, op_Name);
    EXPECT_EQ(f.Root()->Text, "x");
    EXPECT_TRUE(f.Root()->Negate);

    ASSERT_TRUE(f.Compile("LOG(2;MAX(a;b))"));
    EXPECT_EQ(f.Root()->Op, 32);
    ASSERT_EQ(f.Root()->Children.size(), 2u);
    EXPECT_EQ(f.Root()->Children[1]->Op, 43);
}

TEST(FormulaParse, EmptyCompileKeepsStoredText) {
    TFormul f;
    TVars vars;
    ASSERT_TRUE(f.Compile("2+3"));
    ASSERT_TRUE(f.Compile(""));
    EXPECT_EQ(f.Text(), "2+3");
    EXPECT_EQ(f.Evaluate(&test::MapLookup, &vars), 5.0);
}

TEST(FormulaParse, UnbalancedParenthesesFailToCompile) {
    for (const char* text : {"(a+b", "a+b)", ")(", "SIN(x", "((1)"}) {
        SCOPED_TRACE(text);
        TFormul f;
        EXPECT_FALSE(f.Compile(text));
        EXPECT_FALSE(f.Compiled());
        TVars vars;
        EXPECT_THROW(f.Evaluate(&test::MapLookup, &vars), std::logic_error);
    }
}

TEST(FormulaParse, PiNeedsItsParentheses) {
    EXPECT_NEAR(Calc("sin(PI()/2)").Value, 1.0, 1e-15);
    EXPECT_NEAR(Calc("PI(7;8)").Value, M_PI, 1e-15);
    // Without parentheses PI is a name: the lookup decides.
    EXPECT_EQ(Calc("PI*2", {{"PI", 4.0}}).Value, 8.0);
    EXPECT_THROW(Calc("PI*2"), std::runtime_error);
}

TEST(FormulaParse, NotACallIsAName) {
    // A call that does not span the whole text, or an unknown function name,
    // leaves a name that the lookup gets to see.
    for (const char* text : {"SIN(x)(y)", "FOO(1)", "(a)(b)", "2(3)"}) {
        SCOPED_TRACE(text);
        TFormul f;
        ASSERT_TRUE(f.Compile(text));
        EXPECT_EQ(f.Root()->Op, op_Name);
        EXPECT_EQ(f.Root()->Text, text);
    }
}

TEST(FormulaNumbers, CommaAndPoint) {
    const TValueCase cases[] = {
        {"2,5*2", 5, 0},
        {"2.5*2", 5, 0},
        {"0,1+0,2", 0.1L + 0.2L, 0},
        {"5.", 5, 0},
        {",5", 0.5, 0},
        {"007", 7, 0},
        {"123456789012345678901234567890", 1.2345678901234568e29, 0},
    };
    for (const auto& c : cases) ExpectValue(c, {});
}

TEST(FormulaNumbers, IsNumberText) {
    struct TCase {
        const char* Text;
        bool Expected;
    } const cases[] = {
        {"", true},       {"0", true},    {"12,5", true}, {"12.5", true}, {",", true},   {"1,2,3", false},
        {"1,2.3", false}, {"1e5", false}, {"-1", false},  {"a1", false},  {" 1", false}, {"1.", true},
    };
    for (const auto& c : cases) EXPECT_EQ(IsNumberText(c.Text), c.Expected) << c.Text;
}

// A C++ global locale with a decimal comma must not change how literals read.
struct TCommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(FormulaNumbers, IndependentOfTheCppGlobalLocale) {
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new TCommaPunct));
    EXPECT_EQ(Calc("2,5*2").Value, 5.0);
    EXPECT_EQ(Calc("2.5*2").Value, 5.0);
    std::locale::global(previous);
}

TEST(FormulaNumbers, IndependentOfTheCLocale) {
    const char* comma = nullptr;
    for (const char* name :
         {"bg_BG.UTF-8", "bg_BG.utf8", "de_DE.UTF-8", "de_DE.utf8", "ru_RU.UTF-8", "fr_FR.UTF-8", "de_DE", "bg_BG"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            comma = name;
            break;
        }
    }
    if (comma == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
    ASSERT_EQ(*std::localeconv()->decimal_point, ',');
    const auto a = Calc("2,5*2");
    const auto b = Calc("2.5*2");
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(a.Value, 5.0);
    EXPECT_EQ(b.Value, 5.0);
}

TEST(FormulaFunctions, Values) {
    const TValueCase cases[] = {
        {"MAX(1;5;3)", 5, 0},
        {"MIN(4;-2;3)", -2, 0},
        {"AVG(1;2;3;4)", 2.5, 0},
        {"SUM(1;2;3;4)", 10, 0},
        {"PRODUCT(2;3;4)", 24, 0},
        {"SQRT(27;3)", 3, 1e-15},
        {"SQRT(16)", 4, 0},
        {"LOG(2;8)", 3, 1e-15},
        {"LOG(10;1000)", 3, 1e-15},
        {"MOD(7;3)", 1, 0},
        {"DIV(7;2)", 3, 0},
        {"MOD(-7;3)", -1, 0},
        {"DIV(-7;2)", -3, 0},
        {"MOD(7,5;2)", 0, 0},
        {"DIV(6,5;2)", 3, 0},
        {"FACT(0)", 1, 0},
        {"FACT(3.7)", 6, 0},
        {"FACT(5)", 120, 0},
        {"FACT(170)", 7.257415615307994e306, 1e292},
        {"ABS(-2,5)", 2.5, 0},
        {"INT(-2,7)", -2, 0},
        {"INT(2,7)", 2, 0},
        {"ROUND(2,5)", 2, 0},
        {"ROUND(3,5)", 4, 0},
        {"ROUND(-2,5)", -2, 0},
        {"ROUND(2,51)", 3, 0},
        {"FLOOR(-2,5)", -3, 0},
        {"CEIL(-2,5)", -2, 0},
        {"sin(0,5)", std::sin(0.5), 1e-16},
        {"COS(0,5)", std::cos(0.5), 1e-16},
        {"TAN(0,5)", std::tan(0.5), 1e-16},
        {"SINH(1)", std::sinh(1.0), 1e-15},
        {"COSH(1)", std::cosh(1.0), 1e-15},
        {"TANH(1)", std::tanh(1.0), 1e-16},
        {"ASIN(1)", M_PI / 2, 1e-15},
        {"ACOS(-1)", M_PI, 1e-15},
        {"ATAN(1)", M_PI / 4, 1e-16},
        {"ASINH(1)", std::asinh(1.0), 1e-15},
        {"ACOSH(2)", std::acosh(2.0), 1e-15},
        {"ATANH(0,5)", std::atanh(0.5), 1e-15},
        {"COT(1)", 1 / std::tan(1.0), 1e-15},
        {"COTH(1)", std::cosh(1.0) / std::sinh(1.0), 1e-15},
        {"COTH(-20000)", -1, 0},
        {"ACOT(1)", M_PI / 4, 1e-15},
        {"ACOT(-1)", 3 * M_PI / 4, 1e-15},
        {"ACOTH(2)", 0.5 * std::log(3.0), 1e-15},
        {"ACOTH(-3)", 0.5 * std::log(0.5), 1e-15},
        {"DEG(PI())", 180, 1e-13},
        {"RAD(180)", M_PI, 1e-15},
        {"LN(EXP(2))", 2, 1e-15},
        {"LOG2(8)", 3, 0},
        {"LOG10(1000)", 3, 0},
        {"EXP(0)", 1, 0},
        {"2^0,5", std::sqrt(2.0), 1e-15},
    };
    for (const auto& c : cases) ExpectValue(c, {});
}

// An argument that is already NaN passes through without an error of its
// own, in any position (MIN and MAX would otherwise depend on where it
// stands); 0*inf and inf-inf are an invalid operation; SUM adds from left
// to right, which decides the result where the terms cancel.
TEST(FormulaFunctions, NaNArgumentsCancellingTermsAndOneArgument) {
    const TVars vars{{"n", std::nan("")}, {"i", HUGE_VAL}, {"a", 1e20}};
    for (const char* text : {"SUM(n;1)", "SUM(1;n)", "AVG(1;n)", "PRODUCT(2;n)", "MAX(n;1)", "MAX(1;n;3)", "MAX(1;3;n)",
                             "MIN(n;1)", "MIN(1;n;-3)", "MIN(1;-3;n)"}) {
        SCOPED_TRACE(text);
        const auto r = Calc(text, vars);
        EXPECT_TRUE(std::isnan(r.Value));
        EXPECT_EQ(r.Error, NoError);
    }
    for (const char* text : {"PRODUCT(0;i)", "PRODUCT(i;0)", "SUM(i;-i)", "AVG(-i;1;i)"}) {
        SCOPED_TRACE(text);
        const auto r = Calc(text, vars);
        EXPECT_TRUE(std::isnan(r.Value));
        EXPECT_EQ(r.Error, InvalidOperation);
    }
    // 1 is below half the spacing of long doubles near 1e20.
    const TValueCase cases[] = {{"SUM(a;1;-a)", 0, 0}, {"SUM(a;-a;1)", 1, 0}, {"SUM(7)", 7, 0},
                                {"PRODUCT(7)", 7, 0},  {"MAX(-7)", -7, 0},    {"MIN(-7)", -7, 0},
                                {"MAX(3;3;1)", 3, 0},  {"MIN(1;3;1)", 1, 0}};
    for (const auto& c : cases) ExpectValue(c, vars);
}

TEST(FormulaErrors, EveryCode) {
    struct TCase {
        const char* Text;
        int Error;
    } const cases[] = {
        {"1+2", NoError},
        {"", InvalidNumber},
        {"SIN()", InvalidNumber},
        {"MAX(1;;3)", InvalidNumber},
        {"2*", InvalidNumber},
        {",", InvalidNumber},
        {"LOG(8)", InvalidNumber},
        {"MOD(7)", InvalidNumber},
        {"1/0", DivisionByZero},
        {"1/(2-2)", DivisionByZero},
        {"LOG2(0)", DivisionByZero},
        {"LOG10(-1)", DivisionByZero},
        {"LN(0)", DivisionByZero},
        {"MOD(7;0)", DivisionByZero},
        {"DIV(7;0)", DivisionByZero},
        {"MOD(7;0,4)", DivisionByZero},
        {"SQRT(4;0)", DivisionByZero},
        {"ASIN(2)", OutOfRange},
        {"ACOS(-1,5)", OutOfRange},
        {"FACT(171)", OutOfRange},
        {"FACT(-1)", OutOfRange},
        {"SQRT(-1)", OutOfRange},
        {"SQRT(-8;3)", OutOfRange},
        {"ACOTH(1)", OutOfRange},
        {"ACOTH(0,5)", OutOfRange},
        {"ACOSH(0,5)", OutOfRange},
        {"ATANH(1)", OutOfRange},
        {"MOD(10000000000000000000000;3)", OutOfRange},
        {"COT(0)", UndefinedValue},
        {"COTH(0)", UndefinedValue},
        {"LOG(1.5;8)", InvalidOperation},
        {"LOG(2;0)", InvalidOperation},
        {"(0-8)^(1/3)", InvalidOperation},
        {"FACT(170)", NoError},
        // Later errors overwrite earlier ones; "/" evaluates its divisor
        // first, so the dividend's error comes later.
        {"ASIN(2)+1/0", DivisionByZero},
        {"1/0+ASIN(2)", OutOfRange},
        {"ASIN(2)/LOG(1;2)", OutOfRange},
        {"(1/0)/COT(0)", DivisionByZero},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        const auto r = Calc(c.Text);
        ASSERT_TRUE(r.Compiled);
        EXPECT_EQ(r.Error, c.Error);
        if (c.Error != NoError) {
            EXPECT_TRUE(std::isnan(r.Value));
        }
    }
}

TEST(FormulaErrors, ResetAtEveryEvaluation) {
    EXPECT_EQ(Calc("1/0").Error, DivisionByZero);
    EXPECT_EQ(Calc("1/1").Error, NoError);
}

TEST(FormulaEvaluate, NeverCompiledThrows) {
    TFormul f;
    TVars vars;
    EXPECT_EQ(f.Root(), nullptr);
    EXPECT_THROW(f.Evaluate(&test::MapLookup, &vars), std::logic_error);
    const double none[1] = {0.0};
    EXPECT_THROW(f.EvaluateBound(std::span<const double>(none, 0)), std::logic_error);
    EXPECT_THROW(f.EvaluateWithSlot(0, 1.0), std::logic_error);
}

TEST(FormulaEvaluate, ThrowingLookupReachesTheCaller) {
    TFormul f;
    ASSERT_TRUE(f.Compile("A+B"));
    TVars vars{{"A", 1.0}};
    EXPECT_THROW(f.Evaluate(&test::MapLookup, &vars), std::runtime_error);
    vars["B"] = 2.0;
    EXPECT_EQ(f.Evaluate(&test::MapLookup, &vars), 3.0);
}

TEST(FormulaEvaluate, LookupOncePerLeafInEvaluationOrder) {
    struct TLog {
        std::string Names;
    } log;
    const auto lookup = [](void* context, const std::string& name) -> double {
        static_cast<TLog*>(context)->Names += name;
        return 2.0;
    };
    TFormul f;
    ASSERT_TRUE(f.Compile("a*b/(c-d)+a"));
    f.Evaluate(lookup, &log);
    // The divisor (c-d) comes before the dividend a*b.
    EXPECT_EQ(log.Names, "cdaba");
    EXPECT_EQ(EvalError, DivisionByZero);
}

TEST(FormulaEvaluate, ExtendedPrecisionInside) {
    // 1e18 + 1 - 1e18 is 0 in doubles, 1 in extended precision.
    EXPECT_EQ(Calc("1000000000000000000+1-1000000000000000000").Value, 1.0);
}

TEST(FormulaEvaluate, LongChainsNeitherRecurseNorCrawl) {
    // 50 000 terms: a recursive parser, evaluator or destructor would
    // exhaust the stack (and the sanitizer build's stack first of all).
    std::string text;
    for (int i = 0; i < 50000; ++i) text += i ? "+x" : "x";
    TVars vars{{"x", 1.0}};
    auto r = Calc(text, vars);
    EXPECT_EQ(r.Value, 50000.0);
    std::string nested(50000, '(');
    nested += "-x";
    nested += std::string(50000, ')');
    EXPECT_EQ(Calc(nested, vars).Value, -1.0);
    std::string negations;
    for (int i = 0; i < 20000; ++i) negations += "-(";
    negations += "x";
    negations += std::string(20000, ')');
    EXPECT_EQ(Calc(negations, vars).Value, 1.0);
}

}  // namespace
}  // namespace vormid
