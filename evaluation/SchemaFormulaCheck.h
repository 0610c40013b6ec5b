#pragma once
// Whether the schema formula of an indirect Type A quantity can give its row
// results: a formula the language cannot read, or one that names no line of
// the schema, would turn every measurement into 0 and the quantity into a
// confident x = 0, u = 0. The Type A page tells the mistake where the
// formula is typed; the budget calculation fails every budget that uses the
// quantity with the same words.
#include <string>

#include "core/GumParam.h"

namespace vormid {

struct TSchemaFormulaProblem {
    int Column = 0;       // 1-based character of the formula (0: the formula as a whole)
    std::string Message;  // UTF-8, naming what is wrong and where
};

// Nothing wrong: Message empty. Only indirect Type A quantities with a
// schema are checked.
TSchemaFormulaProblem CheckSchemaFormula(const TGumParam& quantity);
// A formula (Windows-1251) over a schema of `lines` lines, as it is typed.
TSchemaFormulaProblem CheckSchemaFormula(const std::string& formula, std::size_t lines);

}  // namespace vormid
