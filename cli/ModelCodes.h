#pragma once
// Names of the model's codes in JSON documents, in code order (the index of
// a name is its code). Documents are read with names or numbers.
#include <string>
#include <vector>

namespace vormid::cli::names {

inline const std::vector<std::string> kKind = {"Undefined", "Result", "VarResult", "TypeA", "TypeB", "Const"};
inline const std::vector<std::string> kEvalMethod = {"GUM", "Monte-Carlo"};
inline const std::vector<std::string> kResultFormat = {"absolute", "relative", "relative_percent"};
inline const std::vector<std::string> kCoverageMethod = {"standard", "normal", "t", "entered"};
inline const std::vector<std::string> kAMethod = {"direct", "indirect"};
inline const std::vector<std::string> kASource = {"experimental", "entered"};
inline const std::vector<std::string> kASUType = {"std_dev_mean", "sigma"};
inline const std::vector<std::string> kAEvalType = {"expanded", "std_deviation", "std_uncertainty"};
inline const std::vector<std::string> kAValueType = {"values", "grouped"};
inline const std::vector<std::string> kBEvalType = {"expanded", "standard", "bound", "interval"};
inline const std::vector<std::string> kDistribution = {"normal",     "lognormal",   "t",         "rectangular",
                                                       "triangular", "trapezoidal", "quadratic", "u_shaped",
                                                       "cosine",     "half_cosine"};
inline const std::vector<std::string> kLimitSide = {"upper", "lower"};
inline const std::vector<std::string> kWidthMode = {"none", "data", "table"};

}  // namespace vormid::cli::names
