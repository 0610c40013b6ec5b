#pragma once
// Internal to the equation language: the flat form of a compiled tree that
// the evaluators walk, and the arithmetic of one node. Not for other modules.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Formula.h"

namespace vormid::formula_detail {

constexpr std::uint32_t kNoNode = 0xFFFFFFFFu;
constexpr int kPiSlot = 39;
constexpr long double kPi = 3.141592653589793238462643383279502884L;

// One node in evaluation order; its children precede it.
struct TFlatNode {
    long double Number = 0.0L;        // number leaf: converted text
    std::uint32_t FirstChild = 0;     // into TFormulProgram::Kids
    std::uint32_t ChildCount = 0;
    std::uint32_t Parent = kNoNode;
    std::uint32_t SubtreeBegin = 0;   // first index of the node's subtree
    std::uint32_t Slot = 0;           // name leaf: its slot
    std::uint8_t Op = op_None;
    bool Negate = false;
    std::uint8_t LeafError = 0;       // number leaf that does not convert
};

struct TSlotInfo {
    std::vector<std::uint32_t> Leaves;  // name leaves of the slot, ascending
    std::uint32_t Join = kNoNode;       // lowest node above all its leaves
};

struct TFormulProgram {
    std::vector<TFlatNode> Nodes;       // evaluation order, root last
    std::vector<std::uint32_t> Kids;    // children in argument order
    std::vector<std::string> Names;     // slot -> name
    std::vector<TSlotInfo> Slots;

    // Cache of the last full evaluation.
    bool CacheValid = false;
    std::vector<long double> Value;
    std::vector<std::uint8_t> Error;        // error set by the node itself
    std::vector<std::uint32_t> ErrorNodes;  // nodes with Error != 0, ascending

    // Scratch of EvaluateWithSlot.
    std::vector<long double> Scratch;
    std::vector<std::uint32_t> Stamp;
    std::uint32_t Generation = 0;
    std::vector<std::uint32_t> Work;
};

// Nearest integer, halves to the even neighbour, independent of the FPU's
// rounding mode.
long double RoundHalfEven(long double x);

// Value of function slot (8..45) of count arguments; sets err on a domain
// error (the value is then NaN).
long double ApplyFunction(int slot, const long double* args, std::uint32_t count,
                          std::uint8_t& err);

// Fetches the arguments of a function node and applies it.
template <class Get>
long double ApplyFunctionNode(const TFlatNode& n, const std::uint32_t* kids, Get& get,
                              std::uint8_t& err) {
    constexpr std::uint32_t kInline = 16;
    if (n.ChildCount <= kInline) {
        long double args[kInline];
        for (std::uint32_t k = 0; k < n.ChildCount; ++k) args[k] = get(kids[k]);
        return ApplyFunction(n.Op, args, n.ChildCount, err);
    }
    std::vector<long double> args(n.ChildCount);
    for (std::uint32_t k = 0; k < n.ChildCount; ++k) args[k] = get(kids[k]);
    return ApplyFunction(n.Op, args.data(), n.ChildCount, err);
}

// A result that is NaN although no operand was NaN is an invalid operation
// (inf-inf, 0*inf, a negative base to a fractional power): flagged instead of
// passing for a number with no error.
inline void FlagNewNaN(long double v, long double a, long double b, std::uint8_t& err) {
    if (std::isnan(v) && !std::isnan(a) && !std::isnan(b)) [[unlikely]]
        err = InvalidOperation;
}

// Value of an inner node (operator or function) from its children's values,
// which get(nodeIndex) returns. Negation is applied. err receives the node's
// own error (0 when none).
template <class Get>
inline long double ApplyNode(const TFlatNode& n, const std::uint32_t* kids, Get& get,
                             std::uint8_t& err) {
    long double v;
    switch (n.Op) {
    case op_Add: {
        const long double a = get(kids[0]), b = get(kids[1]);
        v = a + b;
        FlagNewNaN(v, a, b, err);
        break;
    }
    case op_Sub: {
        const long double a = get(kids[0]), b = get(kids[1]);
        v = a - b;
        FlagNewNaN(v, a, b, err);
        break;
    }
    case op_Mul: {
        const long double a = get(kids[0]), b = get(kids[1]);
        v = a * b;
        FlagNewNaN(v, a, b, err);
        break;
    }
    case op_Div: {
        const long double a = get(kids[0]), b = get(kids[1]);
        if (b == 0.0L) {
            err = DivisionByZero;
            v = std::nanl("");
        } else {
            v = a / b;
            FlagNewNaN(v, a, b, err);
        }
        break;
    }
    case op_Pow: {
        const long double a = get(kids[0]), b = get(kids[1]);
        v = std::pow(a, b);
        FlagNewNaN(v, a, b, err);
        break;
    }
    default:
        v = ApplyFunctionNode(n, kids, get, err);
        break;
    }
    return n.Negate ? -v : v;
}

}  // namespace vormid::formula_detail
