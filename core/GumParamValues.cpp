// The derived values of a quantity for every kind: estimate, standard
// uncertainty, degrees of freedom and relative uncertainty. The Type B rules
// are in TypeBRules.cpp.
#include <cmath>

#include "core/GumParam.h"

namespace vormid {

TDistribution TGumParam::EffectiveDistribution() const {
    if (Kind != TParamKind::TypeB) return dc_Normal;
    switch (BEvalType) {
        case be_Expanded:
        case be_Standard:
            return dc_Normal;
        case be_Bound:
            return dc_Rectangle;
        default:
            return Distribution;
    }
}

double TGumParam::Value() const {
    switch (Kind) {
        case TParamKind::TypeA:
            return Statistics.Mean;
        case TParamKind::TypeB:
            if (BEvalType == be_Interval && Distribution == dc_LgNormal) {
                const double m = LogNormalMean(StatedValue, BParam2);
                return LimitSide == ll_Top ? BValue - m : BValue + m;
            }
            return BValue;
        case TParamKind::Const:
            return ConstValue;
        default:
            return 0.0;
    }
}

double TGumParam::StdUncertainty() const {
    switch (Kind) {
        case TParamKind::TypeA:
            return TypeAUncertainty();
        case TParamKind::TypeB:
            return TypeBUncertainty();
        default:
            return 0.0;
    }
}

double TGumParam::TypeAUncertainty() const {
    if (AUncertaintySource == as_Observations)
        return ASUType == su_StdDevOfMean ? Statistics.StdDevMean : Statistics.SigmaMean;
    // An entered value in per cent is a share of the magnitude of the
    // estimate: a standard uncertainty is never negative.
    const double v = InPercent ? std::fabs(Value()) * StatedValue / 100.0 : StatedValue;
    switch (AEvalType) {
        case ae_Expanded:
            return v / CoverageFactor;
        case ae_StdDeviation:
            if (DegreesOfFreedom == 0) return 0.0;
            return v / std::sqrt(static_cast<double>(ObservationCount));
        case ae_StdUncertainty:
            return v;
        default:
            return std::nan("");
    }
}

int TGumParam::DOF() const {
    switch (Kind) {
        case TParamKind::TypeA:
            if (AUncertaintySource == as_Observations) return Statistics.Count < 2 ? 1 : Statistics.Count - 1;
            return DegreesOfFreedom;
        case TParamKind::TypeB:
            return TypeBDof();
        default:
            return kInfiniteDof;
    }
}

double TGumParam::RelativeUncertainty() const {
    const double x = Value();
    if (x == 0.0) return 0.0;
    return std::fabs(StdUncertainty() * 100.0 / x);
}

}  // namespace vormid
