// Commands whose libraries have not landed yet.
#include "cli/Commands.h"
#include "cli/FileError.h"

namespace vormid::cli {
int RunBudget(const ParsedArgs&, std::ostream&, std::ostream&) { throw FileError("budget: not built yet"); }
int RunStats(const ParsedArgs&, std::ostream&, std::ostream&) { throw FileError("stats: not built yet"); }
int RunExport(const ParsedArgs&, std::ostream&, std::ostream&) { throw FileError("export: not built yet"); }
int RunImport(const ParsedArgs&, std::ostream&, std::ostream&) { throw FileError("import: not built yet"); }
}  // namespace vormid::cli
