#pragma once
// The statistics table of a Type A quantity: six rows of three label/value
// pairs, as the statistics grid shows them and as "Копиране" puts them on
// the clipboard.
//
// Labels and the clipboard texts are UTF-8: they are the program's own
// words and no model text enters them, and the clipboard takes Unicode.
#include <array>
#include <string>

#include "core/GumParam.h"
#include "core/NumberFormat.h"

namespace vormid {

struct TStatCell {
    const char* Label = "";  // UTF-8; "" for the empty pair
    TFormattedNumber Value;  // mantissa with ",", exponent drawn raised
};

constexpr int kStatRows = 6;
constexpr int kStatPairs = 3;
using TStatTable = std::array<std::array<TStatCell, kStatPairs>, kStatRows>;

// From the quantity's statistics block: D = its decimals, S = the settings'
// DefaultSignificantDigits; the shape and normality figures with three
// decimals.
TStatTable StatisticsTable(const TGumParam& q, const TNumberFormatSettings& settings);

// Six lines of six tab-separated cells; an exponent is written in
// superscript digits after its mantissa.
std::string StatisticsTsv(const TStatTable& table);
// The same as one HTML table, exponents in <sup>.
std::string StatisticsHtml(const TStatTable& table);

}  // namespace vormid
