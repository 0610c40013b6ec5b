// Evaluation of a compiled formula over a block of value sets: the program
// is walked once per block and every node computes all its lanes in one
// tight loop, so the dispatch on the operation is paid once per node and
// block rather than once per node and set. Each lane goes through the same
// ApplyBinary / ApplyNode as the full pass, so its bits and its error code
// are those of EvaluateBound with that set.
#include <algorithm>
#include <stdexcept>

#include "core/Formula.h"
#include "core/FormulaProgram.h"

namespace vormid {

using formula_detail::TFlatNode;
using formula_detail::TFormulProgram;

namespace {

// The lanes kept per node: the scratch holds nodes × lanes extended values,
// so a long equation gets narrower blocks (down to one set at a time).
constexpr std::size_t kMaxLanes = 128;
constexpr std::size_t kScratchValues = std::size_t{1} << 16;

std::size_t LanesFor(std::size_t nodes) {
    return std::clamp<std::size_t>(kScratchValues / std::max<std::size_t>(nodes, 1), 1, kMaxLanes);
}

// One binary operator over the lanes; Op is a constant, so ApplyBinary's
// switch folds away and the loop is the operation alone.
template <std::uint8_t Op>
void BinaryLanes(const long double* a, const long double* b, long double* out, std::uint8_t* err, std::size_t lanes,
                 bool negate) {
    for (std::size_t k = 0; k < lanes; ++k) {
        std::uint8_t e = 0;
        const long double v = formula_detail::ApplyBinary(Op, a[k], b[k], e);
        out[k] = negate ? -v : v;
        if (e != 0) [[unlikely]]
            err[k] = e;
    }
}

}  // namespace

void TFormul::EvaluateBlock(std::span<const double* const> columns, std::size_t count, double* values,
                            std::uint8_t* errors, TFormulBlockScratch& scratch) const {
    if (!Program_) throw std::logic_error("EvaluateBlock: not compiled");
    const TFormulProgram& p = *Program_;
    if (columns.size() != p.Names.size()) throw std::invalid_argument("EvaluateBlock: one column per slot expected");
    const std::size_t n = p.Nodes.size();
    const std::size_t width = LanesFor(n);
    scratch.Values.resize(n * width);
    scratch.Errors.resize(width);
    long double* const values0 = scratch.Values.data();
    std::uint8_t* const err = scratch.Errors.data();

    for (std::size_t base = 0; base < count; base += width) {
        const std::size_t lanes = std::min(width, count - base);
        std::fill(err, err + lanes, std::uint8_t{0});
        for (std::size_t i = 0; i < n; ++i) {
            const TFlatNode& node = p.Nodes[i];
            long double* out = values0 + i * width;
            const std::uint32_t* kids = p.Kids.data() + node.FirstChild;
            switch (node.Op) {
                case op_Name: {
                    const double* column = columns[node.Slot] + base;
                    for (std::size_t k = 0; k < lanes; ++k) {
                        const long double x = column[k];
                        out[k] = node.Negate ? -x : x;
                    }
                    break;
                }
                case op_Number: {
                    std::fill(out, out + lanes, node.Negate ? -node.Number : node.Number);
                    if (node.LeafError != 0) std::fill(err, err + lanes, node.LeafError);
                    break;
                }
                case op_Add:
                case op_Sub:
                case op_Mul:
                case op_Div:
                case op_Pow: {
                    const long double* a = values0 + kids[0] * width;
                    const long double* b = values0 + kids[1] * width;
                    switch (node.Op) {
                        case op_Add:
                            BinaryLanes<op_Add>(a, b, out, err, lanes, node.Negate);
                            break;
                        case op_Sub:
                            BinaryLanes<op_Sub>(a, b, out, err, lanes, node.Negate);
                            break;
                        case op_Mul:
                            BinaryLanes<op_Mul>(a, b, out, err, lanes, node.Negate);
                            break;
                        case op_Div:
                            BinaryLanes<op_Div>(a, b, out, err, lanes, node.Negate);
                            break;
                        default:
                            BinaryLanes<op_Pow>(a, b, out, err, lanes, node.Negate);
                            break;
                    }
                    break;
                }
                default: {
                    for (std::size_t k = 0; k < lanes; ++k) {
                        const auto get = [values0, width, k](std::uint32_t index) {
                            return values0[index * width + k];
                        };
                        std::uint8_t e = 0;
                        out[k] = formula_detail::ApplyNode(node, kids, get, e);
                        if (e != 0) err[k] = e;
                    }
                    break;
                }
            }
        }
        const long double* root = values0 + (n - 1) * width;
        for (std::size_t k = 0; k < lanes; ++k) {
            values[base + k] = static_cast<double>(root[k]);
            errors[base + k] = err[k];
        }
    }
}

}  // namespace vormid
