#pragma once
// The model equation language: compiler of an expression into a tree of
// TFormulDef nodes, the evaluator, and the tokenizer that lists names.
//
// Contract summary (details beside each declaration):
//  - Compile never throws (except std::bad_alloc); it returns false on a
//    parse failure (unbalanced parentheses, a text of 4 GiB or more).
//  - Evaluate throws std::logic_error for a formula that was never compiled
//    or whose last compile failed; exceptions of the caller's lookup pass
//    through unchanged.
//  - Domain errors never throw: they set EvalError (thread-local) and the
//    operation yields NaN, so a value whose error is ignored cannot pass for
//    a result.
//  - Nothing recurses over the tree: parsing, evaluation and destruction are
//    iterative, so a chain of any length (X1+X2+...+X100000) is fine.
//
// Fast path for repeated evaluation with shifted inputs (the budget):
//    TFormul f; f.Compile(rhs);
//    const auto& names = f.SlotNames();            // slot i <-> names[i]
//    std::vector<double> x(names.size());           // x[i] = value of names[i]
//    double y  = f.EvaluateBound(x);                // fills the cache
//    double yp = f.EvaluateWithSlot(i, x[i] + u[i]); // only nodes above slot i
//    auto [plus, minus] = f.EvaluateWithSlotPair(i, x[i] + u[i], x[i] - u[i]);
//  Every result and EvalError equal, bit for bit, those of Evaluate with a
//  lookup returning x (with x[i] replaced for EvaluateWithSlot).
//
// Block evaluation for many sets of slot values (Monte Carlo draws):
//    TFormulBlockScratch scratch;                   // one per thread
//    const double* columns[] = {xs.data(), ys.data()};  // one column per slot
//    f.EvaluateBlock(columns, count, values, errors, scratch);
//  walks the program once per block of sets, each node over the whole block,
//  instead of once per set; each values[k] and errors[k] equal, bit for bit,
//  the result and EvalError of EvaluateBound with set k.
//    f.EvaluateDraws(columns, count, values, errors, scratch);
//  the same in double precision throughout: the error codes are those of
//  EvaluateBound, the values agree to the rounding of doubles.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/GumTypes.h"

namespace vormid {

// Code of the last evaluation on this thread (0 or one of EvalErrorCode).
// Reset to 0 at the start of every evaluation; a later error overwrites an
// earlier one.
extern thread_local int EvalError;

// Operation codes of a node. 8..45 are the function-table slots.
enum TFormulOp : std::uint8_t {
    op_None = 0,
    op_Name = 1,
    op_Number = 2,
    op_Add = 3,
    op_Sub = 4,
    op_Div = 5,
    op_Mul = 6,
    op_Pow = 7,
};

constexpr int kFunctionSlots = 46;
constexpr int kFirstFunctionSlot = 8;

// The function table: slots 0..7 are empty (nullptr) and never match.
extern const char* const FunctionTable[kFunctionSlots];

// Slot (8..45) of a function name compared in upper case, or 0.
int FindFunction(std::string_view name);

struct TFormulDef {
    std::vector<std::unique_ptr<TFormulDef>> Children;
    TFormulDef* Parent = nullptr;
    std::uint8_t Op = op_None;
    // A leaf's name or number (without a negating "-"); the root holds the
    // whole compiled text; other inner nodes leave it empty (copying every
    // sub-expression would make compiling a long chain quadratic) and are
    // located by SourceBegin/SourceEnd in TFormul::Source().
    std::string Text;
    // The node's value is negated: "-a", "-5", "-(a+b)", "-SIN(x)".
    bool Negate = false;
    // The node's text is Source()[SourceBegin, SourceEnd), trimmed.
    std::uint32_t SourceBegin = 0;
    std::uint32_t SourceEnd = 0;
    // Position of the node in evaluation order (children before parents, the
    // divisor of "/" before its dividend); the root is last.
    std::uint32_t Index = 0;

    TFormulDef() = default;
    TFormulDef(const TFormulDef&) = delete;
    TFormulDef& operator=(const TFormulDef&) = delete;
    // Frees the subtree without recursion (a 10 000-deep chain must not
    // exhaust the stack).
    ~TFormulDef();
};

// Result of one incremental evaluation: the value and its EvalError code.
struct TSlotResult {
    double Value = 0.0;
    int Error = NoError;
};

// The caller's way to get the value of a name. It may throw.
using TLookupFunc = double (*)(void* context, const std::string& name);

namespace formula_detail {
struct TFormulProgram;  // the flat evaluation form, built by Compile
}

// Working memory of TFormul::EvaluateBlock, kept between calls so that a
// loop over blocks allocates nothing. One per thread.
class TFormulBlockScratch {
private:
    friend class TFormul;
    std::vector<long double> Values;  // node-major: a block of lanes per node
    std::vector<double> Lanes;        // the same for EvaluateDraws
    std::vector<const double*> At;    // EvaluateDraws: where each node's values are
    std::vector<std::uint8_t> Errors;
};
struct TFormulProgramDeleter {
    void operator()(formula_detail::TFormulProgram* program) const noexcept;
};

class TFormul {
public:
    TFormul() = default;
    TFormul(const TFormul&) = delete;
    TFormul& operator=(const TFormul&) = delete;
    TFormul(TFormul&&) noexcept = default;
    TFormul& operator=(TFormul&&) noexcept = default;
    ~TFormul();

    // Stores text unless it is empty, discards the old tree and parses the
    // stored text without its spaces. False when parsing failed (unbalanced
    // parentheses); the formula then counts as not compiled.
    bool Compile(const std::string& text);

    // Sets EvalError to 0 and evaluates the tree in extended precision,
    // calling lookup once per name leaf in evaluation order (every node is
    // evaluated; "/" takes its divisor before its dividend). Throws
    // std::logic_error when not compiled; lookup's exceptions pass through
    // (the cache is then invalid). Also fills the cache of EvaluateWithSlot.
    // Not reentrant on one object: lookup must not evaluate this formula.
    double Evaluate(TLookupFunc lookup, void* context);

    const std::string& Text() const { return Text_; }
    // The compiled text: Text() without its spaces. Node offsets refer to it.
    const std::string& Source() const { return Source_; }
    // The root node, or nullptr before the first compile.
    const TFormulDef* Root() const;
    // True after a successful Compile.
    bool Compiled() const { return Program_ != nullptr; }

    // ---- Fast path: names resolved once per compile -----------------------
    // Distinct names of the name leaves, in order of first appearance in the
    // text; slot i stands for SlotNames()[i]. Empty when not compiled.
    const std::vector<std::string>& SlotNames() const;
    // Index of name in SlotNames(), or -1. Exact byte comparison.
    int FindSlot(std::string_view name) const;
    // Full evaluation with the value of slot i in slotValues[i]; sets
    // EvalError and caches every node's value and error. Throws
    // std::logic_error when not compiled, std::invalid_argument when
    // slotValues.size() != SlotNames().size().
    double EvaluateBound(std::span<const double> slotValues);
    // The result of a full evaluation with the cached slot values except
    // slot = value; recomputes only the nodes above the leaves of that slot.
    // Sets EvalError as that full evaluation would; the cache is left as it
    // was. Throws std::logic_error without a prior Evaluate/EvaluateBound
    // since the last Compile, std::out_of_range for a bad slot.
    double EvaluateWithSlot(std::size_t slot, double value);
    // Both EvaluateWithSlot(slot, first) and EvaluateWithSlot(slot, second)
    // in one walk (about twice as fast on long chains), each with the
    // EvalError it would set; EvalError is left as the second's. Same
    // preconditions and exceptions as EvaluateWithSlot.
    std::array<TSlotResult, 2> EvaluateWithSlotPair(std::size_t slot, double first, double second);

    // ---- Block evaluation: many sets of slot values at once --------------
    // Set k (0 <= k < count) gives slot i the value columns[i][k]; values[k]
    // receives the result and errors[k] the EvalError that EvaluateBound
    // would set for that set. Leaves EvalError and the cache alone, so
    // several threads may evaluate one compiled formula at once, each with
    // its own scratch. Throws std::logic_error when not compiled,
    // std::invalid_argument when columns.size() != SlotNames().size().
    void EvaluateBlock(std::span<const double* const> columns, std::size_t count, double* values, std::uint8_t* errors,
                       TFormulBlockScratch& scratch) const;
    // As EvaluateBlock, in double precision: the Monte Carlo draws scatter
    // far above a double's rounding, and 80-bit arithmetic cannot use the
    // vector units. Operators, LN, EXP and SQRT run over the whole block;
    // other functions go lane by lane through the extended-precision ones.
    // errors[k] is EvaluateBound's code for set k, except that an
    // intermediate value beyond a double's range (about 1e308) fails here
    // where the extended range would have held it.
    void EvaluateDraws(std::span<const double* const> columns, std::size_t count, double* values, std::uint8_t* errors,
                       TFormulBlockScratch& scratch) const;

    std::vector<std::unique_ptr<TFormulDef>> Nodes;  // Nodes[0] is the root

private:
    std::string Text_;
    std::string Source_;
    std::unique_ptr<formula_detail::TFormulProgram, TFormulProgramDeleter> Program_;
};

// True when every character is a digit, with at most one "," or "." in all.
// The empty text counts as a number.
bool IsNumberText(std::string_view text);

}  // namespace vormid
