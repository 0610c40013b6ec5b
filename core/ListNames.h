#pragma once
// The quantity-list side of the tokenizer: every name of an expression
// becomes a quantity.
#include <string>

#include "core/GumParam.h"

namespace vormid {

// For each name of the expression (text ends with the line separator, code
// 7): adds an Undefined quantity with Unconfirmed set when no quantity has
// exactly that name, and turns a Result of that name into a VarResult.
// Never throws: any failure ends the listing, keeping what was added.
void ListNames(const std::string& text, TGumParams& quantities) noexcept;

}  // namespace vormid
