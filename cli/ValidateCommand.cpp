// "vormid-cli validate": the program against worked examples of published
// sources, as a laboratory validates its software.
#include <filesystem>

#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/Validation.h"

namespace vormid::cli {

int RunValidate(const ParsedArgs& args, std::ostream& out, std::ostream& err) {
    const std::string& dir = args.Options.at("--save");
    if (!dir.empty()) {
        for (const WorkedExample& e : BundledExamples()) {
            const std::string path = (std::filesystem::path(dir) / (e.Id + ".gmf")).string();
            SaveExampleModel(e, path);
            out << "Записан модел: " << path << '\n';
        }
        out << '\n';
    }
    const ValidationCounts counts = ValidateExamples(BundledExamples(), out);
    if (counts.AllAgree()) return kExitOk;
    err << "vormid-cli: " << (counts.Figures - counts.Agreeing) << " от " << counts.Figures
        << " публикувани стойности не съвпадат\n";
    return kExitBudgetFailed;
}

}  // namespace vormid::cli
