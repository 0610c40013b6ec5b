#pragma once
// The correlation coefficient of two Type A quantities from their series of
// observations, as the correlation page offers it.
#include <optional>

#include "core/GumParam.h"

namespace vormid {

// The observations the coefficient pairs: the entered values of the direct
// method (counts of grouped values not applied), the computed observations
// of the indirect method.
std::vector<double> CorrelationSeries(const TGumParam& q);

// Whether r can be taken from the two series: both Type A with the same
// number of observations.
bool CanCorrelateSeries(const TGumParam& x, const TGumParam& y);

// r = Σ(x_i − x̄)(y_i − ȳ) / (n − 1) / (s_x s_y); none when the series
// differ in length, have fewer than two values or a zero standard
// deviation, or r falls outside −1 … 1.
std::optional<double> SeriesCorrelation(const std::vector<double>& x, const std::vector<double>& y);

}  // namespace vormid
