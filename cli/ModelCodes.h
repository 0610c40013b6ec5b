#pragma once
// Names of the model's own codes in JSON documents, in code order (the
// index of a name is its code). Documents are read with names or numbers.
// The codes of a quantity are named in its description (core/QuantityFields.h).

namespace vormid::cli::names {

inline constexpr const char* kEvalMethod[] = {"GUM", "Monte-Carlo"};
inline constexpr const char* kWidthMode[] = {"none", "data", "table"};

}  // namespace vormid::cli::names
