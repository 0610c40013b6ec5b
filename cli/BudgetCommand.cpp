// "vormid-cli budget": load, calculate as the budget page does, print.
#include "cli/BudgetOutput.h"
#include "cli/Calculation.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/ModelFile.h"

namespace vormid::cli {

int RunBudget(const ParsedArgs& args, std::ostream& out, std::ostream& err) {
    const std::string& path = args.Operands.at(0);
    const std::string& format = args.Options.at("--format");
    auto loaded = LoadModelFile(path);
    TGumModel& model = loaded->Model;
    std::string why;
    const bool calculated = WarnAndCalculate(model, path, err, &why);

    if (format == "json") {
        WriteBudgetsJson(path, model, loaded->Display, out);
    } else if (format == "csv") {
        WriteBudgetsCsv(model, out);
    } else {
        WriteBudgetsText(model, loaded->Display, out);
    }
    if (!calculated) {
        err << "vormid-cli: " << path << ": "
            << "Грешка при изчисляване на бюджета." << (why.empty() ? "" : " ") << why << '\n';
        return kExitBudgetFailed;
    }
    int failed = 0;
    for (const auto& b : model.Budgets)
        if (b->ErrorCode != NoError) ++failed;
    if (failed > 0) {
        err << "vormid-cli: " << path << ": " << failed << " от " << model.Budgets.size()
            << " бюджета не могат да се изчислят\n";
        return kExitBudgetFailed;
    }
    return kExitOk;
}

}  // namespace vormid::cli
