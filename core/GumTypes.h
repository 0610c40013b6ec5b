#pragma once
// Codes shared by the whole model. Their numeric values are stored in model
// files, so they never change.
#include <cstdint>

namespace vormid {

// Kind of a quantity; the kind selector's item index plus one.
enum class TParamKind : std::uint8_t {
    Undefined = 0,
    Result = 1,
    VarResult = 2,
    TypeA = 3,
    TypeB = 4,
    Const = 5,
};

enum TDistribution : std::uint8_t {
    dc_Normal = 0,
    dc_LgNormal = 1,
    dc_DistributonT = 2,
    dc_Rectangle = 3,
    dc_Triangle = 4,
    dc_Trapez = 5,
    dc_Quatro = 6,
    dc_DistributionU = 7,
    dc_Cosine = 8,
    dt_SemiCosine = 9,
};
constexpr int kDistributionCount = 10;

// Which limit a log-normal quantity's stated value is.
enum TLgLimit : std::uint8_t {
    ll_Top = 0,
    ll_Bottom = 1,
};

// Degrees of freedom are integers; this one stands for infinity.
constexpr int kInfiniteDof = -1;

// Evaluation error codes of the equation language. 1 is never set by the
// evaluator; the budget calculation uses it for a failure that was raised
// (an unknown name, a result without an equation line).
enum EvalErrorCode : int {
    NoError = 0,
    CalculationFailed = 1,
    InvalidNumber = 2,
    DivisionByZero = 3,
    OutOfRange = 4,
    UndefinedValue = 5,
    InvalidOperation = 6,
};

}  // namespace vormid
