// Evaluation of a compiled formula over a block of Monte Carlo draws in
// double precision. The walk is that of EvaluateBlock (each node over all
// its lanes), but the common nodes are plain loops over doubles that the
// compiler turns into vector instructions; the checks for the rare errors
// ride along the operation's own pass, and only a lane that failed is looked
// at again.
#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "core/Formula.h"
#include "core/FormulaProgram.h"
#include "core/GumTypes.h"

namespace vormid {

using formula_detail::TFlatNode;
using formula_detail::TFormulProgram;

namespace {

constexpr std::size_t kMaxLanes = 256;
constexpr std::size_t kScratchValues = std::size_t{1} << 16;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::size_t LanesFor(std::size_t nodes) {
    return std::clamp<std::size_t>(kScratchValues / std::max<std::size_t>(nodes, 1), 1, kMaxLanes);
}

// out = op(a, b) over the lanes; whether any result is NaN, found in the
// same pass.
template <class Op>
inline bool Binary(const double* __restrict a, const double* __restrict b, double* __restrict out, std::size_t lanes,
                   Op op) {
    int nan = 0;
    for (std::size_t k = 0; k < lanes; ++k) {
        const double v = op(a[k], b[k]);
        out[k] = v;
        nan |= static_cast<int>(v != v);
    }
    return nan != 0;
}

// A NaN from operands that were not NaN is an invalid operation (inf − inf,
// 0·inf), as in the extended-precision evaluation.
void FlagNewNaN(const double* v, const double* a, const double* b, std::uint8_t* err, std::size_t lanes) {
    for (std::size_t k = 0; k < lanes; ++k)
        if (std::isnan(v[k]) && !std::isnan(a[k]) && (b == nullptr || !std::isnan(b[k]))) err[k] = InvalidOperation;
}

// Lanes whose operand is at or below zero (LN) or below zero (SQRT) fail
// with the code the extended-precision function gives them.
void FailWhere(const double* x, double* out, std::uint8_t* err, std::size_t lanes, bool orZero, std::uint8_t code) {
    int any = 0;
    for (std::size_t k = 0; k < lanes; ++k) any |= static_cast<int>(orZero ? x[k] <= 0.0 : x[k] < 0.0);
    if (any == 0) [[likely]]
        return;
    for (std::size_t k = 0; k < lanes; ++k)
        if (orZero ? x[k] <= 0.0 : x[k] < 0.0) {
            out[k] = kNaN;
            err[k] = code;
        }
}

// One block of lanes through the whole program. at[i] is where node i's
// values are: a name's own column, the root's the caller's values, any
// other node's its row of the scratch. The vector units of the machine
// are chosen when the program starts; the arithmetic, and so every bit of
// the result, is the same on all of them.
__attribute__((target_clones("avx2", "default"))) void DrawsBlock(const TFormulProgram& p, const double* const* columns,
                                                                  std::size_t base, std::size_t lanes,
                                                                  std::size_t width, double* rows, const double** at,
                                                                  double* values, std::uint8_t* err) {
    const std::size_t n = p.Nodes.size();
    std::fill(err, err + lanes, std::uint8_t{0});
    for (std::size_t i = 0; i < n; ++i) {
        const TFlatNode& node = p.Nodes[i];
        double* const out = i + 1 == n ? values : rows + i * width;
        at[i] = out;
        const std::uint32_t* kids = p.Kids.data() + node.FirstChild;
        const double* a = node.ChildCount > 0 ? at[kids[0]] : nullptr;
        const double* b = node.ChildCount > 1 ? at[kids[1]] : nullptr;
        bool negated = false;  // the case applied the node's negation itself
        switch (node.Op) {
            case op_Name:
                if (node.Negate || i + 1 == n) {
                    std::copy(columns[node.Slot] + base, columns[node.Slot] + base + lanes, out);
                } else {
                    at[i] = columns[node.Slot] + base;
                }
                break;
            case op_Number:
                std::fill(out, out + lanes, static_cast<double>(node.Number));
                if (node.LeafError != 0) std::fill(err, err + lanes, node.LeafError);
                break;
            case op_Add:
                if (Binary(a, b, out, lanes, [](double x, double y) { return x + y; }))
                    FlagNewNaN(out, a, b, err, lanes);
                break;
            case op_Sub:
                if (Binary(a, b, out, lanes, [](double x, double y) { return x - y; }))
                    FlagNewNaN(out, a, b, err, lanes);
                break;
            case op_Mul:
                if (Binary(a, b, out, lanes, [](double x, double y) { return x * y; }))
                    FlagNewNaN(out, a, b, err, lanes);
                break;
            case op_Div: {
                // A zero divisor makes an infinity or a NaN: such lanes are
                // looked at again, and fail whatever the dividend.
                int odd = 0;
                for (std::size_t k = 0; k < lanes; ++k) {
                    const double v = a[k] / b[k];
                    out[k] = v;
                    odd |= static_cast<int>(v != v) | static_cast<int>(b[k] == 0.0);
                }
                if (odd != 0) [[unlikely]] {
                    FlagNewNaN(out, a, b, err, lanes);
                    for (std::size_t k = 0; k < lanes; ++k)
                        if (b[k] == 0.0) {
                            out[k] = kNaN;
                            err[k] = DivisionByZero;
                        }
                }
                break;
            }
            case op_Pow:
                for (std::size_t k = 0; k < lanes; ++k) out[k] = std::pow(a[k], b[k]);
                FlagNewNaN(out, a, b, err, lanes);
                break;
            default:
                if (node.Op == formula_detail::kLnSlot && node.ChildCount == 1) {
                    for (std::size_t k = 0; k < lanes; ++k) out[k] = std::log(a[k]);
                    FailWhere(a, out, err, lanes, true, DivisionByZero);
                } else if (node.Op == formula_detail::kExpSlot && node.ChildCount == 1) {
                    for (std::size_t k = 0; k < lanes; ++k) out[k] = std::exp(a[k]);
                } else if (node.Op == formula_detail::kSqrtSlot && node.ChildCount == 1) {
                    for (std::size_t k = 0; k < lanes; ++k) out[k] = std::sqrt(a[k]);
                    FailWhere(a, out, err, lanes, false, OutOfRange);
                } else {
                    // Lane by lane through the functions of the equation language.
                    for (std::size_t k = 0; k < lanes; ++k) {
                        const auto get = [at, k](std::uint32_t index) {
                            return static_cast<long double>(at[index][k]);
                        };
                        std::uint8_t e = 0;
                        out[k] = static_cast<double>(formula_detail::ApplyNode(node, kids, get, e));
                        if (e != 0) err[k] = e;
                    }
                    negated = true;
                }
                break;
        }
        if (node.Negate && !negated)
            for (std::size_t k = 0; k < lanes; ++k) out[k] = -out[k];
    }
}

}  // namespace

void TFormul::EvaluateDraws(std::span<const double* const> columns, std::size_t count, double* values,
                            std::uint8_t* errors, TFormulBlockScratch& scratch) const {
    if (!Program_) throw std::logic_error("EvaluateDraws: not compiled");
    const TFormulProgram& p = *Program_;
    if (columns.size() != p.Names.size()) throw std::invalid_argument("EvaluateDraws: one column per slot expected");
    const std::size_t n = p.Nodes.size();
    const std::size_t width = LanesFor(n);
    scratch.Lanes.resize(n * width);
    scratch.At.resize(n);
    for (std::size_t base = 0; base < count; base += width)
        DrawsBlock(p, columns.data(), base, std::min(width, count - base), width, scratch.Lanes.data(),
                   scratch.At.data(), values + base, errors + base);
}

}  // namespace vormid
