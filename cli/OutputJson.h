#pragma once
// Writing a JSON document to standard output.
#include <ostream>

#include "cli/JsonValues.h"

namespace vormid::cli {

// Indented by two, one trailing newline. Invalid UTF-8 (a file name given in
// another encoding) is replaced rather than failing the command.
void WriteJson(const Json& doc, std::ostream& out);

}  // namespace vormid::cli
