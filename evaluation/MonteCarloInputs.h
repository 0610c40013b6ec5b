#pragma once
// The probability distribution that an input quantity's kind states, as the
// Monte Carlo propagation draws it: a shape, its centre and its parameters,
// taken from the same derived values the budget uses (estimate, standard
// uncertainty), so that both methods start from the same knowledge.
#include <cstddef>
#include <string>
#include <vector>

#include "core/GumParam.h"
#include "evaluation/MonteCarloRandom.h"

namespace vormid::mc {

enum class TShape {
    Fixed,       // no uncertainty: always Center
    Normal,      // Center + Scale·z
    Student,     // Center + Scale·t with Nu degrees of freedom
    Rectangle,   // on Center ± Scale
    Triangle,    // symmetric, on Center ± Scale
    Trapezoid,   // lower half-width Scale, upper half-width Second
    Quadratic,   // density ∝ 1 − (t/Scale)² on ± Scale
    Arcsine,     // U-shaped: Center + Scale·sin(uniform angle)
    Cosine,      // density (1 + cos(πt/Scale)) / (2·Scale) on ± Scale
    HalfCosine,  // density (π/(4·Scale))·cos(πt/(2·Scale)) on ± Scale
    LogNormal,   // Center + Sign·exp(Second + Scale·z): the limit plus or minus
};

class TInputLaw {
public:
    TShape Shape = TShape::Fixed;
    double Center = 0.0;
    double Scale = 0.0;
    double Second = 0.0;
    double Nu = 0.0;
    double Sign = 1.0;

    // Fills out[0..count) with independent draws.
    void DrawBlock(TXoshiro256& g, double* out, std::size_t count) const;
    // The value whose probability is that of the standard normal z: the
    // marginal of the Gaussian copula. Call PrepareCopula first.
    double FromNormal(double z) const;
    // Builds what FromNormal needs (the table of a t distribution). Not
    // for worker threads.
    void PrepareCopula();

    // Whether the law is normal (so the copula is exact for it) or fixed.
    bool IsNormalOrFixed() const { return Shape == TShape::Normal || Shape == TShape::Fixed; }
    // The law's mean and standard deviation (infinite for a t with Nu <= 2).
    double Mean() const;
    double StdDev() const;

private:
    // Student copula: t quantile of Φ(z) on a grid of z, with its slope, for
    // cubic Hermite interpolation (the exact quantile is far too slow for
    // every draw and not safe to call from several threads).
    std::vector<double> TableValue_, TableSlope_;
    double StudentFromNormal(double z) const;
};

// The law of an input quantity (Type A or Type B); false with a message
// (Windows-1251) naming the quantity when it has none.
bool LawOf(const TGumParam& p, TInputLaw& law, std::string& message);

}  // namespace vormid::mc
