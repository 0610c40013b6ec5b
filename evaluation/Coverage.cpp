#include "evaluation/Coverage.h"

#include <cmath>

#include "core/Statistics.h"

namespace vormid {
namespace {

// Up to 1000 degrees of freedom the t-distribution is taken; beyond (and for
// infinity) the normal law, which it then matches to three decimals of k.
bool TakesStudent(int effectiveDof) { return effectiveDof > 0 && effectiveDof <= 1000; }

}  // namespace

double CoverageFactorForDof(int effectiveDof, double probability) {
    if (TakesStudent(effectiveDof)) return StudentCoverageFactor(effectiveDof, probability);
    return NormalCoverageFactor(probability);
}

TCoverageAtDof CoverageAtDof(double factor, double probability, int effectiveDof) {
    TCoverageAtDof c;
    c.Probability = TakesStudent(effectiveDof) ? 100.0 * (2.0 * StudentCdf(effectiveDof, factor) - 1.0)
                                               : CoverageProbabilityFromFactor(factor);
    c.FactorForP = CoverageFactorForDof(effectiveDof, probability);
    c.FallsShort = std::isfinite(c.Probability) && probability - c.Probability > kCoverageShortfall;
    return c;
}

TCoverage BudgetCoverage(const TGumParam& result, double factorForDof) {
    switch (result.CoverageMethod) {
        case cm_Standard:
            return {2.0, 95.0};
        case cm_Student:
            return {factorForDof, result.CoverageProbability};
        default:
            return {result.CoverageFactor, result.CoverageProbability};
    }
}

void SelectCoverageMethod(TGumParam& result, std::uint8_t method) {
    result.CoverageMethod = method;
    if (method == cm_Standard) {
        result.CoverageProbability = 95.0;
        result.CoverageFactor = 2.0;
    } else if (method == cm_Normal) {
        const double k = NormalCoverageFactor(result.CoverageProbability);
        if (std::isfinite(k)) result.CoverageFactor = k;
    }
}

void SetCoverageProbability(TGumParam& result, double probability) {
    result.CoverageProbability = probability;
    if (result.CoverageMethod == cm_Normal) {
        const double k = NormalCoverageFactor(probability);
        if (std::isfinite(k)) result.CoverageFactor = k;
    }
}

void SetCoverageFactor(TGumParam& result, double factor) {
    result.CoverageFactor = factor;
    if (result.CoverageMethod == cm_Normal) {
        const double p = CoverageProbabilityFromFactor(factor);
        if (std::isfinite(p)) result.CoverageProbability = p;
    }
}

}  // namespace vormid
