// Display formatters: decimals, significant digits, pictures, uncertainty
// rounding and the exponent form.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <ostream>
#include <random>
#include <string>

#include "core/NumberFormat.h"

namespace vormid {

void PrintTo(const TFormattedNumber& f, std::ostream* os) {
    *os << '"' << f.Mantissa << "\" ^ \"" << f.Exponent << '"';
}

namespace {

TNumberFormatSettings Settings(const std::string& marker = "x10") {
    TNumberFormatSettings s;
    s.ExponentMarker = marker;
    return s;
}

TDisplayFormat Display(int digits = 3, const std::string& valueFormat = "0.000",
                       const std::string& uncertaintyFormat = "0.000", bool exp = true) {
    TDisplayFormat d;
    d.CurSignificantDigits = digits;
    d.CurValueFormat = valueFormat;
    d.CurUncertaintyFormat = uncertaintyFormat;
    d.CurValueExp = d.CurUncertaintyExp = exp;
    return d;
}

TEST(ScaleUpDown, PowersOfAThousand) {
    const struct {
        double x, value;
        int exponent;
        bool up;
    } cases[] = {
        {1.2e-7, 0.12, 6, true},
        {-1.2e-7, -0.12, 6, true},
        {1e-7, 0.1, 6, true},
        {0.5, 0.5, 0, true},
        {0.05, 50, 3, true},
        {9.99e-5, 99.9, 6, true},
        {1234567.0, 1.234567, 6, false},
        {1e6, 1000, 3, false},
        {1000001, 1.000001, 6, false},
        {999, 999, 0, false},
        {-5e9, -5, 9, false},
        {1e300, 1000, 297, false},
    };
    for (const auto& c : cases) {
        const TScaledValue s = c.up ? ScaleUp(c.x) : ScaleDown(c.x);
        EXPECT_DOUBLE_EQ(s.Value, c.value) << c.x;
        EXPECT_EQ(s.Exponent, c.exponent) << c.x;
    }
    EXPECT_EQ(ScaleUp(0).Exponent, 0);
    EXPECT_EQ(ScaleUp(5e-324).Exponent, 324);
    EXPECT_EQ(ScaleDown(std::numeric_limits<double>::infinity()).Exponent, 0);
}

TEST(FormatPicture, PictureSyntax) {
    const struct {
        const char* picture;
        double x;
        const char* text;
    } cases[] = {
        {"0.000", 1.5, "1,500"},
        {"0.000", -2.0005, "-2,001"},
        {"0.000", 0.0005, "0,001"},
        {"0.00", 2.675, "2,68"},
        {"0.00", 1.005, "1,01"},
        {"0.00", -0.004, "0,00"},
        {"0.######", 0.1, "0,1"},
        {"0.######", 1.23456789, "1,234568"},
        {"0.######", 3, "3"},
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"0", 1234567.4, "1234567"},
        {"#.##", 0.5, ",5"},
        {"00.0", 5.43, "05,4"},
        {"0.0#", 1.2, "1,2"},
        {"0.0#", 1.234, "1,23"},
        {"0.000", 0.1 + 0.2, "0,300"},
        {"0.000", 123456789012.0, "123456789012,000"},
        {"", 0.25, "0,25"},
        {"abc", 1e20, "1E20"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatPicture(c.picture, c.x, ','), c.text) << c.picture << " " << c.x;
    EXPECT_EQ(FormatPicture("0.000", 1.5, '.'), "1.500");
    EXPECT_EQ(FormatPicture("0.0", std::numeric_limits<double>::quiet_NaN(), ','), "NAN");
    EXPECT_EQ(FormatPicture("0.0", -std::numeric_limits<double>::infinity(), ','), "-INF");
}

TEST(FormatGeneral15, FixedOrExponentForm) {
    const struct {
        double x;
        const char* text;
    } cases[] = {
        {0, "0"},
        {0.5, "0,5"},
        {-0.25, "-0,25"},
        {1, "1"},
        {0.1 + 0.2, "0,3"},
        {1.0 / 3, "0,333333333333333"},
        {0.00001, "0,00001"},
        {1.5e-7, "1,5E-7"},
        {123456789012345.0, "123456789012345"},
        {2e20, "2E20"},
        {-1.25e-300, "-1,25E-300"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatGeneral15(c.x, ','), c.text) << c.x;
    EXPECT_EQ(FormatGeneral15(0.75, '.'), "0.75");
}

TEST(FormatDecimals, RangeAndExponentForm) {
    EXPECT_EQ(FormatDecimals(3, 1234567.0, Settings("x10"), '.'), (TFormattedNumber{"1x10", "6"}));
    EXPECT_EQ(FormatDecimals(3, 1234567.0, Settings("E"), '.'), (TFormattedNumber{"1E6", ""}));
    EXPECT_EQ(FormatDecimals(3, 1234567.0, Settings(".10"), ','), (TFormattedNumber{"1.10", "6"}));
    EXPECT_EQ(FormatDecimals(8, 1234567.0, Settings("x10"), ','), (TFormattedNumber{"1,23x10", "6"}));
    // q = round(1e-4) = 0 is not below lo = round(0.001) = 0: in range.
    EXPECT_EQ(FormatDecimals(3, 0.0000001, Settings(), '.'), (TFormattedNumber{"0.000", ""}));
    EXPECT_EQ(FormatDecimals(3, -0.0000001, Settings(), '.'), (TFormattedNumber{"0.000", ""}));
    EXPECT_EQ(FormatDecimals(9, 1.2e-7, Settings(), ','), (TFormattedNumber{"0,120x10", "-6"}));
    EXPECT_EQ(FormatDecimals(9, 1.2e-7, Settings("e"), ','), (TFormattedNumber{"0,120e-6", ""}));
    EXPECT_EQ(FormatDecimals(2, 999999.994, Settings(), ','), (TFormattedNumber{"999999,99", ""}));
    EXPECT_EQ(FormatDecimals(2, -3.14159, Settings(), ','), (TFormattedNumber{"-3,14", ""}));
    EXPECT_EQ(FormatDecimals(3, 0, Settings(), '.'), (TFormattedNumber{"0.0", ""}));
    EXPECT_EQ(FormatDecimalsComma(3, 0, Settings()), (TFormattedNumber{"0,0", ""}));
    EXPECT_EQ(FormatDecimalsComma(1, 2.25, Settings()), (TFormattedNumber{"2,3", ""}));
}

TEST(FormatSignificant, Digits) {
    const struct {
        int s;
        double x;
        const char* mantissa;
        const char* exponent;
    } cases[] = {
        {3, 123.45, "123", ""}, {3, 0.00123, "0,00123", ""},   {3, 1234, "1230", ""},    {3, 1.5, "1,50", ""},
        {3, -1.5, "-1,50", ""}, {3, 999.6, "1000", ""},        {3, 0.1, "0,100", ""},    {2, 0.0995, "0,10", ""},
        {5, 2.0, "2,0000", ""}, {3, 1.2e-7, "0,120x10", "-6"}, {3, 5e9, "5,00x10", "9"}, {2, 123456789, "120x10", "6"},
        {3, 0, "0,0", ""},
    };
    for (const auto& c : cases) {
        const TFormattedNumber f = FormatSignificant(c.x, Settings(), Display(c.s));
        EXPECT_EQ(f.Mantissa, c.mantissa) << c.s << " " << c.x;
        EXPECT_EQ(f.Exponent, c.exponent) << c.s << " " << c.x;
    }
}

TEST(FormatLike, DecimalsFollowTheUncertainty) {
    const struct {
        int s;
        double u, x;
        const char* mantissa;
        const char* exponent;
    } cases[] = {
        {2, 0.0123, 12.34567, "12,346", ""},
        {2, 0.5, 10.04, "10,04", ""},   // u -> 0,50: two decimals
        {2, 12.3, 5.4321, "5", ""},     // u -> 12: no decimals
        {3, 12.3, 5.4321, "5,4", ""},   // u -> 12,3: one decimal, no padding zero
        {2, 1234, 5678.9, "5679", ""},  // u -> 1200: no decimals
        {3, 0, 1.5, "1,50", ""},        // no uncertainty: significant digits
        {2, 0.1, 0, "0,0", ""},
        {2, 0.5, -12345678.9, "-12,34567890x10", "6"},
        {2, 1e-9, 1.2345e-7, "0,1235x10", "-6"},
        {2, 1e-9, -1.2345e-7, "-0,1235x10", "-6"},
    };
    for (const auto& c : cases) {
        const TFormattedNumber f = FormatLike(c.u, c.x, Settings(), Display(c.s));
        EXPECT_EQ(f.Mantissa, c.mantissa) << c.u << " " << c.x;
        EXPECT_EQ(f.Exponent, c.exponent) << c.u << " " << c.x;
    }
    EXPECT_EQ(FormatLike(0.5, -12345678.9, Settings("E"), Display(2)), (TFormattedNumber{"-12,34567890E6", ""}));
}

TEST(RoundUncertainty, UpwardWhenCuttingLosesMoreThanFivePercent) {
    const struct {
        const char* picture;
        double u;
        const char* text;
    } cases[] = {
        {"0", 0.4, "1"},
        {"0", 2.04, "2"},
        {"0", 2.2, "3"},
        {"0", 2.05, "2"},
        {"0", 20.6, "21"},
        {"#", 7.0, "7"},
        {"0.00", 0.01234, "0,02"},
        {"0.00", 0.01004, "0,01"},
        {"0.00", 0.004, "0,01"},
        {"0.00", 0.0199996, "0,02"},
        {"0.0#", 0.01234, "0,02"},
        {"0.00", 1.234, "1,23"},
        {"0.00", 1.2345, "1,23"},
        {"0.00", 1.204, "1,20"},
        {"0.000", 0.5, "0,500"},
        {"0.", 2.2, "3"},
        {"0.", 2.04, "2"},
        {"0.00", 0, "0,00"},
        {"0", 0, "0"},
        {"0.00", -0.01234, "-0,02"},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundUncertainty(c.picture, c.u), c.text) << c.picture << " " << c.u;
}

TEST(FormatUncertainty, ZeroRangeAndExponentForm) {
    const TNumberFormatSettings s = Settings();
    EXPECT_EQ(FormatUncertainty(0, s, Display()), (TFormattedNumber{"0,0", ""}));
    EXPECT_EQ(FormatUncertainty(0.01234, s, Display(3, "0.000", "0.00")), (TFormattedNumber{"0,02", ""}));
    EXPECT_EQ(FormatUncertainty(1.234e-7, s, Display(3, "0.000", "0.00")), (TFormattedNumber{"0,12x10", "-6"}));
    EXPECT_EQ(FormatUncertainty(1.234e-7, s, Display(3, "0.000", "0.00", false)), (TFormattedNumber{"0,01", ""}));
    EXPECT_EQ(FormatUncertainty(2.5e7, Settings("E"), Display(3, "0.000", "0.0")), (TFormattedNumber{"25,0E6", ""}));
}

TEST(FormatValue, PictureAndExponentForm) {
    const TNumberFormatSettings s = Settings();
    EXPECT_EQ(FormatValue(-0.00000012, s, Display()), (TFormattedNumber{"-0,120x10", "-6"}));
    EXPECT_EQ(FormatValue(-0.00000012, Settings("E"), Display()), (TFormattedNumber{"-0,120E-6", ""}));
    EXPECT_EQ(FormatValue(-0.00000012, s, Display(3, "0.000", "0.000", false)), (TFormattedNumber{"0,000", ""}));
    EXPECT_EQ(FormatValue(0, s, Display()), (TFormattedNumber{"0,0", ""}));
    EXPECT_EQ(FormatValue(12.34567, s, Display(3, "0.######")), (TFormattedNumber{"12,34567", ""}));
    EXPECT_EQ(FormatValue(1000000, s, Display()), (TFormattedNumber{"1000000,000", ""})) << "the threshold is in range";
    EXPECT_EQ(FormatValue(1e-6, s, Display(3, "0.000000")), (TFormattedNumber{"0,000001", ""}));
    EXPECT_EQ(FormatValue(123456789, s, Display()), (TFormattedNumber{"123,457x10", "6"}));
    TNumberFormatSettings narrow = s;
    narrow.LowThreshold = 1e-3;
    narrow.HighThreshold = 1000;
    EXPECT_EQ(FormatValue(0.0005, narrow, Display()), (TFormattedNumber{"0,500x10", "-3"}));
    EXPECT_EQ(FormatValue(1500, narrow, Display(3, "0.0")), (TFormattedNumber{"1,5x10", "3"}));
    EXPECT_EQ(FormatValue(std::numeric_limits<double>::quiet_NaN(), s, Display()), (TFormattedNumber{"NAN", ""}));
}

struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

void ExpectLocaleFreeTexts(const std::string& where) {
    EXPECT_EQ(FormatPicture("0.000", 1234.5, '.'), "1234.500") << where;
    EXPECT_EQ(FormatGeneral15(1.5e-7, ','), "1,5E-7") << where;
    EXPECT_EQ(RoundUncertainty("0.00", 0.01234), "0,02") << where;
    EXPECT_EQ(FormatDecimals(2, 2.5, Settings(), '.'), (TFormattedNumber{"2.50", ""})) << where;
    EXPECT_EQ(FormatValue(-0.00000012, Settings(), Display()), (TFormattedNumber{"-0,120x10", "-6"})) << where;
}

// The output never depends on the process locale: a C library locale with a
// decimal comma where one is installed, and always a C++ global locale with
// comma and grouping.
TEST(NumberFormat, IndependentOfTheProcessLocale) {
    const std::string savedC = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"de_DE.UTF-8", "bg_BG.UTF-8", "bg_BG.CP1251"}) {
        if (!std::setlocale(LC_ALL, name)) continue;
        ExpectLocaleFreeTexts(name);
    }
    std::setlocale(LC_ALL, savedC.c_str());
    const std::locale savedCpp = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    ExpectLocaleFreeTexts("C++ global locale with a decimal comma");
    std::locale::global(savedCpp);
}

// Random magnitudes, signs, pictures and thresholds: every formatter gives
// a short text of digits, signs and the marker, and never crashes.
TEST(NumberFormat, RandomInputsGiveWellFormedTexts) {
    std::mt19937_64 rng(20261208);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-320, 308), digits(0, 22), pick(0, 7);
    const char* pictures[] = {"0", "0.000", "0.######", "#.##", "00.0#", "", ".", "0.0.0"};
    const char* markers[] = {"x10", ".10", "E", "e"};
    auto wellFormed = [](const std::string& t) {
        return t.size() < 800 && t.find_first_not_of("0123456789,.-xEeINFA") == std::string::npos;
    };
    for (int i = 0; i < 4000; ++i) {
        const double x = mantissa(rng) * std::pow(10.0, exponent(rng));
        const double u = std::fabs(mantissa(rng) * std::pow(10.0, exponent(rng)));
        TNumberFormatSettings s = Settings(markers[pick(rng) % 4]);
        s.LowThreshold = std::pow(10.0, -digits(rng));
        s.HighThreshold = static_cast<long long>(std::pow(10.0, digits(rng) % 18));
        TDisplayFormat d = Display(digits(rng), pictures[pick(rng)], pictures[pick(rng)], pick(rng) % 2 == 0);
        for (const TFormattedNumber& f : {FormatDecimals(digits(rng), x, s, '.'), FormatSignificant(x, s, d),
                                          FormatLike(u, x, s, d), FormatUncertainty(u, s, d), FormatValue(x, s, d)}) {
            EXPECT_TRUE(wellFormed(f.Mantissa)) << f.Mantissa << " x = " << x << " u = " << u;
            EXPECT_TRUE(f.Exponent.empty() || f.Exponent.find_first_not_of("-0123456789") == std::string::npos);
        }
        EXPECT_TRUE(wellFormed(RoundUncertainty(pictures[pick(rng)], u)));
        EXPECT_TRUE(wellFormed(FormatGeneral15(x, ',')));
    }
}

}  // namespace
}  // namespace vormid

namespace vormid {
namespace {

TEST(NumberFormatVariance, ANonzeroVarianceIsNeverShownAsZero) {
    TNumberFormatSettings s;  // 3 significant digits, exponent form below 1e-6
    const TFormattedNumber small = FormatVarianceSignificant(3.33e-10, s);
    EXPECT_EQ(small.Mantissa, "0,333x10");  // exponents go in steps of three
    EXPECT_EQ(small.Exponent, "-9");
    EXPECT_EQ(FormatVarianceSignificant(0.0123456, s).Mantissa, "0,0123");
    s.DefaultSignificantDigits = 5;
    EXPECT_EQ(FormatVarianceSignificant(2.5, s).Mantissa, "2,5000");
}

}  // namespace
}  // namespace vormid
