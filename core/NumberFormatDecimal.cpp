// Decimal digits of doubles, written without the process locale.
#include "core/NumberFormatDecimal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace vormid::numfmt {

TDecimal ToDecimal(double x) {
    TDecimal d;
    d.Negative = std::signbit(x);
    const double a = std::fabs(x);
    if (a == 0 || !std::isfinite(a)) return d;
    // "d.dddddddddddddde+XX": to_chars never looks at the locale.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 14);
    const std::string text(buf, res.ptr);
    const std::size_t e = text.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.') d.Digits += text[i];
    d.Point = std::atoi(text.c_str() + e + 1) + 1;
    while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
    if (d.Digits.empty()) d.Point = 0;
    return d;
}

void RoundToDigits(TDecimal& d, int n) {
    if (d.IsZero() || n >= static_cast<int>(d.Digits.size())) return;
    if (n < 0) {
        d.Digits.clear();
        d.Point = 0;
        return;
    }
    const bool up = d.Digits[static_cast<std::size_t>(n)] >= '5';
    d.Digits.resize(static_cast<std::size_t>(n));
    if (up) {
        int i = n - 1;
        while (i >= 0 && d.Digits[static_cast<std::size_t>(i)] == '9') d.Digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++d.Digits[static_cast<std::size_t>(i)];
        } else {
            d.Digits.insert(d.Digits.begin(), '1');
            ++d.Point;
        }
    }
    while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
    if (d.Digits.empty()) d.Point = 0;
}

double ToDouble(const TDecimal& d) {
    if (d.IsZero()) return d.Negative ? -0.0 : 0.0;
    const std::string text = "0." + d.Digits + "e" + std::to_string(d.Point);
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return d.Negative ? -v : v;
}

std::string FixedText(const TDecimal& d, int minInt, int minFrac, char sep) {
    const int n = static_cast<int>(d.Digits.size());
    std::string intPart, frac;
    for (int i = 0; i < d.Point; ++i) intPart += i < n ? d.Digits[static_cast<std::size_t>(i)] : '0';
    if (static_cast<int>(intPart.size()) < minInt)
        intPart.insert(0, static_cast<std::size_t>(minInt) - intPart.size(), '0');
    for (int i = d.Point; i < n; ++i) frac += i < 0 ? '0' : d.Digits[static_cast<std::size_t>(i)];
    if (static_cast<int>(frac.size()) < minFrac) frac.append(static_cast<std::size_t>(minFrac) - frac.size(), '0');
    std::string out = (d.Negative && !d.IsZero()) ? "-" : "";
    // push_back, not = "0": GCC 12 at -O3 reports a false -Wrestrict inside
    // std::string for the assignment of a literal here.
    if (intPart.empty() && frac.empty()) intPart.push_back('0');
    out += intPart;
    if (!frac.empty()) {
        out += sep;
        out += frac;
    }
    return out;
}

double ParseDotNumber(const std::string& text) {
    double v = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    const auto res = std::from_chars(first, last, v, std::chars_format::fixed);
    return (res.ec == std::errc() && res.ptr == last) ? v : 0.0;
}

}  // namespace vormid::numfmt
