#pragma once
// Plain drawing vocabulary of the charts: integer points, colours and the
// rounding every chart coordinate goes through. Standard library only, so the
// geometry can be computed and tested without a window.
#include <cmath>
#include <cstdint>

namespace vormid::charts {

struct TPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TRgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const TRgb&) const = default;
};

inline constexpr TRgb kChartBackColor{236, 233, 216};
inline constexpr TRgb kBlack{0, 0, 0};
inline constexpr TRgb kWhite{255, 255, 255};

// Nearest integer, halves to the even neighbour (1.5 -> 2, 2.5 -> 2).
// Coordinates far outside any screen are clamped and NaN gives 0, so a wild
// parameter draws something off the picture instead of overflowing an int.
inline int Nint(double v) {
    constexpr double kLimit = 1 << 24;
    if (std::isnan(v)) return 0;
    if (v > kLimit) return static_cast<int>(kLimit);
    if (v < -kLimit) return -static_cast<int>(kLimit);
    // The default floating-point environment rounds to nearest-even, and
    // nothing in the program changes it.
    return static_cast<int>(std::nearbyint(v));
}

}  // namespace vormid::charts
