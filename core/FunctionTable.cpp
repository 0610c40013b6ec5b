// The function names of the equation language and their look-up.
#include <cstddef>

#include "core/Formula.h"

namespace vormid {

const char* const FunctionTable[kFunctionSlots] = {
    nullptr, nullptr, nullptr, nullptr, nullptr,   nullptr, nullptr, nullptr, "ABS",   "INT",  "ROUND", "FLOOR",
    "CEIL",  "SIN",   "SINH",  "ASIN",  "ASINH",   "COS",   "COSH",  "ACOS",  "ACOSH", "TAN",  "TANH",  "ATAN",
    "ATANH", "COT",   "COTH",  "ACOT",  "ACOTH",   "DEG",   "RAD",   "LN",    "LOG",   "LOG2", "LOG10", "EXP",
    "FACT",  "MOD",   "DIV",   "PI",    "PRODUCT", "SQRT",  "AVG",   "MAX",   "MIN",   "SUM",
};

int FindFunction(std::string_view name) {
    // The longest name has 7 letters; anything longer cannot match.
    if (name.empty() || name.size() > 7) return 0;
    char upper[8];
    for (std::size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        // Only ASCII letters fold: the table is ASCII and Cyrillic bytes of
        // the code page must never turn into a Latin match.
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        upper[i] = c;
    }
    const std::string_view key(upper, name.size());
    for (int slot = kFirstFunctionSlot; slot < kFunctionSlots; ++slot)
        if (key == FunctionTable[slot]) return slot;
    return 0;
}

}  // namespace vormid
