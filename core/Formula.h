#pragma once
// The model equation language: compiler of an expression into a tree of
// TFormulDef nodes, the evaluator, and the tokenizer that lists names.
//
// Contract summary (details beside each declaration):
//  - Compile never throws; it returns false on a parse failure.
//  - Evaluate throws std::logic_error for a formula that was never compiled;
//    exceptions of the caller's lookup pass through unchanged.
//  - Domain errors never throw: they set EvalError (thread-local).
#include <cstdint>
#include <memory>
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
    std::string Text;
    bool Negate = false;
};

// The caller's way to get the value of a name. It may throw.
using TLookupFunc = double (*)(void* context, const std::string& name);

class TFormul {
public:
    TFormul() = default;
    TFormul(const TFormul&) = delete;
    TFormul& operator=(const TFormul&) = delete;
    TFormul(TFormul&&) noexcept = default;
    TFormul& operator=(TFormul&&) noexcept = default;
    ~TFormul();

    // Stores text unless it is empty, discards the old tree and parses the
    // stored text without its spaces. False when parsing failed.
    bool Compile(const std::string& text);

    // Sets EvalError to 0 and evaluates the tree in extended precision.
    double Evaluate(TLookupFunc lookup, void* context);

    const std::string& Text() const { return Text_; }
    // The root node, or nullptr before the first compile.
    const TFormulDef* Root() const;

    std::vector<std::unique_ptr<TFormulDef>> Nodes;  // Nodes[0] is the root

private:
    std::string Text_;
};

// True when every character is a digit, with at most one "," or "." in all.
// The empty text counts as a number.
bool IsNumberText(std::string_view text);

}  // namespace vormid
