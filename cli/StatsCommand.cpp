// "vormid-cli stats": the statistics of every Type A quantity after loading.
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/ModelFile.h"
#include "cli/OutputJson.h"
#include "cli/StatsOutput.h"

namespace vormid::cli {

int RunStats(const ParsedArgs& args, std::ostream& out, std::ostream&) {
    const std::string& path = args.Operands.at(0);
    auto loaded = LoadModelFile(path);
    if (args.Options.at("--format") == "json")
        WriteJson(StatsToJson(path, loaded->Model), out);
    else
        WriteStatsText(loaded->Model, out);
    return kExitOk;
}

}  // namespace vormid::cli
