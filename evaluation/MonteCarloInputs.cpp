#include "evaluation/MonteCarloInputs.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "core/Statistics.h"
#include "evaluation/CalculationMessages.h"

namespace vormid::mc {
namespace {

constexpr double kPi = std::numbers::pi;
// The Student copula table spans z in ±kTableEnd (a 53-bit uniform never
// gives a normal beyond 8.3) in steps of 1/kTablePerUnit.
constexpr double kTableEnd = 8.5;
constexpr int kTablePerUnit = 32;

// s + sin(πs)/π = w on [-1, 1]: the cosine law's quantile in units of its
// half-width. Newton steps kept inside a shrinking bracket; near the ends,
// where the slope vanishes, the start comes from the cubic behaviour there.
double CosineQuantile(double w) {
    if (w <= -1.0) return -1.0;
    if (w >= 1.0) return 1.0;
    const bool negative = w < 0.0;
    const double a = std::fabs(w);
    // 1 - s ≈ (6 (1 - w) / π²)^(1/3) near the end.
    double s = a > 0.5 ? 1.0 - std::cbrt(6.0 * (1.0 - a) / (kPi * kPi)) : a / 2.0;
    double lo = 0.0, hi = 1.0;
    for (int i = 0; i < 60; ++i) {
        const double f = s + std::sin(kPi * s) / kPi - a;
        if (f == 0.0) break;
        if (f > 0.0)
            hi = s;
        else
            lo = s;
        const double slope = 1.0 + std::cos(kPi * s);
        double next = slope > 0.0 ? s - f / slope : 0.5 * (lo + hi);
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        if (std::fabs(next - s) <= 1e-15) {
            s = next;
            break;
        }
        s = next;
    }
    return negative ? -s : s;
}

// Standard t of the probability Φ(z) for one or two degrees of freedom, by
// the closed forms, from the lower tail so that it keeps its precision.
double SmallNuStudent(double nu, double z) {
    const double v = NormalCdf(-std::fabs(z));
    const double t = nu == 1.0 ? std::tan(kPi * (v - 0.5)) : (2.0 * v - 1.0) / std::sqrt(2.0 * v * (1.0 - v));
    return z > 0.0 ? -t : t;
}

}  // namespace

void TInputLaw::DrawBlock(TXoshiro256& stream, double* out, std::size_t count) const {
    // A copy the loops can keep in registers: the output's stores cannot
    // then touch it.
    TXoshiro256 g = stream;
    const double c = Center, s = Scale;
    switch (Shape) {
        case TShape::Fixed:
            std::fill(out, out + count, c);
            break;
        case TShape::Normal:
            g.NormalBlock(out, count);
            for (std::size_t k = 0; k < count; ++k) out[k] = c + s * out[k];
            break;
        case TShape::Student:
            for (std::size_t k = 0; k < count; ++k) out[k] = c + s * g.StudentT(Nu);
            break;
        case TShape::Rectangle:
            for (std::size_t k = 0; k < count; ++k) out[k] = c + s * g.Symmetric();
            break;
        case TShape::Triangle:
            for (std::size_t k = 0; k < count; ++k) out[k] = c + s * (g.Uniform() + g.Uniform() - 1.0);
            break;
        case TShape::Trapezoid: {
            // The sum of two rectangles of half-widths (a+b)/2 and (a-b)/2.
            const double wide = (s + Second) / 2.0, narrow = (s - Second) / 2.0;
            for (std::size_t k = 0; k < count; ++k) out[k] = c + wide * g.Symmetric() + narrow * g.Symmetric();
            break;
        }
        case TShape::Quadratic:
            // Of three uniforms on (-1, 1): the second when the third is the
            // largest in magnitude, else the third (Devroye).
            for (std::size_t k = 0; k < count; ++k) {
                const double u1 = g.Symmetric(), u2 = g.Symmetric(), u3 = g.Symmetric();
                const double t = (std::fabs(u3) >= std::fabs(u2) && std::fabs(u3) >= std::fabs(u1)) ? u2 : u3;
                out[k] = c + s * t;
            }
            break;
        case TShape::Arcsine:
            for (std::size_t k = 0; k < count; ++k) out[k] = c + s * std::sin(2.0 * kPi * g.Uniform());
            break;
        case TShape::Cosine:
            // Rejection from the rectangle: accepts half of the proposals.
            for (std::size_t k = 0; k < count; ++k) {
                double t;
                do t = g.Symmetric();
                while (2.0 * g.Uniform() > 1.0 + std::cos(kPi * t));
                out[k] = c + s * t;
            }
            break;
        case TShape::HalfCosine:
            for (std::size_t k = 0; k < count; ++k) out[k] = c + s * (2.0 / kPi) * std::asin(g.Symmetric());
            break;
        case TShape::LogNormal:
            g.NormalBlock(out, count);
            for (std::size_t k = 0; k < count; ++k) out[k] = c + Sign * std::exp(Second + s * out[k]);
            break;
    }
    stream = g;
}

void TInputLaw::PrepareCopula() {
    if (Shape != TShape::Student || Nu <= 2.0 || !TableValue_.empty()) return;
    const int half = static_cast<int>(kTableEnd * kTablePerUnit);
    const double logDensity0 = std::lgamma((Nu + 1.0) / 2.0) - std::lgamma(Nu / 2.0) - 0.5 * std::log(Nu * kPi);
    TableValue_.assign(2 * half + 1, 0.0);
    TableSlope_.assign(2 * half + 1, 0.0);
    for (int i = 0; i <= half; ++i) {
        // Lower half from the lower tail, the upper half by symmetry.
        const double z = -static_cast<double>(half - i) / kTablePerUnit;
        const double t = i == half ? 0.0 : StudentQuantile(Nu, NormalCdf(z));
        const double density = std::exp(logDensity0 - (Nu + 1.0) / 2.0 * std::log1p(t * t / Nu));
        const double slope = std::exp(-0.5 * z * z) / std::sqrt(2.0 * kPi) / density;
        TableValue_[i] = t;
        TableSlope_[i] = slope;
        TableValue_[2 * half - i] = -t;
        TableSlope_[2 * half - i] = slope;
    }
}

double TInputLaw::StudentFromNormal(double z) const {
    if (Nu <= 2.0) return SmallNuStudent(Nu, z);
    const double h = 1.0 / kTablePerUnit;
    const std::size_t last = TableValue_.size() - 1;
    const double position = (z + kTableEnd) * kTablePerUnit;
    if (!(position > 0.0)) return TableValue_[0] + TableSlope_[0] * (z + kTableEnd);
    if (position >= static_cast<double>(last)) return TableValue_[last] + TableSlope_[last] * (z - kTableEnd);
    const std::size_t i = static_cast<std::size_t>(position);
    const double t = position - static_cast<double>(i);
    const double t2 = t * t, t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * TableValue_[i] + (t3 - 2 * t2 + t) * h * TableSlope_[i] +
           (-2 * t3 + 3 * t2) * TableValue_[i + 1] + (t3 - t2) * h * TableSlope_[i + 1];
}

double TInputLaw::FromNormal(double z) const {
    const double c = Center, s = Scale;
    // The lower-tail probability keeps its precision for z > 0 as well.
    const auto mirrored = [z](auto quantileOfLowerHalf) {
        const double v = NormalCdf(-std::fabs(z));
        const double t = quantileOfLowerHalf(v);
        return z > 0.0 ? -t : t;
    };
    switch (Shape) {
        case TShape::Fixed:
            return c;
        case TShape::Normal:
            return c + s * z;
        case TShape::Student:
            return c + s * StudentFromNormal(z);
        case TShape::Rectangle:
            return c + s * mirrored([](double v) { return 2.0 * v - 1.0; });
        case TShape::Triangle:
            return c + s * mirrored([](double v) { return std::sqrt(2.0 * v) - 1.0; });
        case TShape::Trapezoid: {
            const double a = s, b = Second;
            const double ramp = (a - b) / (2.0 * (a + b));  // probability below -b
            return c + mirrored([a, b, ramp](double v) {
                       if (v < ramp) return -a + std::sqrt(2.0 * v * (a - b) * (a + b));
                       return -b + (v - ramp) * (a + b);
                   });
        }
        case TShape::Quadratic:
            return c + s * mirrored([](double v) { return 2.0 * std::sin(std::asin(2.0 * v - 1.0) / 3.0); });
        case TShape::Arcsine:
            return c + s * mirrored([](double v) { return std::sin(kPi * (v - 0.5)); });
        case TShape::Cosine:
            return c + s * mirrored([](double v) { return CosineQuantile(2.0 * v - 1.0); });
        case TShape::HalfCosine:
            return c + s * mirrored([](double v) { return (2.0 / kPi) * std::asin(2.0 * v - 1.0); });
        case TShape::LogNormal:
            return c + Sign * std::exp(Second + s * z);
    }
    return c;
}

double TInputLaw::Mean() const {
    if (Shape == TShape::LogNormal) return Center + Sign * std::exp(Second + Scale * Scale / 2.0);
    return Center;
}

double TInputLaw::StdDev() const {
    const double s = Scale;
    switch (Shape) {
        case TShape::Fixed:
            return 0.0;
        case TShape::Normal:
            return s;
        case TShape::Student:
            return Nu > 2.0 ? s * std::sqrt(Nu / (Nu - 2.0)) : std::numeric_limits<double>::infinity();
        case TShape::Rectangle:
            return s / std::sqrt(3.0);
        case TShape::Triangle:
            return s / std::sqrt(6.0);
        case TShape::Trapezoid:
            return std::sqrt((s * s + Second * Second) / 6.0);
        case TShape::Quadratic:
            return s / std::sqrt(5.0);
        case TShape::Arcsine:
            return s / std::sqrt(2.0);
        case TShape::Cosine:
            return s * std::sqrt(1.0 / 3.0 - 2.0 / (kPi * kPi));
        case TShape::HalfCosine:
            return s * std::sqrt(1.0 - 8.0 / (kPi * kPi));
        case TShape::LogNormal:
            return std::sqrt((std::exp(s * s) - 1.0) * std::exp(2.0 * Second + s * s));
    }
    return 0.0;
}

bool LawOf(const TGumParam& p, TInputLaw& law, std::string& message) {
    const double x = p.Value();
    const double u = p.StdUncertainty();
    if (!std::isfinite(x) || !std::isfinite(u)) {
        message = MsgNonFiniteInput(p.Name);
        return false;
    }
    law = TInputLaw{};
    law.Center = x;
    law.Scale = std::fabs(u);
    law.Shape = TShape::Normal;
    if (p.Kind == TParamKind::TypeA) {
        // From observations: the mean plus the scaled t of n - 1 degrees of
        // freedom, the scale being the budget's standard uncertainty.
        if (p.AUncertaintySource == as_Observations) {
            law.Shape = TShape::Student;
            law.Nu = p.Statistics.Count - 1;
            if (law.Nu < 1.0) law.Shape = TShape::Fixed;
        }
    } else if (p.Kind == TParamKind::TypeB && p.BEvalType == be_Bound) {
        const double ps = p.InPercent ? std::fabs(x) * p.StatedValue / 100.0 : p.StatedValue;
        law.Shape = TShape::Rectangle;
        law.Scale = std::fabs(ps);
    } else if (p.Kind == TParamKind::TypeB && p.BEvalType == be_Interval) {
        const double a = std::fabs(p.StatedValue), b = std::fabs(p.BParam2);
        law.Scale = a;
        switch (p.Distribution) {
            case dc_Normal:
                law.Scale = std::fabs(u);
                break;
            case dc_LgNormal:
                law.Shape = TShape::LogNormal;
                law.Center = p.BValue;
                law.Second = p.BParam2;
                law.Sign = p.LimitSide == ll_Top ? -1.0 : 1.0;
                break;
            case dc_DistributonT:
                law.Shape = TShape::Student;
                law.Scale = std::fabs(u);
                law.Nu = p.DegreesOfFreedom;
                break;
            case dc_Rectangle:
                law.Shape = TShape::Rectangle;
                break;
            case dc_Triangle:
                law.Shape = TShape::Triangle;
                break;
            case dc_Trapez:
                // The wider base is the lower one whichever was entered first.
                law.Shape = TShape::Trapezoid;
                law.Scale = std::max(a, b);
                law.Second = std::min(a, b);
                break;
            case dc_Quatro:
                law.Shape = TShape::Quadratic;
                break;
            case dc_DistributionU:
                law.Shape = TShape::Arcsine;
                break;
            case dc_Cosine:
                law.Shape = TShape::Cosine;
                break;
            case dt_SemiCosine:
                law.Shape = TShape::HalfCosine;
                break;
            default:
                message = MsgNonFiniteInput(p.Name);
                return false;
        }
    }
    if (law.Scale == 0.0 && law.Shape != TShape::LogNormal) law.Shape = TShape::Fixed;
    return true;
}

}  // namespace vormid::mc
