#pragma once
// Small models for the calculation tests: quantities with a given estimate
// and standard uncertainty, and the equation as the editor writes it.
#include <stdexcept>
#include <string>
#include <vector>

#include "core/GumModel.h"
#include "evaluation/BudgetCalculation.h"

namespace vormid::test {

inline const std::string kRtfHeader =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1026{\\fonttbl{\\f0\\fnil\\fcharset204 "
    "Tahoma;}}\\viewkind4\\uc1\\pard\\f0\\fs16 ";

// The rich text of an equation with these lines.
inline std::string Rtf(std::vector<const char*> lines) {
    std::string rtf = kRtfHeader;
    for (const char* line : lines) {
        rtf += line;
        rtf += "\\par ";
    }
    return rtf + "}";
}

class TModel {
public:
    TGumModel M;

    // Type B with a stated standard uncertainty; nu as entered (0..100, 0
    // counts as infinite in the Welch-Satterthwaite sum).
    TGumParam& TypeB(const char* name, double x, double u, int nu = 0) {
        TGumParam& p = Add(name, TParamKind::TypeB);
        p.BEvalType = 1;
        p.Distribution = dc_Normal;  // as the Type B page stores it for this kind
        p.BValue = x;
        p.StatedValue = u;
        p.SetDegreesOfFreedom(nu);
        return p;
    }
    // Type B from an error bound: infinite degrees of freedom.
    TGumParam& Bound(const char* name, double x, double bound) {
        TGumParam& p = Add(name, TParamKind::TypeB);
        p.BEvalType = 2;
        p.BValue = x;
        p.StatedValue = bound;
        return p;
    }
    // Type A with an entered standard uncertainty and nu (-1 infinite).
    TGumParam& TypeA(const char* name, double mean, double u, int nu) {
        TGumParam& p = Add(name, TParamKind::TypeA);
        p.AUncertaintySource = 1;
        p.AEvalType = 2;
        p.StatedValue = u;
        p.DegreesOfFreedom = nu;
        p.Statistics.Mean = mean;
        return p;
    }
    TGumParam& Const(const char* name, double value, const char* units = "") {
        TGumParam& p = Add(name, TParamKind::Const);
        p.ConstValue = value;
        p.Units = units;
        return p;
    }
    TGumParam& Result(const char* name, const char* units = "") {
        TGumParam& p = Add(name, TParamKind::Result);
        p.Units = units;
        return p;
    }
    TGumParam& Var(const char* name, const char* units = "") {
        TGumParam& p = Add(name, TParamKind::VarResult);
        p.Units = units;
        return p;
    }
    void Equation(std::vector<const char*> lines) { M.Equation = Rtf(lines); }
    void Correlate(const char* a, const char* b, double r) {
        M.Correlations.AddPair(a, b);
        M.Correlations.SetCoefficient(M.Correlations.Count() - 1, r);
    }

    // Runs the calculation; the budget of the named result.
    const TBudget& Run(const char* result, bool incremental = true) {
        TBudgetCalculator c(M.Params, M.Correlations, M.Equation);
        c.SetIncremental(incremental);
        c.CalculateBudgets(M.Budgets);
        return Budget(result);
    }
    const TBudget& Budget(const char* result) const {
        for (const auto& b : M.Budgets)
            if (b->Name == result) return *b;
        throw std::logic_error(std::string("no budget ") + result);
    }

private:
    TGumParam& Add(const char* name, TParamKind kind) {
        TGumParam* p = M.Params.Add();
        p->Name = name;
        p->SetKind(kind);
        return *p;
    }
};

inline const TBudgetEntry& Entry(const TBudget& b, const char* name) {
    for (const auto& e : b)
        if (e->Name == name) return *e;
    throw std::logic_error(std::string("no entry ") + name);
}

}  // namespace vormid::test
