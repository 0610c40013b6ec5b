// "vormid-cli mc": propagation of distributions by the Monte Carlo method
// for every result of a model (or one), with the check of its budget.
#include <charconv>
#include <chrono>

#include "cli/Commands.h"
#include "core/Cp1251.h"
#include "cli/ExitCodes.h"
#include "cli/McCommandOutput.h"
#include "core/NameMarkup.h"
#include "cli/ModelFile.h"
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

// A line on standard error, rewritten in place, once a result's run has
// taken more than a second; ended with a newline when that run is over.
class TProgressLine {
public:
    explicit TProgressLine(std::ostream& err) : Err_(err) {}
    ~TProgressLine() { EndLine(); }
    void operator()(const std::string& result, std::uint64_t trials) {
        if (trials == 0) {  // the next result starts
            EndLine();
            Name_ = MarkupToUtf8(result);
            Start_ = std::chrono::steady_clock::now();
            return;
        }
        if (std::chrono::steady_clock::now() - Start_ < std::chrono::seconds(1)) return;
        Shown_ = true;
        Err_ << "\rМонте Карло " << Name_ << ": " << trials << " опита…" << std::flush;
    }

private:
    void EndLine() {
        if (Shown_) Err_ << '\n' << std::flush;
        Shown_ = false;
    }
    std::ostream& Err_;
    std::string Name_;
    std::chrono::steady_clock::time_point Start_ = std::chrono::steady_clock::now();
    bool Shown_ = false;
};

}  // namespace

int RunMc(const ParsedArgs& args, std::ostream& out, std::ostream& err) {
    const std::string& path = args.Operands.at(0);
    TMonteCarloOptions options;
    const std::string& trials = args.Options.at("--trials");
    const std::string& fixed = args.Options.at("--fixed");
    if (!trials.empty() && !fixed.empty()) throw UsageError("опциите --trials и --fixed не могат да се дадат заедно");
    if (!fixed.empty()) {
        // M chosen in advance: every trial is drawn, whatever the batches say.
        options.MaxTrials = Whole("--fixed", fixed, 100, kMaxTrials);
        options.Adaptive = false;
    } else if (!trials.empty()) {
        options.MaxTrials = Whole("--trials", trials, 100, kMaxTrials);
    }
    options.Digits = static_cast<int>(Whole("--digits", args.Options.at("--digits"), 1, 6));
    options.Seed = Whole("--seed", args.Options.at("--seed"), 0, UINT64_MAX);
    options.Threads = static_cast<unsigned>(Whole("--threads", args.Options.at("--threads"), 0, 256));
    const std::string& only = args.Options.at("--result");

    auto loaded = LoadModelFile(path);
    TGumModel& model = loaded->Model;
    const std::string onlyName = Utf8ToCp1251(only).value_or(std::string());
    if (!only.empty()) {
        const TGumParam* q = model.Params.FindByName(onlyName);
        if (q == nullptr || q->Kind != TParamKind::Result) throw UsageError("моделът няма резултат \"" + only + "\"");
    }

    std::vector<TMonteCarloResult> results;
    {
        TProgressLine progress(err);
        options.Progress = [&progress](const std::string& result, std::uint64_t trials) { progress(result, trials); };
        results = RunMonteCarlo(model, only.empty() ? nullptr : &onlyName, options);
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
