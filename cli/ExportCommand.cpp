// "vormid-cli export": the whole model as JSON on standard output, streamed
// as it is written.
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/ModelFile.h"
#include "cli/ModelJson.h"

namespace vormid::cli {

int RunExport(const ParsedArgs& args, std::ostream& out, std::ostream&) {
    auto loaded = LoadModelFile(args.Operands.at(0));
    JsonStream json(out);
    WriteModelJson(loaded->Model, loaded->Display, json);
    json.Finish();
    return kExitOk;
}

}  // namespace vormid::cli
