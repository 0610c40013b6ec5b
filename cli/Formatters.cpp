#include "cli/Formatters.h"

#include "cli/Cp1251.h"
#include "core/NameMarkup.h"

namespace vormid::cli {

std::string NumberText(const FormattedNumber& n) { return Cp1251ToUtf8(n.Mantissa) + Superscript(n.Exponent); }

}  // namespace vormid::cli
