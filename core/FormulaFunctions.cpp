// The functions of the equation language, in extended precision.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <numeric>

#include "core/FormulaProgram.h"

namespace vormid::formula_detail {

namespace {

enum : int {
    fn_Abs = 8,
    fn_Int,
    fn_Round,
    fn_Floor,
    fn_Ceil,
    fn_Sin,
    fn_Sinh,
    fn_Asin,
    fn_Asinh,
    fn_Cos,
    fn_Cosh,
    fn_Acos,
    fn_Acosh,
    fn_Tan,
    fn_Tanh,
    fn_Atan,
    fn_Atanh,
    fn_Cot,
    fn_Coth,
    fn_Acot,
    fn_Acoth,
    fn_Deg,
    fn_Rad,
    fn_Ln,
    fn_Log,
    fn_Log2,
    fn_Log10,
    fn_Exp,
    fn_Fact,
    fn_Mod,
    fn_Div,
    fn_Pi,
    fn_Product,
    fn_Sqrt,
    fn_Avg,
    fn_Max,
    fn_Min,
    fn_Sum,
};
static_assert(fn_Sum == kFunctionSlots - 1 && fn_Pi == kPiSlot);
static_assert(fn_Ln == kLnSlot && fn_Exp == kExpSlot && fn_Sqrt == kSqrtSlot);

long double Fail(std::uint8_t& err, int code) {
    err = static_cast<std::uint8_t>(code);
    return std::nanl("");
}

// Integer remainder (sign of the dividend) or quotient (toward zero) of the
// rounded arguments in 64-bit integers.
long double IntegerDivision(bool remainder, long double a, long double b, std::uint8_t& err) {
    if (std::isnan(a) || std::isnan(b)) return std::nanl("");
    const long double ra = RoundHalfEven(a);
    const long double rb = RoundHalfEven(b);
    // A divisor that rounds to 0 (|b| <= 0.5) would divide by zero as well.
    if (rb == 0.0L) return Fail(err, DivisionByZero);
    constexpr long double kLimit = 9223372036854775808.0L;  // 2^63
    if (!(ra >= -kLimit && ra < kLimit && rb >= -kLimit && rb < kLimit)) return Fail(err, OutOfRange);
    const std::int64_t ia = static_cast<std::int64_t>(ra);
    const std::int64_t ib = static_cast<std::int64_t>(rb);
    if (ib == -1) {
        // INT64_MIN / -1 overflows; the remainder is 0 for every dividend.
        if (remainder) return 0.0L;
        if (ia == std::numeric_limits<std::int64_t>::min()) return Fail(err, OutOfRange);
        return static_cast<long double>(-ia);
    }
    return static_cast<long double>(remainder ? ia % ib : ia / ib);
}

long double Factorial(long double x, std::uint8_t& err) {
    if (std::isnan(x)) return x;
    if (x < 0.0L || x >= 171.0L) return Fail(err, OutOfRange);
    const int n = static_cast<int>(std::trunc(x));
    long double p = 1.0L;
    for (int i = 2; i <= n; ++i) p *= static_cast<long double>(i);
    return p;
}

bool AnyNaN(const long double* args, std::uint32_t count) {
    return std::any_of(args, args + count, [](long double a) { return std::isnan(a); });
}

}  // namespace

long double RoundHalfEven(long double x) {
    if (!std::isfinite(x)) return x;
    const long double below = std::floor(x);
    const long double fraction = x - below;  // exact: both share x's scale
    if (fraction > 0.5L) return below + 1.0L;
    if (fraction < 0.5L) return below;
    return std::fmod(below, 2.0L) == 0.0L ? below : below + 1.0L;
}

long double ApplyFunction(int slot, const long double* args, std::uint32_t count, std::uint8_t& err) {
    if (slot == fn_Pi) return kPi;
    // The parser gives every call at least one argument (possibly the empty
    // one); two-argument functions written with one get InvalidNumber, as an
    // empty argument does.
    const bool needsTwo = slot == fn_Log || slot == fn_Mod || slot == fn_Div;
    if (count == 0 || (needsTwo && count < 2)) return Fail(err, InvalidNumber);
    const long double x = args[0];
    long double v;
    switch (slot) {
        case fn_Abs:
            return std::fabs(x);
        case fn_Int:
            return std::trunc(x);
        case fn_Round:
            return RoundHalfEven(x);
        case fn_Floor:
            return std::floor(x);
        case fn_Ceil:
            return std::ceil(x);
        case fn_Sin:
            v = std::sin(x);
            break;
        case fn_Sinh:
            v = std::sinh(x);
            break;
        case fn_Asin:
            if (x < -1.0L || x > 1.0L) return Fail(err, OutOfRange);
            return std::asin(x);
        case fn_Asinh:
            return std::asinh(x);
        case fn_Cos:
            v = std::cos(x);
            break;
        case fn_Cosh:
            return std::cosh(x);
        case fn_Acos:
            if (x < -1.0L || x > 1.0L) return Fail(err, OutOfRange);
            return std::acos(x);
        case fn_Acosh:
            if (x < 1.0L) return Fail(err, OutOfRange);
            return std::acosh(x);
        case fn_Tan:
            v = std::tan(x);
            break;
        case fn_Tanh:
            return std::tanh(x);
        case fn_Atan:
            return std::atan(x);
        case fn_Atanh:
            if (x <= -1.0L || x >= 1.0L) return Fail(err, OutOfRange);
            return std::atanh(x);
        case fn_Cot:
            if (x == 0.0L) return Fail(err, UndefinedValue);
            v = 1.0L / std::tan(x);
            break;
        case fn_Coth:
            // cosh/sinh, written as 1/tanh so that it stays finite where cosh and
            // sinh overflow (|x| > 11356).
            if (x == 0.0L) return Fail(err, UndefinedValue);
            return 1.0L / std::tanh(x);
        case fn_Acot:
            return kPi / 2.0L - std::atan(x);
        case fn_Acoth:
            // 0.5*ln((x+1)/(x-1)) = 0.5*ln(1 + 2/(x-1)); the second form is
            // exact near infinity and gives 0 for x = +-inf.
            if (!(x < -1.0L || x > 1.0L)) {
                if (std::isnan(x)) return x;
                return Fail(err, OutOfRange);
            }
            return 0.5L * std::log1p(2.0L / (x - 1.0L));
        case fn_Deg:
            return x * 180.0L / kPi;
        case fn_Rad:
            return x * kPi / 180.0L;
        case fn_Ln:
            // Like LOG2 and LOG10: no logarithm of a value <= 0.
            if (x <= 0.0L) return Fail(err, DivisionByZero);
            return std::log(x);
        case fn_Log: {
            const long double base = x, y = args[1];
            if (std::isnan(base) || std::isnan(y)) return std::nanl("");
            if (base < 2.0L || y <= 0.0L) return Fail(err, InvalidOperation);
            v = std::log(y) / std::log(base);
            break;
        }
        case fn_Log2:
            if (x <= 0.0L) return Fail(err, DivisionByZero);
            return std::log2(x);
        case fn_Log10:
            if (x <= 0.0L) return Fail(err, DivisionByZero);
            return std::log10(x);
        case fn_Exp:
            return std::exp(x);
        case fn_Fact:
            return Factorial(x, err);
        case fn_Mod:
            return IntegerDivision(true, x, args[1], err);
        case fn_Div:
            return IntegerDivision(false, x, args[1], err);
        case fn_Product: {
            const long double p = std::accumulate(args, args + count, 1.0L, std::multiplies<>());
            if (std::isnan(p) && !AnyNaN(args, count)) err = InvalidOperation;
            return p;
        }
        case fn_Sum:
        case fn_Avg: {
            long double s = std::accumulate(args, args + count, 0.0L);
            if (slot == fn_Avg) s /= static_cast<long double>(count);
            if (std::isnan(s) && !AnyNaN(args, count)) err = InvalidOperation;
            return s;
        }
        case fn_Max:
        case fn_Min: {
            if (AnyNaN(args, count)) return std::nanl("");
            return slot == fn_Max ? *std::max_element(args, args + count) : *std::min_element(args, args + count);
        }
        case fn_Sqrt: {
            if (x < 0.0L) return Fail(err, OutOfRange);
            if (count < 2) return std::sqrt(x);
            const long double n = args[1];
            if (n == 0.0L) return Fail(err, DivisionByZero);
            v = std::pow(x, 1.0L / n);
            if (std::isnan(v) && !std::isnan(x) && !std::isnan(n)) err = InvalidOperation;
            return v;
        }
        default:
            return Fail(err, InvalidOperation);  // unreachable: the parser only makes slots 8..45
    }
    // sin, cos, tan and cot of an infinite argument have no value.
    if (std::isnan(v) && !std::isnan(x)) err = InvalidOperation;
    return v;
}

}  // namespace vormid::formula_detail
