#include "cli/Formatters.h"

#include "cli/Cp1251.h"
#include "core/NameMarkup.h"
#include "core/NumberFormat.h"

namespace vormid::cli {
namespace {

FormattedNumber From(const TFormattedNumber& n) { return {n.Mantissa, n.Exponent}; }

}  // namespace

FormattedNumber NumberFormatter::Like(double u, double x) const { return From(FormatLike(u, x, settings_, format_)); }
FormattedNumber NumberFormatter::Significant(double x) const {
    return From(FormatSignificant(x, settings_, format_));
}
FormattedNumber NumberFormatter::DecimalsComma(int decimals, double x) const {
    return From(FormatDecimalsComma(decimals, x, settings_));
}
FormattedNumber NumberFormatter::Value(double x) const { return From(FormatValue(x, settings_, format_)); }
FormattedNumber NumberFormatter::Uncertainty(double u) const {
    return From(FormatUncertainty(u, settings_, format_));
}

std::string TwoDecimalsComma(double x) {
    // The program's own picture rounding (halves away from zero on the
    // number as typed), not printf's.
    return FormatPicture("0.00", x, ',');
}

std::string NumberText(const FormattedNumber& n) {
    return Cp1251ToUtf8(n.Mantissa) + Superscript(n.Exponent);
}

}  // namespace vormid::cli
