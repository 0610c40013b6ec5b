#pragma once
// How a result's coverage factor and probability are fixed by its coverage
// method: 0 standard (k = 2, P = 95 %), 1 normal distribution (k = k_N(P),
// or P from k), 2 Student's t of the effective degrees of freedom, 3 as
// entered.
#include <cstdint>

#include "core/GumParam.h"

namespace vormid {

struct TCoverage {
    double Factor = 2.0;
    double Probability = 95.0;  // per cent
};

// The Student-t factor k_t(nu, P) for 0 < nu <= 1000, else (infinite or
// larger nu) the normal factor k_N(P). NaN when P is outside (0, 100).
double CoverageFactorForDof(int effectiveDof, double probability);

// How far a stated k reaches at the effective degrees of freedom: the
// probability (per cent) that k covers under Student's t with effectiveDof
// (the normal law where CoverageFactorForDof takes it), and the factor that
// t gives for the stated P. A k that covers less than P by more than
// kCoverageShortfall percentage points falls short: the result would claim
// a confidence it does not have.
constexpr double kCoverageShortfall = 0.5;
struct TCoverageAtDof {
    double Probability = 0.0;  // per cent that k covers at effectiveDof
    double FactorForP = 0.0;   // k_t(effectiveDof, P)
    bool FallsShort = false;
};
TCoverageAtDof CoverageAtDof(double factor, double probability, int effectiveDof);

// The k and P that the budget of result states. Method 2 takes
// factorForDof, the factor computed from the effective degrees of freedom;
// methods 1 and 3 (and unknown codes) state the stored k and P.
TCoverage BudgetCoverage(const TGumParam& result, double factorForDof);

// The result page's coupling of P and k, for a result quantity.
// Selecting a method: standard stores P = 95 and k = 2; normal stores
// k = k_N(P); the others leave P and k as they are.
void SelectCoverageMethod(TGumParam& result, std::uint8_t method);
// Stores P; with the normal method also k = k_N(P).
void SetCoverageProbability(TGumParam& result, double probability);
// Stores k; with the normal method also P = 100 (Phi(k) - Phi(-k)).
void SetCoverageFactor(TGumParam& result, double factor);

}  // namespace vormid
