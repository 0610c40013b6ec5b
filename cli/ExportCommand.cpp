// "vormid-cli export": the whole model as JSON on standard output.
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/ModelFile.h"
#include "cli/ModelJson.h"
#include "cli/OutputJson.h"

namespace vormid::cli {

int RunExport(const ParsedArgs& args, std::ostream& out, std::ostream&) {
    auto loaded = LoadModelFile(args.Operands.at(0));
    WriteJson(ModelToJson(loaded->Model, loaded->Display), out);
    return kExitOk;
}

}  // namespace vormid::cli
