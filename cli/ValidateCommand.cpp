// "vormid-cli validate": the program against worked examples of published
// sources, as a laboratory validates its software.
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/Validation.h"

namespace vormid::cli {

int RunValidate(const ParsedArgs&, std::ostream& out, std::ostream& err) {
    const ValidationCounts counts = ValidateExamples(BundledExamples(), out);
    if (counts.AllAgree()) return kExitOk;
    err << "vormid-cli: " << (counts.Figures - counts.Agreeing) << " от " << counts.Figures
        << " публикувани стойности не съвпадат\n";
    return kExitBudgetFailed;
}

}  // namespace vormid::cli
