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
// Functions that EvaluateDraws runs over a whole block.
constexpr int kLnSlot = 31;
constexpr int kExpSlot = 35;
constexpr int kSqrtSlot = 41;
constexpr long double kPi = 3.141592653589793238462643383279502884L;

// One node in evaluation order; its children precede it.
struct TFlatNode {
    long double Number = 0.0L;     // number leaf: converted text
    std::uint32_t FirstChild = 0;  // into TFormulProgram::Kids
    std::uint32_t ChildCount = 0;
    std::uint32_t Parent = kNoNode;
    std::uint32_t SubtreeBegin = 0;  // first index of the node's subtree
    std::uint32_t Slot = 0;          // name leaf: its slot
    std::uint8_t Op = op_None;
    bool Negate = false;
    std::uint8_t LeafError = 0;  // number leaf that does not convert
};

struct TSlotInfo {
    std::vector<std::uint32_t> Leaves;  // name leaves of the slot, ascending
    std::uint32_t Join = kNoNode;       // lowest node above all its leaves
};

// One step of an incremental pass along a heavy path (the chain of each
// node's child with the largest subtree): a binary node whose changed operand
// is its heavy child, with the other operand's cached value beside it. The
// steps of one path lie bottom-up in consecutive places, so walking up a long
// chain streams through memory.
struct TChainStep {
    long double Other = 0.0L;  // cached value of the light operand
    std::uint32_t Node = 0;
    std::uint8_t Op = op_None;
    std::uint8_t Flags = 0;  // kStep...
};
constexpr std::uint8_t kStepNegate = 1;     // the node is negated
constexpr std::uint8_t kStepHeavyLeft = 2;  // the heavy child is the first operand
constexpr std::uint8_t kStepFast = 4;       // a binary node: the step applies
constexpr std::uint8_t kStepContinues = 8;  // the next step is the parent's, and fast

struct TFormulProgram {
    std::vector<TFlatNode> Nodes;     // evaluation order, root last
    std::vector<std::uint32_t> Kids;  // children in argument order
    std::vector<std::string> Names;   // slot -> name
    std::vector<TSlotInfo> Slots;

    // Cache of the last full evaluation.
    bool CacheValid = false;
    std::vector<long double> Value;
    std::vector<std::uint8_t> Error;        // error set by the node itself
    std::vector<std::uint32_t> ErrorNodes;  // nodes with Error != 0, ascending

    // Heavy-path steps; Other is refreshed from Value after a full pass.
    std::vector<std::uint32_t> Heavy;     // node -> heavy child or kNoNode
    std::vector<std::uint32_t> ChainPos;  // node -> index of its step
    std::vector<TChainStep> Chain;
    bool ChainStale = true;

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
long double ApplyFunction(int slot, const long double* args, std::uint32_t count, std::uint8_t& err);

// Fetches the arguments of a function node and applies it.
template <class Get>
long double ApplyFunctionNode(const TFlatNode& n, const std::uint32_t* kids, Get& get, std::uint8_t& err) {
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

// a op b for the binary operators (op_Add .. op_Pow); err receives a domain
// error. Negation is the caller's.
inline long double ApplyBinary(std::uint8_t op, long double a, long double b, std::uint8_t& err) {
    long double v;
    switch (op) {
        case op_Add:
            v = a + b;
            break;
        case op_Sub:
            v = a - b;
            break;
        case op_Mul:
            v = a * b;
            break;
        case op_Div:
            if (b == 0.0L) {
                err = DivisionByZero;
                return std::nanl("");
            }
            v = a / b;
            break;
        default:
            v = std::pow(a, b);
            break;
    }
    FlagNewNaN(v, a, b, err);
    return v;
}

inline bool IsBinaryOp(std::uint8_t op) { return op >= op_Add && op <= op_Pow; }

// Value of an inner node (operator or function) from its children's values,
// which get(nodeIndex) returns. Negation is applied. err receives the node's
// own error (0 when none).
template <class Get>
inline long double ApplyNode(const TFlatNode& n, const std::uint32_t* kids, Get& get, std::uint8_t& err) {
    const long double v =
        IsBinaryOp(n.Op) ? ApplyBinary(n.Op, get(kids[0]), get(kids[1]), err) : ApplyFunctionNode(n, kids, get, err);
    return n.Negate ? -v : v;
}

}  // namespace vormid::formula_detail
