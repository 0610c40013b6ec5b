#include "ui/DistributionChartLabel.h"

#include <cmath>

namespace vormid {

namespace {
bool InRange(double value, const TNumberFormatSettings& s) {
    const double a = std::fabs(value);
    return a == 0 || (a >= s.LowThreshold && a <= static_cast<double>(s.HighThreshold));
}
}  // namespace

TFormattedNumber DistributionChartLabelText(const TNumberFormatSettings& settings, double value) {
    TDisplayFormat display;
    display.CurSignificantDigits = settings.DefaultSignificantDigits;
    TFormattedNumber text = FormatSignificant(value, settings, display);
    // An empty exponent means either a value in range or the marker "E",
    // which keeps its exponent in the mantissa. Only the first is written in
    // plain decimals: ten decimals would show 1E-12 as "0".
    if (text.Exponent.empty() && std::isfinite(value) && InRange(value, settings))
        text.Mantissa = FormatPicture("0.##########", value, ',');
    return text;
}

void DistributionChart1Label(const TNumberFormatSettings& settings, long double value, QString& V, QString& E) {
    const TFormattedNumber text = DistributionChartLabelText(settings, static_cast<double>(value));
    // The formatters write ASCII only (digits, signs, the marker).
    V = QString::fromLatin1(text.Mantissa.data(), static_cast<qsizetype>(text.Mantissa.size()));
    E = QString::fromLatin1(text.Exponent.data(), static_cast<qsizetype>(text.Exponent.size()));
}

}  // namespace vormid
