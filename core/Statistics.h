#pragma once
// Statistics of a Type A series, the normal distribution function and the
// normal and Student-t quantiles.
#include <cstddef>
#include <vector>

namespace vormid {

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
};

// Fills stats from the series; values are sorted ascending in place.
// An empty series leaves stats as it is.
void ComputeSeriesStatistics(std::vector<double>& values, SeriesStatistics& stats);

// Phi((x - Mean) / StdDev) by Abramowitz and Stegun 26.2.19.
double NormalCdfApprox(double x, const SeriesStatistics& stats);

// P(X <= x) for X ~ N(mu, sigma^2), by trapezoidal integration.
double NormalCdf(double sigma, double mu, double x);

// The x where the integrated normal distribution function reaches P.
// NaN for P <= 0, P >= 1, NaN arguments or sigma <= 0.
double NormalQuantile(double sigma, double mu, double P);

// The t where the Student-t distribution function with nu degrees of
// freedom reaches P. NaN for nu outside 1..1000, P <= 0, P >= 1 or NaN.
double StudentQuantile(int nu, double P);

// Gamma((nu+1)/2) / Gamma(nu/2) rounded to six decimals, nu = 1..1000.
double GammaRatio(int nu);

// Lilliefors critical values of D for n (n > 30 uses the n = 30 row).
// For n < 4 both are 0.
void LillieforsCritical(int n, double& critical05, double& critical01);

// Two-sided coverage factors for the probability P in per cent.
// k_N(P) = |NormalQuantile(1, 0, (1 - P/100)/2)|
double NormalCoverageFactor(double P);
// k_t(nu, P) = |StudentQuantile(nu, (1 - P/100)/2)|, for 1 <= nu <= 1000;
// the normal factor for infinite (-1) or larger nu.
double StudentCoverageFactor(int nu, double P);
// P in per cent from k: 100 * (NormalCdf(1,0,k) - NormalCdf(1,0,-k)).
double CoverageProbabilityFromFactor(double k);

}  // namespace vormid
