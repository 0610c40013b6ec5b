#include "evaluation/SeriesCorrelation.h"

#include <algorithm>
#include <cmath>

namespace vormid {

std::vector<double> CorrelationSeries(const TGumParam& q) {
    if (q.AMethod == am_Indirect) return q.RowValues;
    const std::size_t n = std::min(q.Observations.size(), static_cast<std::size_t>(std::max(0, q.ObservationCount)));
    return std::vector<double>(q.Observations.begin(), q.Observations.begin() + static_cast<std::ptrdiff_t>(n));
}

bool CanCorrelateSeries(const TGumParam& x, const TGumParam& y) {
    return x.Kind == TParamKind::TypeA && y.Kind == TParamKind::TypeA &&
           CorrelationSeries(x).size() == CorrelationSeries(y).size();
}

std::optional<double> SeriesCorrelation(const std::vector<double>& x, const std::vector<double>& y) {
    const std::size_t n = x.size();
    if (n != y.size() || n < 2) return std::nullopt;
    long double mx = 0, my = 0;
    for (std::size_t i = 0; i < n; ++i) mx += x[i], my += y[i];
    mx /= n, my /= n;
    long double s = 0, sxx = 0, syy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        s += (x[i] - mx) * (y[i] - my);
        sxx += (x[i] - mx) * (x[i] - mx);
        syy += (y[i] - my) * (y[i] - my);
    }
    const long double sx = std::sqrt(sxx / (n - 1)), sy = std::sqrt(syy / (n - 1));
    if (!(sx > 0) || !(sy > 0)) return std::nullopt;
    double r = static_cast<double>(s / (n - 1) / (sx * sy));
    // Rounding may carry a perfect correlation a unit of the last place past 1.
    if (std::fabs(r) > 1.0 && std::fabs(r) < 1.0 + 1e-12) r = r > 0 ? 1.0 : -1.0;
    if (!std::isfinite(r) || r < -1.0 || r > 1.0) return std::nullopt;
    return r;
}

}  // namespace vormid
