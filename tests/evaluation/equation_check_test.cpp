// The three mistakes of the equation language that used to come out as "a
// name that is no quantity": an unknown function, an unreadable number and a
// name defined twice (with the "," between arguments beside them), each
// told with its place by the model analysis and by the budget.
#include "evaluation/EquationCheck.h"

#include <gtest/gtest.h>

#include "core/Cp1251.h"
#include "core/Tokenizer.h"
#include "evaluation/ModelAnalysis.h"
#include "evaluation/MonteCarlo.h"
#include "ModelBuilder.h"

namespace vormid {
namespace {

std::string Plain(std::initializer_list<const char*> lines) {
    std::string s;
    for (const char* l : lines) (s += l) += kLineSeparator;
    return s;
}

struct LanguageCase {
    const char* Name;
    std::vector<const char*> Lines;
    TEquationProblemKind Kind;
    int Line, Column;
    const char* Token;
    const char* Says;  // part of the message
};

const LanguageCase kCases[] = {
    {"unknown function",
     {"Y=A+SQR(B)"},
     TEquationProblemKind::UnknownFunction,
     1,
     5,
     "SQR",
     "Ред 1, знак 5 в „Y=A+SQR(B)“: „SQR“ пред „(“ не е функция на езика"},
    {"missing operator before a group",
     {"Y=A", "Z=2(A+B)"},
     TEquationProblemKind::UnknownFunction,
     2,
     3,
     "2",
     "умножението се пише със „*“"},
    {"exponent notation",
     {"Y=A*1e3"},
     TEquationProblemKind::UnreadableNumber,
     1,
     5,
     "1e3",
     "„1e3“ не е число на езика на уравненията"},
    {"negative exponent shown whole",
     {"Y=A*2.5E-3+B"},
     TEquationProblemKind::UnreadableNumber,
     1,
     5,
     "2.5E-3",
     "без степенен запис"},
    {"two decimal signs", {"Y=A+1,5,2"}, TEquationProblemKind::UnreadableNumber, 1, 5, "1,5,2", "не е число"},
    {"comma between arguments",
     {"Y=MAX(U,I)"},
     TEquationProblemKind::CommaSeparator,
     1,
     7,
     "U,I",
     "аргументите на функция се разделят с „;“"},
    {"name defined twice",
     {"Y=A+B", "X=A", "Y=A-B"},
     TEquationProblemKind::DefinedTwice,
     3,
     1,
     "Y",
     "Ред 3, знак 1 в „Y=A-B“: „Y“ е определено и на ред 1"},
    {"bracket never closed",
     {"P=U^2/(R"},
     TEquationProblemKind::UnbalancedBracket,
     1,
     7,
     "(",
     "Ред 1, знак 7 в „P=U^2/(R“: скобата „(“ не е затворена."},
    {"bracket never opened", {"Y=A", "Z=A+B)"}, TEquationProblemKind::UnbalancedBracket, 2, 6, ")", "не е отворена"},
    {"operand missing at the end", {"Y=A*"}, TEquationProblemKind::MissingOperand, 1, 4, "*", "на знака „*“ липсва"},
    {"operand missing at the start", {"Y=/A"}, TEquationProblemKind::MissingOperand, 1, 3, "/", "на знака „/“ липсва"},
    {"operand missing between operators", {"Y=A*^B"}, TEquationProblemKind::MissingOperand, 1, 5, "^", "липсва"},
    {"operand missing inside brackets", {"Y=(A-)*B"}, TEquationProblemKind::MissingOperand, 1, 5, "-", "липсва"},
    {"stray character", {"Y=A$B"}, TEquationProblemKind::StrayCharacter, 1, 4, "A$B", "знакът „$“ не е част"},
    {"second equals sign", {"Y=A=B"}, TEquationProblemKind::StrayCharacter, 1, 4, "=", "знакът „=“ не е част"},
};

TEST(EquationCheck, EachMistakeIsFoundWithItsPlaceAndTold) {
    for (const LanguageCase& c : kCases) {
        SCOPED_TRACE(c.Name);
        std::string text;
        for (const char* l : c.Lines) (text += l) += kLineSeparator;
        const auto problems = CheckEquationLanguage(text);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_EQ(problems[0].Kind, c.Kind);
        EXPECT_EQ(problems[0].Line, c.Line);
        EXPECT_EQ(problems[0].Column, c.Column);
        EXPECT_EQ(problems[0].Token, c.Token);
        EXPECT_NE(EquationProblemText(problems[0]).find(c.Says), std::string::npos) << EquationProblemText(problems[0]);
    }
}

TEST(EquationCheck, SoundEquationsAndQuantitiesNamedLikeMistakesPass) {
    EXPECT_TRUE(CheckEquationLanguage(Plain({"Y=sin(PI()/2)+LOG(2;X)*1,5+MAX(A;B;0.5)", "X=(A-B)/2"})).empty());
    EXPECT_TRUE(CheckEquationLanguage(Plain({"Y=-A*(-B)^-2+(+C)", "Z=PI*MAX(-A;+B)", "\\nW = U\\b1\\n/2"})).empty());
    // A model that has a quantity of that name keeps working.
    const auto known = [](const std::string& n) { return n == "1e3" || n == "F"; };
    EXPECT_TRUE(CheckEquationLanguage(Plain({"Y=1e3*F(2)"}), known).empty());
}

TEST(EquationCheck, AnalysisRefusesTheMistakeAndLeavesTheListAsItWas) {
    TGumParams params;
    TDeletedQuantities deleted;
    ASSERT_TRUE(AnalyseModel(Plain({"Y=A+B"}), params, deleted).Ok);
    for (const LanguageCase& c : kCases) {
        SCOPED_TRACE(c.Name);
        std::string text;
        for (const char* l : c.Lines) (text += l) += kLineSeparator;
        const TAnalysisOutcome out = AnalyseModel(text, params, deleted);
        EXPECT_FALSE(out.Ok);
        EXPECT_NE(out.Message.find(c.Says), std::string::npos) << out.Message;
        EXPECT_NE(out.Message.find("Списъкът с величините не е променен"), std::string::npos);
        ASSERT_EQ(params.Count(), 3);
        EXPECT_EQ(params.Get(0)->Name + params.Get(1)->Name + params.Get(2)->Name, "YAB");
    }
}

TEST(EquationCheck, BudgetOfAFileWrittenElsewhereSaysWhatIsWrong) {
    struct Case {
        const char* Name;
        std::vector<const char*> Lines;
        const char* Says;
    };
    const Case cases[] = {
        {"unknown function", {"Y = SQR(A) + B"}, "„SQR“ пред „(“ не е функция"},
        {"exponent notation", {"Y = A*1e-3 + B"}, "„1e-3“ не е число"},
        {"comma between arguments", {"Y = MAX(A,B)"}, "аргументите на функция се разделят с „;“"},
        {"result defined twice", {"Y = A + B", "Y = A - B"}, "„Y“ е определено и на ред 1"},
        {"intermediate defined twice", {"Y = X + B", "X = A", "X = 2*A"}, "„X“ е определено и на ред 2"},
        {"bracket never closed", {"Y = A^2/(B"}, "Ред 1, знак 7 в „Y=A^2/(B“: скобата „(“ не е затворена."},
        {"operand missing in an intermediate", {"Y = X + B", "X = A*"}, "Ред 2, знак 4 в „X=A*“: на знака „*“"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        test::TModel m;
        m.Result("Y");
        if (std::string(c.Name).starts_with("intermediate")) m.Var("X");
        m.TypeB("A", 1.0, 0.1);
        m.TypeB("B", 2.0, 0.1);
        m.Equation(c.Lines);
        const TBudget& b = m.Run("Y");
        EXPECT_NE(b.ErrorCode, NoError);
        EXPECT_NE(Cp1251ToUtf8(b.ErrorMessage).find(c.Says), std::string::npos) << Cp1251ToUtf8(b.ErrorMessage);
        // The Monte Carlo check of the same model tells the same mistake.
        if (std::string(c.Name).ends_with("twice") || std::string(c.Name).starts_with("bracket") ||
            std::string(c.Name).starts_with("operand"))
            continue;
        const std::string y = "Y";
        TMonteCarloOptions o;
        o.MaxTrials = 1000;
        o.Adaptive = false;
        const std::vector<TMonteCarloResult> mc = RunMonteCarlo(m.M, &y, o);
        ASSERT_EQ(mc.size(), 1u);
        EXPECT_FALSE(mc.front().Ok);
        EXPECT_NE(Cp1251ToUtf8(mc.front().Message).find(c.Says), std::string::npos) << Cp1251ToUtf8(mc.front().Message);
    }
}

}  // namespace
}  // namespace vormid
