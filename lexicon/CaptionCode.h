// Turning a field code such as "A01" into the id of its caption.
#pragma once

#include <cstdint>
#include <stdexcept>

namespace vormid::lexicon {

// The code's number (its 2nd and 3rd characters) is not a decimal number.
class CodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Id of the caption of `code` in `table`. Only the first three characters of
// code count; a shorter code uses what there is ("A1" is A01). A first
// character outside 'A'..'Z' counts as letter -1. code must not be null.
// Throws CodeError when the number part is empty or holds a non-digit.
std::uint16_t CaptionIdOfCode(std::uint32_t table, const char* code);

}  // namespace vormid::lexicon
