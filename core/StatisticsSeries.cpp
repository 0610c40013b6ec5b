// Descriptive statistics, histogram classes and the Lilliefors normality test
// of one Type A series.
#include <algorithm>
#include <array>
#include <cmath>

#include "core/Statistics.h"

namespace vormid {

namespace {

struct LillieforsRow {
    double c05, c01;
};

// Critical values of D for n = 4..30 (Lilliefors, normal distribution with
// estimated mean and variance).
constexpr std::array<LillieforsRow, 27> kLilliefors = {{
    {0.381, 0.417}, {0.337, 0.405}, {0.319, 0.364}, {0.300, 0.348}, {0.285, 0.331}, {0.271, 0.311}, {0.258, 0.294},
    {0.249, 0.284}, {0.242, 0.275}, {0.234, 0.268}, {0.227, 0.261}, {0.220, 0.257}, {0.213, 0.250}, {0.206, 0.245},
    {0.200, 0.239}, {0.195, 0.235}, {0.190, 0.231}, {0.186, 0.224}, {0.182, 0.218}, {0.179, 0.212}, {0.176, 0.206},
    {0.173, 0.200}, {0.170, 0.197}, {0.167, 0.194}, {0.165, 0.192}, {0.163, 0.189}, {0.161, 0.187},
}};

// NaN sorts last, so that sorting stays a strict weak ordering for any input.
bool SortsBefore(double a, double b) {
    if (std::isnan(a)) return false;
    if (std::isnan(b)) return true;
    return a < b;
}

void ResizeClasses(SeriesStatistics& s, int m) {
    const auto n = static_cast<std::size_t>(m);
    s.ClassBounds.assign(n + 1, 0.0);
    s.ClassNumbers.assign(n + 1, 0.0);
    s.ClassMids.assign(n + 1, 0.0);
    s.Counts.assign(n, 0);
    s.CumCounts.assign(n, 0);
    s.RelFreq.assign(n, 0.0);
    s.CumRelFreq.assign(n, 0.0);
    s.NormProb.assign(n, 0.0);
    s.NormCumProb.assign(n, 0.0);
    s.NormCount.assign(n, 0.0);
    s.NormCumCount.assign(n, 0.0);
}

void ComputeMoments(const std::vector<double>& v, SeriesStatistics& s) {
    const std::size_t n = v.size();
    const long double nl = static_cast<long double>(n);
    long double sum = 0;
    for (double x : v) sum += x;
    const long double mean = sum / nl;
    long double ss2 = 0, ss3 = 0, ss4 = 0;
    for (double x : v) {
        const long double d = x - mean;
        const long double d2 = d * d;
        ss2 += d2;
        ss3 += d2 * d;
        ss4 += d2 * d2;
    }
    s.Min = v.front();
    s.Max = v.back();
    s.Range = s.Max - s.Min;
    s.Median = (n % 2 == 1) ? v[n / 2] : static_cast<double>((static_cast<long double>(v[n / 2 - 1]) + v[n / 2]) / 2);
    s.Mean = static_cast<double>(mean);
    const long double sd = std::sqrt(ss2 / (nl - 1));
    s.StdDev = static_cast<double>(sd);
    // The mean of a series can be exactly 0; its relative spread is then
    // stated as 0 rather than an infinity that would poison every display.
    s.RelStdDev = (mean == 0) ? 0.0 : static_cast<double>(sd / mean);
    const long double sdm = sd / std::sqrt(nl);
    s.StdDevMean = static_cast<double>(sdm);
    s.SigmaMean = static_cast<double>(sdm / (1 - 1 / std::sqrt(2 * nl - 2)));
    const long double m2 = ss2 / nl, m3 = ss3 / nl, m4 = ss4 / nl;
    s.Skewness = static_cast<double>(m3 / std::sqrt(m2 * m2 * m2));
    s.Kurtosis = static_cast<double>(m4 / (m2 * m2) - 3);
}

void NormalityTest(const std::vector<double>& v, SeriesStatistics& s) {
    const int n = s.Count;
    s.KsDistance = 0;
    if (n <= 3) {
        s.KsCritical05 = s.KsCritical01 = 0;
        s.Normal05 = s.Normal01 = true;
        return;
    }
    LillieforsCritical(n, s.KsCritical05, s.KsCritical01);
    if (s.StdDev == 0) {
        s.Normal05 = s.Normal01 = false;
        return;
    }
    double d = 0;
    auto take = [&](int i, double phi) {
        const double gap = std::fabs(static_cast<double>(i) / n - phi);
        // A NaN gap (non-finite data) must fail the test, not be skipped.
        if (!(gap <= d)) d = gap;
    };
    // Equal values share their distribution value, and over a run of them
    // |i/n - phi| is largest at one end of the run (i/n only grows), so the
    // run's ends give the same D as every one of its points: grouped values
    // repeat each reading many times. NaN equals nothing and stays alone.
    for (int i = 1; i <= n;) {
        const double x = v[i - 1];
        int last = i;
        while (last < n && v[last] == x) ++last;
        const double phi = NormalCdfApprox(x, s);
        take(i, phi);
        if (last != i) take(last, phi);
        i = last + 1;
    }
    s.KsDistance = d;
    s.Normal05 = d <= s.KsCritical05;
    s.Normal01 = d <= s.KsCritical01;
}

void FillClasses(const std::vector<double>& v, SeriesStatistics& s, bool spread) {
    int m = 5;
    double w = 1.0, b0 = s.Mean - 2.5;
    if (spread) {
        // nearbyint rounds halves to even in the default rounding mode.
        const double r = std::nearbyint(5 * std::log10(static_cast<double>(s.Count)));
        m = static_cast<int>(std::clamp(r, 1.0, static_cast<double>(kMaxClasses)));
        w = s.Range / m;
        b0 = s.Min;
    }
    ResizeClasses(s, m);
    s.ClassCount = m;
    s.ClassWidth = w;
    s.ClassBounds[0] = b0;
    for (int j = 1; j <= m; ++j) {
        s.ClassBounds[j] = s.ClassBounds[j - 1] + w;
        s.ClassMids[j] = (s.ClassBounds[j - 1] + s.ClassBounds[j]) / 2;
        s.ClassNumbers[j] = j;
    }
    // Class j holds the values in (b_{j-1}, b_j]; class 1 also holds b_0.
    // The accumulated bounds can end a little below Max; such a value belongs
    // to the last class, so the class index never passes m.
    int c = 1;
    for (double x : v) {
        while (c < m && x > s.ClassBounds[c]) ++c;
        ++s.Counts[c - 1];
    }
    const double n = s.Count;
    int cum = 0;
    for (int j = 0; j < m; ++j) {
        cum += s.Counts[j];
        s.CumCounts[j] = cum;
        s.RelFreq[j] = s.Counts[j] / n;
        s.CumRelFreq[j] = cum / n;
    }
    // Expected class probabilities under N(Mean, StdDev^2); the first and last
    // classes take the open tails.
    double prevPhi = 0;
    for (int j = 1; j <= m; ++j) {
        const double phi = (j == m) ? 1.0 : NormalCdfApprox(s.ClassBounds[j], s);
        s.NormProb[j - 1] = phi - prevPhi;
        s.NormCumProb[j - 1] = phi;
        s.NormCount[j - 1] = n * s.NormProb[j - 1];
        s.NormCumCount[j - 1] = n * phi;
        prevPhi = phi;
    }
}

}  // namespace

void LillieforsCritical(int n, double& critical05, double& critical01) {
    if (n < 4) {
        critical05 = critical01 = 0;
        return;
    }
    const LillieforsRow& row = kLilliefors[static_cast<std::size_t>(std::min(n, 30) - 4)];
    critical05 = row.c05;
    critical01 = row.c01;
}

double NormalCdfApprox(double x, const SeriesStatistics& stats) {
    if (stats.StdDev == 0) return x >= stats.Mean ? 1.0 : 0.0;
    const long double z = (static_cast<long double>(x) - stats.Mean) / stats.StdDev;
    const long double t = std::fabs(z);
    constexpr long double d1 = 0.0498673470L, d2 = 0.0211410061L, d3 = 0.0032776263L, d4 = 0.0000380036L,
                          d5 = 0.0000488906L, d6 = 0.0000053830L;
    const long double poly = 1 + t * (d1 + t * (d2 + t * (d3 + t * (d4 + t * (d5 + t * d6)))));
    // poly^-16 by four squarings.
    long double p = poly * poly;
    p *= p;
    p *= p;
    p *= p;
    const long double tail = 0.5L / p;
    return static_cast<double>(z >= 0 ? 1 - tail : tail);
}

namespace {

// Sorts a series as std::sort with SortsBefore does, bit for bit. Without
// NaN and -0, values that compare equal have the same bits, so any correct
// ordering gives the same bytes; a series of mostly zeros (a long series
// only partly filled) then has only its other values sorted.
void SortSeries(std::vector<double>& v) {
    std::size_t zeros = 0;
    for (double x : v) {
        if (std::isnan(x) || (x == 0 && std::signbit(x))) {
            std::sort(v.begin(), v.end(), SortsBefore);
            return;
        }
        zeros += x == 0 ? 1 : 0;
    }
    if (zeros < v.size() / 2) {
        std::sort(v.begin(), v.end(), SortsBefore);
        return;
    }
    const auto others = std::remove(v.begin(), v.end(), 0.0);
    std::sort(v.begin(), others, SortsBefore);
    const auto negatives = std::lower_bound(v.begin(), others, 0.0);
    // Shift the positives to the end and fill the gap with the zeros.
    const auto positives = static_cast<std::size_t>(others - negatives);
    std::move_backward(negatives, others, v.end());
    std::fill(negatives, v.end() - static_cast<std::ptrdiff_t>(positives), 0.0);
}

}  // namespace

void ComputeSeriesStatistics(std::vector<double>& values, SeriesStatistics& stats) {
    if (values.empty()) return;
    SortSeries(values);
    SeriesStatistics& s = stats;
    s.Count = static_cast<int>(std::min<std::size_t>(values.size(), 2147483647u));
    const bool spread = values.size() > 1 && values.front() != values.back();
    if (spread) {
        ComputeMoments(values, s);
        s.RangeHigh = s.Max;
        s.RangeLow = s.Min;
    } else {
        s.Max = s.Min = s.Median = s.Mean = values.front();
        s.Range = s.StdDev = s.RelStdDev = s.Skewness = s.Kurtosis = 0;
        s.StdDevMean = s.SigmaMean = 0;
        s.RangeHigh = s.Mean + 1;
        s.RangeLow = s.Mean - 1;
    }
    NormalityTest(values, s);
    s.PlotLow = std::min(s.RangeLow, s.Min);
    s.PlotHigh = std::max(s.RangeHigh, s.Max);
    FillClasses(values, s, spread);
}

}  // namespace vormid
