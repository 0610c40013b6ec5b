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

// An input quantity: one with an uncertainty of its own, the kinds that are
// correlated, drawn and shown with a distribution in a budget.
constexpr bool IsInputKind(TParamKind kind) { return kind == TParamKind::TypeA || kind == TParamKind::TypeB; }

// Codes of a quantity's fields; each names the items of its selector in
// order. Unscoped, as the record keeps them in plain bytes.
enum TResultFormat : std::uint8_t {
    rf_Absolute = 0,
    rf_Relative = 1,
    rf_RelativePercent = 2,
};

// How a result's coverage factor is found.
enum TCoverageMethod : std::uint8_t {
    cm_Standard = 0,
    cm_Normal = 1,
    cm_Student = 2,
    cm_Entered = 3,
};

// Type A: the readings are the values (direct) or go through a schema
// formula (indirect).
enum TAMethod : std::uint8_t {
    am_Direct = 0,
    am_Indirect = 1,
};

// Type A, direct: single readings, or readings with their frequencies.
enum TAValueType : std::uint8_t {
    av_Single = 0,
    av_Grouped = 1,
};

// Type A: the uncertainty from the observations, or entered.
enum TAUncertaintySource : std::uint8_t {
    as_Observations = 0,
    as_Entered = 1,
};

// Type A, from the observations: the standard deviation of the mean, or enlarged.
enum TASUType : std::uint8_t {
    su_StdDevOfMean = 0,
    su_Enlarged = 1,
};

// Type A, entered: what the entered value is.
enum TAEvalType : std::uint8_t {
    ae_Expanded = 0,
    ae_StdDeviation = 1,
    ae_StdUncertainty = 2,
};

// Type B: what the stated value is.
enum TBEvalType : std::uint8_t {
    be_Expanded = 0,
    be_Standard = 1,
    be_Bound = 2,
    be_Interval = 3,
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
