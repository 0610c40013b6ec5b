#pragma once
// What made a machine-read output: the program, its version and the input
// file, written first in the JSON of budget, stats and mc so that a saved
// result can be traced to its source.
#include <string>

#include "cli/JsonStream.h"
#include "cli/JsonValues.h"

namespace vormid::cli {

inline constexpr const char* kProgramName = "vormid-cli";
// The version the tool was built as.
const char* ProgramVersion();

// The keys "program", "version" and "file" into the object being written;
// input is the file name as given ("-" for standard input).
void WriteOriginKeys(JsonStream& j, const std::string& input);
// The same keys into a document tree.
void AddOriginKeys(Json& doc, const std::string& input);

}  // namespace vormid::cli
