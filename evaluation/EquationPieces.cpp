#include "evaluation/EquationPieces.h"

#include "core/Formula.h"

namespace vormid {

bool IsReservedToken(std::string_view token) {
    return IsNumberText(token) || FindFunction(token) != 0;
}

}  // namespace vormid
