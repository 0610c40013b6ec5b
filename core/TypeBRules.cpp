// Standard uncertainty and degrees of freedom of a Type B quantity, by
// evaluation kind and distribution. The value (with the log-normal shift) is
// in GumParamValues.cpp.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/GumParam.h"
#include "core/QuantityFields.h"
#include "core/Statistics.h"

namespace vormid {

namespace {
constexpr double kSqrt2 = std::numbers::sqrt2;
constexpr double kSqrt3 = std::numbers::sqrt3;
// sqrt(1 - 6/pi^2): (p/sqrt3) times it is p * sqrt(1/3 - 2/pi^2), the cosine
// distribution's standard deviation.
constexpr double kCosineFactor = 0.62615724714002422;
// sqrt(1 - 8/pi^2): the half-cosine distribution's u over p.
constexpr double kSemiCosineFactor = 0.43523617825417251;
}  // namespace

double LogNormalMean(double p, double q) { return std::exp(q + p * p / 2.0); }

int DofFromReliability(int r) {
    if (r <= 0) return kInfiniteDof;
    // 1 / (2 (r/100)^2) = 5000 / r^2; integer division truncates exactly,
    // where the floating-point form gives 49 for r = 10. Above 70,7 % the
    // quotient is 0, which the Welch-Satterthwaite sum reads as infinite:
    // the least reliable statement would weigh as a perfectly known one.
    return std::max(1, 5000 / (r * r));
}

double TGumParam::TypeBUncertainty() const {
    const double p = StatedValue;
    if (BEvalType == be_Expanded || BEvalType == be_Standard || BEvalType == be_Bound) {
        // In per cent of the magnitude of the estimate: a standard
        // uncertainty is never negative.
        const double ps = InPercent ? std::fabs(Value()) * p / 100.0 : p;
        switch (BEvalType) {
            case be_Expanded:
                return ps / CoverageFactor;
            case be_Standard:
                return ps;
            default:
                return ps / kSqrt3;
        }
    }
    if (BEvalType != be_Interval) return std::nan("");  // no such evaluation kind
    const double q = BParam2;
    switch (Distribution) {
        case dc_Normal:
            return p / NormalCoverageFactor(CoverageProbability);
        case dc_LgNormal:
            return std::sqrt((std::exp(p * p) - 1.0) * std::exp(2.0 * q + p * p));
        case dc_DistributonT:
            // Student's t needs at least one degree of freedom.
            if (DegreesOfFreedom < 1) return std::nan("");
            return p / StudentCoverageFactor(DegreesOfFreedom, q);
        case dc_Rectangle:
            return p / kSqrt3;
        case dc_Triangle:
            return p / std::sqrt(6.0);
        case dc_Trapez: {
            const double beta = q / p;
            return p * std::sqrt(1.0 + beta * beta) / std::sqrt(6.0);
        }
        case dc_Quatro:
            return p / std::sqrt(5.0);
        case dc_DistributionU:
            return p / kSqrt2;
        case dc_Cosine:
            return (p / kSqrt3) * kCosineFactor;
        case dt_SemiCosine:
            return p * kSemiCosineFactor;
    }
    return std::nan("");  // no such distribution
}

int TGumParam::TypeBDof() const {
    // The description says which of the two the record keeps.
    if (PresentField(*this, TField::DegreesOfFreedom)) return DegreesOfFreedom;
    return DofFromReliability(Reliability);
}

}  // namespace vormid
