#include "cli/OutputOrigin.h"

#ifndef VORMID_VERSION
#define VORMID_VERSION "0.0.0"
#endif

namespace vormid::cli {

const char* ProgramVersion() { return VORMID_VERSION; }

void WriteOriginKeys(JsonStream& j, const std::string& input) {
    j.Key("program"), j.String(kProgramName);
    j.Key("version"), j.String(ProgramVersion());
    j.Key("file"), j.String(input);
}

void AddOriginKeys(Json& doc, const std::string& input) {
    doc["program"] = kProgramName;
    doc["version"] = ProgramVersion();
    doc["file"] = input;
}

}  // namespace vormid::cli
