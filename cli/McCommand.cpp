// "vormid-cli mc": propagation of distributions by the Monte Carlo method
// for every result of a model (or one), with the check of its budget.
#include <charconv>
#include <chrono>

#include "cli/Commands.h"
#include "cli/Cp1251.h"
#include "cli/ExitCodes.h"
#include "cli/McCommandOutput.h"
#include "core/NameMarkup.h"
#include "cli/ModelFile.h"
#include "evaluation/BudgetCalculation.h"
#include "evaluation/MonteCarlo.h"

namespace vormid::cli {
namespace {

// Beyond this the stored draws alone would take more than 800 MB.
constexpr std::uint64_t kMaxTrials = 100'000'000;

std::uint64_t Whole(const std::string& option, const std::string& text, std::uint64_t low, std::uint64_t high) {
    std::uint64_t v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < low || v > high)
        throw UsageError("недопустима стойност \"" + text + "\" за " + option + " (цяло число от " +
                         std::to_string(low) + " до " + std::to_string(high) + ")");
    return v;
}

// A line on standard error, rewritten in place, once a run has taken more
// than a second; ended with a newline when the run is over.
class TProgressLine {
public:
    TProgressLine(std::ostream& err, std::string name) : Err_(err), Name_(std::move(name)) {}
    ~TProgressLine() {
        if (Shown_) Err_ << '\n' << std::flush;
    }
    void operator()(std::uint64_t trials) {
        if (std::chrono::steady_clock::now() - Start_ < std::chrono::seconds(1)) return;
        Shown_ = true;
        Err_ << "\rМонте Карло " << Name_ << ": " << trials << " опита…" << std::flush;
    }

private:
    std::ostream& Err_;
    std::string Name_;
    std::chrono::steady_clock::time_point Start_ = std::chrono::steady_clock::now();
    bool Shown_ = false;
};

}  // namespace

int RunMc(const ParsedArgs& args, std::ostream& out, std::ostream& err) {
    const std::string& path = args.Operands.at(0);
    TMonteCarloOptions options;
    options.MaxTrials = Whole("--trials", args.Options.at("--trials"), 100, kMaxTrials);
    options.Digits = static_cast<int>(Whole("--digits", args.Options.at("--digits"), 1, 6));
    options.Seed = Whole("--seed", args.Options.at("--seed"), 0, UINT64_MAX);
    options.Threads = static_cast<unsigned>(Whole("--threads", args.Options.at("--threads"), 0, 256));
    const std::string& only = args.Options.at("--result");

    auto loaded = LoadModelFile(path);
    TGumModel& model = loaded->Model;
    const std::string onlyName = Utf8ToCp1251(only).value_or(std::string());
    if (!only.empty()) {
        const TGumParam* q = model.Params.FindByName(onlyName);
        if (q == nullptr || q->Kind != TParamKind::Result)
            throw UsageError("моделът няма резултат \"" + only + "\"");
    }

    // One result at a time, so that the progress line can name it.
    try {
        CalculateBudgets(model);
    } catch (const std::exception&) {
        model.Budgets.clear();  // nothing to check against; the draws still run
    }
    std::vector<TMonteCarloResult> results;
    for (const auto& item : model.Params) {
        const TGumParam& q = *item;
        if (q.Kind != TParamKind::Result || (!only.empty() && q.Name != onlyName)) continue;
        const TBudget* budget = nullptr;
        for (const auto& b : model.Budgets)
            if (b->Name == q.Name) budget = b.get();
        TProgressLine progress(err, MarkupToUtf8(q.Name));
        options.Progress = [&progress](std::uint64_t trials) { progress(trials); };
        results.push_back(RunMonteCarlo(model, q, budget, options));
    }

    if (args.Options.at("--format") == "json")
        WriteMonteCarloJson(path, results, out);
    else
        WriteMonteCarloText(model, results, out);
    int failed = 0;
    for (const auto& r : results)
        if (!r.Ok) ++failed;
    if (failed > 0) {
        err << "vormid-cli: " << path << ": " << failed << " от " << results.size()
            << " резултата не могат да се изчислят по метода Монте Карло\n";
        return kExitBudgetFailed;
    }
    return kExitOk;
}

}  // namespace vormid::cli
