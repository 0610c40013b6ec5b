// The derived values of a quantity for every kind: estimate, standard
// uncertainty, degrees of freedom and relative uncertainty. The Type B rules
// are in TypeBRules.cpp.
#include <cmath>

#include "core/GumParam.h"

namespace vormid {

TDistribution TGumParam::EffectiveDistribution() const {
    if (Kind != TParamKind::TypeB) return dc_Normal;
    switch (BEvalType) {
        case 0:
        case 1:
            return dc_Normal;
        case 2:
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
            if (BEvalType == 3 && Distribution == dc_LgNormal) {
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
    if (AUncertaintySource == 0) return ASUType == 0 ? Statistics.StdDevMean : Statistics.SigmaMean;
    // An entered value in per cent is a share of the magnitude of the
    // estimate: a standard uncertainty is never negative.
    const double v = InPercent ? std::fabs(Value()) * StatedValue / 100.0 : StatedValue;
    switch (AEvalType) {
        case 0:
            return v / CoverageFactor;
        case 1:
            if (DegreesOfFreedom == 0) return 0.0;
            return v / std::sqrt(static_cast<double>(ObservationCount));
        case 2:
            return v;
        default:
            return std::nan("");
    }
}

int TGumParam::DOF() const {
    switch (Kind) {
        case TParamKind::TypeA:
            if (AUncertaintySource == 0) return Statistics.Count < 2 ? 1 : Statistics.Count - 1;
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
