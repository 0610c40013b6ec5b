#pragma once
// Statistics of a Type A series, the normal distribution function and the
// normal and Student-t quantiles.
//
// Failure convention: nothing here throws. A function whose arguments have no
// answer (a probability outside (0, 1), nu outside 1..1000, NaN) returns NaN;
// callers that feed a budget must treat a NaN as a failed calculation.
#include <cstddef>
#include <vector>

namespace vormid {

// Upper bound of the number of histogram classes. The class arrays are sized
// to the class count of each series, never to this bound.
constexpr int kMaxClasses = 1000;

// Statistics of one series. Class j (1..ClassCount) is element j-1 of the
// per-class arrays and element j of ClassBounds, ClassNumbers and ClassMids.
struct SeriesStatistics {
    int Count = 0;
    double Max = 0, Min = 0, Median = 0, Mean = 0, Range = 0;
    double StdDev = 0, RelStdDev = 0, Skewness = 0, Kurtosis = 0;
    double SigmaMean = 0, StdDevMean = 0;
    double RangeHigh = 0, RangeLow = 0, PlotLow = 0, PlotHigh = 0;
    int ClassCount = 0;
    double ClassWidth = 0;
    std::vector<double> ClassBounds;   // 0..ClassCount
    std::vector<double> ClassNumbers;  // 0..ClassCount (0 unused)
    std::vector<double> ClassMids;     // 0..ClassCount (0 unused)
    std::vector<int> Counts, CumCounts;
    std::vector<double> RelFreq, CumRelFreq, NormProb, NormCumProb, NormCount, NormCumCount;
    double KsDistance = 0, KsCritical05 = 0, KsCritical01 = 0;
    bool Normal05 = false, Normal01 = false;

    bool operator==(const SeriesStatistics&) const = default;
};

// Fills stats from the series; values are sorted ascending in place.
// An empty series leaves stats as it is. RelStdDev is 0 when the mean is 0.
// A value that lies past the last class bound only by rounding of the
// accumulated bounds is counted in the last class. Never throws.
void ComputeSeriesStatistics(std::vector<double>& values, SeriesStatistics& stats);

// Phi((x - Mean) / StdDev) by Abramowitz and Stegun 26.2.19; a step function
// at Mean when StdDev is 0.
double NormalCdfApprox(double x, const SeriesStatistics& stats);

// P(X <= x) for X ~ N(mu, sigma^2), by trapezoidal integration from mu - 6 sigma.
// The integration always ends at x (or at mu + 6 sigma): 0 for x at or below
// mu - 6 sigma. NaN for sigma <= 0 or NaN arguments.
double NormalCdf(double sigma, double mu, double x);

// The x where the normal distribution function reaches P, by a stepped
// trapezoidal search (accurate to about 1e-6 sigma).
// NaN for P <= 0, P >= 1, NaN arguments or sigma <= 0 (never loops).
double NormalQuantile(double sigma, double mu, double P);

// The t where the Student-t distribution function with nu degrees of
// freedom reaches P (accurate to about 1e-5 relative).
// NaN for nu outside 1..1000, P <= 0, P >= 1 or NaN (never loops).
double StudentQuantile(int nu, double P);

// Exact P(T <= t) of the Student-t distribution, by the regularized
// incomplete beta function. NaN for nu < 1 or NaN t.
double StudentCdf(double nu, double t);

// I_x(a, b), the regularized incomplete beta function, for a, b > 0 and
// 0 <= x <= 1; NaN otherwise.
double RegularizedIncompleteBeta(double a, double b, double x);

// Gamma((nu+1)/2) / Gamma(nu/2) rounded to six decimals, nu = 1..1000;
// NaN for other nu.
double GammaRatio(int nu);

// Lilliefors critical values of D for n (n > 30 uses the n = 30 row).
// For n < 4 both are 0.
void LillieforsCritical(int n, double& critical05, double& critical01);

// Two-sided coverage factors for the probability P in per cent.
// k_N(P) = |NormalQuantile(1, 0, (1 - P/100)/2)|.
// NaN for P <= 0, P >= 100 or NaN: no finite factor covers 100 %, and a
// coverage of 0 % is no coverage statement at all.
double NormalCoverageFactor(double P);
// k_t(nu, P) = |StudentQuantile(nu, (1 - P/100)/2)|, for 1 <= nu <= 1000;
// the normal factor for infinite (any negative, e.g. -1) or larger nu.
// nu = 0 gives NaN: a t distribution with no degrees of freedom does not
// exist, so a quantity stated that way has no standard uncertainty. P as for
// NormalCoverageFactor.
double StudentCoverageFactor(int nu, double P);
// P in per cent from k: 100 * (NormalCdf(1,0,k) - NormalCdf(1,0,-k)).
// 0 for k = 0; NaN for k < 0 or NaN; 100 for k = +infinity.
double CoverageProbabilityFromFactor(double k);

}  // namespace vormid
