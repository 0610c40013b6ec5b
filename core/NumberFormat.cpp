// The display formatters of values and uncertainties.
#include "core/NumberFormat.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/NumberFormatDecimal.h"

namespace vormid {

using numfmt::TDecimal;

namespace {

enum class TRangeSide { In, Above, Below };

struct TPicture {
    int MinInt = 0, MinFrac = 0, MaxFrac = 0;
    bool HasPoint = false;
    bool HasDigits = false;
};

TPicture ParsePicture(const std::string& picture) {
    TPicture p;
    int fracPlaces = 0;
    for (char c : picture) {
        if (c == '.') {
            if (p.HasPoint) continue;  // a second decimal sign means nothing
            p.HasPoint = true;
        } else if (c == '0' || c == '#') {
            p.HasDigits = true;
            if (!p.HasPoint) {
                if (c == '0') ++p.MinInt;
            } else {
                ++fracPlaces;
                if (c == '0') p.MinFrac = fracPlaces;  // up to the last '0'
            }
        }
    }
    p.MaxFrac = std::min(fracPlaces, 40);
    p.MinFrac = std::min(p.MinFrac, p.MaxFrac);
    return p;
}

std::string PictureText(const TPicture& p, double x, char sep) {
    TDecimal d = numfmt::ToDecimal(x);
    numfmt::RoundToFraction(d, p.MaxFrac);
    return numfmt::FixedText(d, p.MinInt, p.MinFrac, sep);
}

std::string FixedDecimals(double x, int decimals, char sep) {
    TDecimal d = numfmt::ToDecimal(x);
    numfmt::RoundToFraction(d, decimals);
    return numfmt::FixedText(d, 1, decimals, sep);
}

std::string SpecialText(double x) {
    if (std::isnan(x)) return "NAN";
    return x < 0 ? "-INF" : "INF";
}

bool MarkerIsE(const std::string& marker) {
    return !marker.empty() && std::toupper(static_cast<unsigned char>(marker[0])) == 'E';
}

TRangeSide RangeOf(double x, const TNumberFormatSettings& s) {
    const double a = std::fabs(x);
    if (a == 0) return TRangeSide::In;  // zero is never in exponent form
    if (a < s.LowThreshold) return TRangeSide::Below;
    if (a > static_cast<double>(s.HighThreshold)) return TRangeSide::Above;
    return TRangeSide::In;
}

TScaledValue Scale(double x, TRangeSide side) { return side == TRangeSide::Below ? ScaleUp(x) : ScaleDown(x); }

// Mantissa, marker and exponent of the exponent form.
TFormattedNumber ExponentForm(std::string mantissa, int e, TRangeSide side, const TNumberFormatSettings& s) {
    TFormattedNumber out;
    mantissa += s.ExponentMarker;
    if (e > 0) {
        // Built by appending: GCC 12 at -O3 takes "literal + std::string&&"
        // for an overlapping copy (a false -Wrestrict inside std::string).
        std::string exponent(side == TRangeSide::Below ? "-" : "");
        exponent += std::to_string(e);
        if (MarkerIsE(s.ExponentMarker))
            mantissa += exponent;
        else
            out.Exponent = exponent;
    }
    out.Mantissa = std::move(mantissa);
    return out;
}

int ClampDigits(int s) { return std::clamp(s, 1, 20); }

// Moves the decimal sign of a "-123.456"-style text e places left (e > 0)
// or right (e < 0) and writes it as ",". Leading zeros are dropped, a "0"
// stands before a leading ",", and a "," with nothing after it is left out.
std::string ShiftPoint(const std::string& text, int shiftLeft) {
    const bool negative = !text.empty() && text[0] == '-';
    std::string body = text.substr(negative ? 1 : 0);
    std::size_t pos = body.find('.');
    if (pos == std::string::npos) {
        pos = body.size();
    } else {
        body.erase(pos, 1);
    }
    long long newPos = static_cast<long long>(pos) - shiftLeft;
    if (newPos < 0) {
        body.insert(0, static_cast<std::size_t>(-newPos), '0');
        newPos = 0;
    }
    if (newPos > static_cast<long long>(body.size())) body.append(static_cast<std::size_t>(newPos) - body.size(), '0');
    std::string intPart = body.substr(0, static_cast<std::size_t>(newPos));
    const std::string frac = body.substr(static_cast<std::size_t>(newPos));
    const std::size_t firstNonZero = intPart.find_first_not_of('0');
    intPart = firstNonZero == std::string::npos ? "0" : intPart.substr(firstNonZero);
    std::string out = negative ? "-" : "";
    out += intPart;
    if (!frac.empty()) out += "," + frac;
    return out;
}

}  // namespace

TScaledValue ScaleUp(double x) {
    if (x == 0 || !std::isfinite(x)) return {x, 0};
    // Decided on the decimal digits, so that 1e-7 scales to 0.1 (x10^-6)
    // rather than to 100 (x10^-9) because its double lies a hair below.
    TDecimal d = numfmt::ToDecimal(x);
    const int k = d.Point >= 0 ? 0 : (-d.Point + 2) / 3;
    d.Point += 3 * k;
    return {numfmt::ToDouble(d), 3 * k};
}

TScaledValue ScaleDown(double x) {
    if (x == 0 || !std::isfinite(x)) return {x, 0};
    TDecimal d = numfmt::ToDecimal(x);
    // |x| / 1000^k <= 1000 holds for Point <= 3k + 3, and for Point = 3k + 4
    // only when the value is exactly 10^(3k+3).
    int k = 0;
    while (!(d.Point <= 3 * k + 3 || (d.Point == 3 * k + 4 && d.Digits == "1"))) ++k;
    d.Point -= 3 * k;
    return {numfmt::ToDouble(d), 3 * k};
}

std::string FormatPicture(const std::string& picture, double x, char decimalSeparator) {
    if (!std::isfinite(x)) return SpecialText(x);
    const TPicture p = ParsePicture(picture);
    if (!p.HasDigits) return FormatGeneral15(x, decimalSeparator);
    return PictureText(p, x, decimalSeparator);
}

std::string WithDecimalComma(std::string text) {
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::string FormatGeneral15(double x, char decimalSeparator) {
    if (!std::isfinite(x)) return SpecialText(x);
    const TDecimal d = numfmt::ToDecimal(x);
    if (d.IsZero()) return "0";
    const int exponent = d.Point - 1;
    if (exponent >= -5 && exponent < 15) return numfmt::FixedText(d, 1, 0, decimalSeparator);
    std::string out = d.Negative ? "-" : "";
    out += d.Digits[0];
    if (d.Digits.size() > 1) {
        out += decimalSeparator;
        out += d.Digits.substr(1);
    }
    return out + "E" + std::to_string(exponent);
}

TFormattedNumber FormatDecimals(int d, double x, const TNumberFormatSettings& settings, char decimalSeparator) {
    if (!std::isfinite(x)) return {SpecialText(x), ""};
    d = std::clamp(d, 0, 20);
    if (x == 0) return {std::string("0") + decimalSeparator + "0", ""};
    // The range test compares the values rounded to d decimals.
    const long double scale = std::pow(10.0L, d);
    const long double q = std::round(scale * std::fabs(static_cast<long double>(x)));
    const long double lo = std::round(scale * settings.LowThreshold);
    const long double hi = std::round(scale * static_cast<long double>(settings.HighThreshold));
    TRangeSide side = TRangeSide::In;
    if (q < lo) side = TRangeSide::Below;
    if (q > hi) side = TRangeSide::Above;
    if (side == TRangeSide::In) return {FixedDecimals(x, d, decimalSeparator), ""};
    const TScaledValue sc = Scale(x, side);
    return ExponentForm(FixedDecimals(sc.Value, std::max(0, d - sc.Exponent), decimalSeparator), sc.Exponent, side,
                        settings);
}

TFormattedNumber FormatDecimalsComma(int d, double x, const TNumberFormatSettings& settings) {
    return FormatDecimals(d, x, settings, ',');
}

TFormattedNumber FormatSignificant(double x, const TNumberFormatSettings& settings, const TDisplayFormat& display) {
    if (!std::isfinite(x)) return {SpecialText(x), ""};
    if (x == 0) return {"0,0", ""};
    const int s = ClampDigits(display.CurSignificantDigits);
    const TRangeSide side = RangeOf(x, settings);
    TScaledValue sc{x, 0};
    if (side != TRangeSide::In) sc = Scale(x, side);
    TDecimal d = numfmt::ToDecimal(sc.Value);
    numfmt::RoundToDigits(d, s);
    std::string digits = d.Digits;
    if (static_cast<int>(digits.size()) < s) digits.append(static_cast<std::size_t>(s) - digits.size(), '0');
    const int p = d.Point;
    std::string text = d.Negative ? "-" : "";
    if (p <= 0) {
        text += "0," + std::string(static_cast<std::size_t>(-p), '0') + digits;
    } else if (static_cast<int>(digits.size()) > p) {
        text += digits.substr(0, static_cast<std::size_t>(p)) + "," + digits.substr(static_cast<std::size_t>(p));
    } else {
        text += digits + std::string(static_cast<std::size_t>(p) - digits.size(), '0');
    }
    if (side == TRangeSide::In) return {text, ""};
    return ExponentForm(text, sc.Exponent, side, settings);
}

TFormattedNumber FormatVarianceSignificant(double variance, const TNumberFormatSettings& settings) {
    TDisplayFormat display;
    display.CurSignificantDigits = settings.DefaultSignificantDigits;
    return FormatSignificant(variance, settings, display);
}

TFormattedNumber FormatLike(double u, double x, const TNumberFormatSettings& settings, const TDisplayFormat& display) {
    if (!std::isfinite(x)) return {SpecialText(x), ""};
    if (!std::isfinite(u) || u == 0) return FormatSignificant(x, settings, display);
    if (x == 0) return {"0,0", ""};
    const int s = ClampDigits(display.CurSignificantDigits);
    TDecimal du = numfmt::ToDecimal(u);
    numfmt::RoundToDigits(du, s);
    const int p = du.Point;
    // Decimals of the picture that u's digits call for: s - p when the last
    // significant digit of u lies right of the decimal sign, else none.
    const int decimals = std::clamp(p >= s ? 0 : s - p, 0, 340);
    const std::string text = FixedDecimals(x, decimals, '.');
    const TRangeSide side = RangeOf(x, settings);
    if (side == TRangeSide::In) return {WithDecimalComma(text), ""};
    const int e = Scale(x, side).Exponent;
    if (e < 1) return ExponentForm(WithDecimalComma(text), e, side, settings);
    return ExponentForm(ShiftPoint(text, side == TRangeSide::Above ? e : -e), e, side, settings);
}

std::string RoundUncertainty(const std::string& picture, double u) {
    if (!std::isfinite(u)) return SpecialText(u);
    std::string pic = picture;
    std::replace(pic.begin(), pic.end(), '#', '0');
    const TPicture p = ParsePicture(pic);
    const double m = std::fabs(u);
    std::string text;
    if (!p.HasDigits) {
        text = FormatGeneral15(m, ',');
    } else if (m == 0) {
        text = PictureText(p, 0, ',');
    } else if (!p.HasPoint) {
        const double a = std::trunc(m);
        if (a == 0) {
            text = PictureText(p, 1, ',');
        } else if (std::fabs(m - a) * 100 / a > 5) {
            text = PictureText(p, a + 1, ',');
        } else {
            text = PictureText(p, m, ',');
        }
    } else {
        // a: u written with one more decimal, the last one dropped.
        TPicture longer = p;
        longer.MaxFrac = longer.MinFrac = p.MaxFrac + 1;
        std::string cut = PictureText(longer, m, '.');
        cut.pop_back();
        const double a = numfmt::ParseDotNumber(cut);
        if (a == 0 || std::fabs(m - a) * 100 / a > 5) {
            // One unit of the last decimal above a: a's text with a "9"
            // appended rounds up to it.
            if (cut.find('.') == std::string::npos) cut += '.';
            text = PictureText(p, numfmt::ParseDotNumber(cut + "9"), ',');
        } else {
            text = PictureText(p, m, ',');
        }
    }
    const bool allZero = text.find_first_not_of("0,") == std::string::npos;
    return (u < 0 && !allZero) ? "-" + text : text;
}

TFormattedNumber FormatUncertainty(double u, const TNumberFormatSettings& settings, const TDisplayFormat& display) {
    if (!std::isfinite(u)) return {SpecialText(u), ""};
    if (u == 0) return {"0,0", ""};
    const TRangeSide side = RangeOf(u, settings);
    if (!display.CurUncertaintyExp || side == TRangeSide::In)
        return {RoundUncertainty(display.CurUncertaintyFormat, u), ""};
    const TScaledValue sc = Scale(u, side);
    return ExponentForm(RoundUncertainty(display.CurUncertaintyFormat, sc.Value), sc.Exponent, side, settings);
}

TFormattedNumber FormatValue(double x, const TNumberFormatSettings& settings, const TDisplayFormat& display) {
    if (!std::isfinite(x)) return {SpecialText(x), ""};
    if (x == 0) return {"0,0", ""};
    const TRangeSide side = RangeOf(x, settings);
    if (!display.CurValueExp || side == TRangeSide::In) return {FormatPicture(display.CurValueFormat, x, ','), ""};
    const TScaledValue sc = Scale(x, side);
    return ExponentForm(FormatPicture(display.CurValueFormat, sc.Value, ','), sc.Exponent, side, settings);
}

}  // namespace vormid
