#include "evaluation/MonteCarlo.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <limits>
#include <memory>
#include <mutex>
#include <span>
#include <thread>

#include "core/Formula.h"
#include "evaluation/BudgetCalculation.h"
#include "evaluation/CalculationMessages.h"
#include "evaluation/CorrelationMatrix.h"
#include "evaluation/Coverage.h"
#include "evaluation/Cp1251Text.h"
#include "evaluation/EquationText.h"
#include "evaluation/MonteCarloInputs.h"
#include "evaluation/MonteCarloIntervals.h"
#include "evaluation/MonteCarloMessages.h"
#include "evaluation/QuantityIndex.h"
#include "evaluation/Substitution.h"

namespace vormid {
namespace {

using namespace mc;

// Draws per block: the columns of one block stay in the first-level cache
// while the equation runs over them.
constexpr std::size_t kBlock = 256;
constexpr double kHuge = std::numeric_limits<double>::max();

// What one run needs, fixed before the first draw and only read afterwards.
struct TPlan {
    std::string Name;
    TFormul Formula;
    std::vector<TInputLaw> Laws;  // one per drawn input
    std::vector<std::size_t> SlotOfLaw;
    std::vector<int> LawOfSlot;  // slot -> law, or -1 for a fixed value
    std::vector<double> FixedOfSlot;
    TCorrelationFactor Factor;  // over the laws
    bool Approximate = false;
    double Probability = 0.95;  // (0, 1)
};

bool BuildPlan(const TGumModel& model, const TGumParam& result, double probabilityPercent, TPlan& plan,
               std::string& message) {
    plan.Name = result.Name;
    if (!(probabilityPercent > 0.0 && probabilityPercent < 100.0)) {
        message = MsgCoverageOutOfRange(result.Name);
        return false;
    }
    plan.Probability = probabilityPercent / 100.0;
    try {
        const TEquationSubstitution substitution(SplitEquationLines(EquationText(model.Equation)));
        const std::string equation = substitution.Substitute(result.Name, {});
        if (!substitution.Defines(result.Name)) throw TCalculationError(MsgNoEquationLine(result.Name));
        if (equation.empty()) throw TCalculationError(MsgEmptyEquation(result.Name));
        if (!plan.Formula.Compile(equation)) throw TCalculationError(MsgEquationNotReadable(result.Name));
    } catch (const TCalculationError& e) {
        message = e.what();
        return false;
    }

    const TQuantityIndex quantities(model.Params);
    const auto& names = plan.Formula.SlotNames();
    std::vector<std::string> lawNames;
    for (std::size_t s = 0; s < names.size(); ++s) {
        const TGumParam* p = quantities.Find(names[s]);
        if (p == nullptr) {
            // Told as the mistake it is ("SQR(x)", "1e3"), as the budget tells it.
            const std::vector<TEquationProblem> problems =
                CheckEquationLanguage(EquationText(model.Equation),
                                      [&quantities](const std::string& n) { return quantities.Find(n) != nullptr; });
            const TEquationProblem* problem = ProblemBehindName(problems, names[s]);
            message = problem ? Cp1251FromUtf8(EquationProblemText(*problem)) : MsgUnknownName(result.Name, names[s]);
            return false;
        }
        plan.FixedOfSlot.push_back(p->Value());
        if (!IsInputKind(p->Kind)) {
            plan.LawOfSlot.push_back(-1);
            continue;
        }
        TInputLaw law;
        if (!LawOf(*p, law, message)) return false;
        plan.LawOfSlot.push_back(static_cast<int>(plan.Laws.size()));
        plan.SlotOfLaw.push_back(s);
        plan.Laws.push_back(law);
        lawNames.push_back(names[s]);
    }

    TCorrelationCheck check = CheckCorrelations(lawNames, model.Correlations);
    if (!check.Ok) {
        message = check.Message;
        return false;
    }
    plan.Factor = std::move(check.Factor);
    for (const auto& block : plan.Factor.Blocks())
        for (const std::size_t m : block.Members) {
            plan.Laws[m].PrepareCopula();
            if (!plan.Laws[m].IsNormalOrFixed()) plan.Approximate = true;
        }
    return true;
}

struct TBatch {
    std::size_t Count = 0;
    // Its lowest and highest draws, when the run does not keep them all.
    TTails Tails;
    long double Sum = 0.0L;
    long double M2 = 0.0L;  // sum of squared deviations from the batch mean
    double Mean = 0.0, StdDev = 0.0;
    TInterval Symmetric;
    std::uint64_t Failed = 0;
    std::uint64_t FirstFailed = 0;  // place in the batch
    int FirstCode = NoError;
};

// Working memory of one thread.
struct TWorker {
    explicit TWorker(const TPlan& plan)
        : Columns(plan.LawOfSlot.size(), std::vector<double>(kBlock)), Latent(plan.Laws.size()), Errors(kBlock) {
        for (std::size_t s = 0; s < Columns.size(); ++s) {
            Pointers.push_back(Columns[s].data());
            if (plan.LawOfSlot[s] < 0) std::fill(Columns[s].begin(), Columns[s].end(), plan.FixedOfSlot[s]);
        }
        for (std::size_t i = 0; i < plan.Laws.size(); ++i)
            if (plan.Factor.IsCorrelated(i)) Latent[i].resize(kBlock);
    }
    std::vector<std::vector<double>> Columns;
    std::vector<const double*> Pointers;
    std::vector<std::vector<double>> Latent;  // standard normals of correlated inputs
    std::vector<std::uint8_t> Errors;
    TFormulBlockScratch Scratch;
};

// values: where the batch's draws go (the run's array, or the worker's own
// when the batch keeps only its tails); reordered for its interval.
std::unique_ptr<TBatch> ComputeBatch(const TPlan& plan, TWorker& w, TXoshiro256& g, std::span<double> values,
                                     bool keepTails) {
    auto batch = std::make_unique<TBatch>();
    const std::size_t size = values.size();
    batch->Count = size;
    for (std::size_t start = 0; start < size; start += kBlock) {
        const std::size_t n = std::min(kBlock, size - start);
        // Inputs in slot order, each its whole block, so that the order of
        // the generator's numbers is fixed by the plan alone.
        for (std::size_t s = 0; s < plan.LawOfSlot.size(); ++s) {
            const int li = plan.LawOfSlot[s];
            if (li < 0) continue;
            const auto law = static_cast<std::size_t>(li);
            if (plan.Factor.IsCorrelated(law)) {
                g.NormalBlock(w.Latent[law].data(), n);
            } else {
                plan.Laws[law].DrawBlock(g, w.Columns[s].data(), n);
            }
        }
        for (const auto& block : plan.Factor.Blocks()) {
            const std::size_t m = block.Members.size();
            for (std::size_t k = 0; k < n; ++k)
                for (std::size_t r = 0; r < m; ++r) {
                    double z = 0.0;
                    for (std::size_t c = 0; c <= r; ++c) z += block.Lower[r * m + c] * w.Latent[block.Members[c]][k];
                    const std::size_t law = block.Members[r];
                    w.Columns[plan.SlotOfLaw[law]][k] = plan.Laws[law].FromNormal(z);
                }
        }
        double* out = values.data() + start;
        plan.Formula.EvaluateDraws(w.Pointers, n, out, w.Errors.data(), w.Scratch);
        // One pass that the compiler can run in vector registers; the lanes
        // are looked at one by one only when one of them failed.
        int bad = 0;
        for (std::size_t k = 0; k < n; ++k)
            bad |= static_cast<int>(w.Errors[k] != 0) | static_cast<int>(!(std::fabs(out[k]) <= kHuge));
        if (bad == 0) [[likely]]
            continue;
        for (std::size_t k = 0; k < n; ++k) {
            if (w.Errors[k] == 0 && std::isfinite(out[k])) continue;
            if (batch->Failed++ == 0) {
                batch->FirstFailed = start + k;
                batch->FirstCode = w.Errors[k];
            }
        }
    }
    if (batch->Failed > 0) return batch;

    // A batch's sums in doubles, four running at once: 10^4 terms lose
    // nothing that matters next to the draws' scatter, and the pooled sums
    // over the batches stay in extended precision.
    const auto sum4 = [&values, size](auto term) {
        double a[4] = {0.0, 0.0, 0.0, 0.0};
        std::size_t k = 0;
        for (; k + 4 <= size; k += 4)
            for (int j = 0; j < 4; ++j) a[j] += term(values[k + static_cast<std::size_t>(j)]);
        for (; k < size; ++k) a[0] += term(values[k]);
        return (a[0] + a[1]) + (a[2] + a[3]);
    };
    const double sum = sum4([](double v) { return v; });
    const double mean = sum / static_cast<double>(size);
    const double m2 = sum4([mean](double v) { return (v - mean) * (v - mean); });
    batch->Sum = sum;
    batch->M2 = m2;
    batch->Mean = mean;
    batch->StdDev = size > 1 ? std::sqrt(m2 / static_cast<double>(size - 1)) : 0.0;
    // Half as many again as the run's ends need, and a few: the least of
    // the batches' cut-offs then lies beyond the run's ends but in rare runs.
    const std::size_t keep =
        keepTails ? std::min(size / 8, static_cast<std::size_t>(1.5 * (1.0 - plan.Probability) * size) + 16) : 0;
    batch->Symmetric = SymmetricIntervalOf(values, plan.Probability, keep, keepTails ? &batch->Tails : nullptr);
    return batch;
}

// Mean and standard deviation of all draws of a set of batches.
struct TPooled {
    std::uint64_t Count = 0;
    double Mean = 0.0;
    double StdDev = 0.0;
};

TPooled Pool(const std::vector<std::unique_ptr<TBatch>>& batches, std::size_t count) {
    TPooled p;
    long double sum = 0.0L;
    for (std::size_t b = 0; b < count; ++b) {
        p.Count += batches[b]->Count;
        sum += batches[b]->Sum;
    }
    if (p.Count == 0) return p;
    const long double mean = sum / static_cast<long double>(p.Count);
    long double m2 = 0.0L;
    for (std::size_t b = 0; b < count; ++b) {
        const long double d = batches[b]->Mean - mean;
        m2 += batches[b]->M2 + static_cast<long double>(batches[b]->Count) * d * d;
    }
    p.Mean = static_cast<double>(mean);
    p.StdDev = p.Count > 1 ? static_cast<double>(std::sqrt(m2 / static_cast<long double>(p.Count - 1))) : 0.0;
    return p;
}

// The standard deviation of the average of h batch figures.
double StdDevOfAverage(const std::vector<std::unique_ptr<TBatch>>& batches, std::size_t h,
                       double (*figure)(const TBatch&)) {
    long double mean = 0.0L;
    for (std::size_t b = 0; b < h; ++b) mean += figure(*batches[b]);
    mean /= static_cast<long double>(h);
    long double ss = 0.0L;
    for (std::size_t b = 0; b < h; ++b) {
        const long double d = figure(*batches[b]) - mean;
        ss += d * d;
    }
    return static_cast<double>(std::sqrt(ss / (static_cast<long double>(h) * static_cast<long double>(h - 1))));
}

// JCGM 101, 7.9: twice the standard deviation of the averages of the batch
// means, standard deviations and symmetric interval ends, all within δ.
bool Stable(const std::vector<std::unique_ptr<TBatch>>& batches, std::size_t h, int digits) {
    if (h < 2) return false;
    const double delta = NumericalTolerance(Pool(batches, h).StdDev, digits);
    const double worst = std::max({StdDevOfAverage(batches, h, [](const TBatch& b) { return b.Mean; }),
                                   StdDevOfAverage(batches, h, [](const TBatch& b) { return b.StdDev; }),
                                   StdDevOfAverage(batches, h, [](const TBatch& b) { return b.Symmetric.Low; }),
                                   StdDevOfAverage(batches, h, [](const TBatch& b) { return b.Symmetric.High; })});
    return 2.0 * worst <= delta;
}

// The batches handed out to the threads and the in-order decision to stop.
class TRun {
public:
    // keepAll: every draw in one array, else each batch its tails only.
    TRun(const TPlan& plan, const TMonteCarloOptions& options, bool keepAll)
        : Plan_(plan),
          Options_(options),
          BatchSize_(std::max<std::uint64_t>(options.BatchSize, 1)),
          Stream_(options.Seed) {
        const std::uint64_t trials = std::max<std::uint64_t>(options.MaxTrials, 2);
        Trials_ = trials;
        StopAt_ = (trials + BatchSize_ - 1) / BatchSize_;
        Batches_.resize(StopAt_);
        // Not value-initialised: the pages of trials never drawn (a run that
        // stops early) are never touched.
        if (keepAll) Draws_.reset(new double[trials]);
    }

    void Work() {
        try {
            WorkBatches();
        } catch (...) {
            // Out of memory, most likely: the run ends and the caller gets it.
            std::lock_guard lock(Mutex_);
            if (!Error_) Error_ = std::current_exception();
            StopAt_ = Done_;
            Changed_.notify_all();
        }
    }

    void WorkBatches() {
        TWorker worker(Plan_);
        std::vector<double> own(Draws_ ? 0 : BatchSize_);
        for (;;) {
            std::uint64_t b;
            TXoshiro256 g(std::uint64_t{0});
            {
                std::lock_guard lock(Mutex_);
                if (StopOnCancel()) Changed_.notify_all();
                if (Next_ >= StopAt_) return;
                b = Next_++;
                g = Stream_;
                Stream_.Jump();
            }
            const auto size = static_cast<std::size_t>(std::min(BatchSize_, Trials_ - b * BatchSize_));
            double* const at = Draws_ ? Draws_.get() + b * BatchSize_ : own.data();
            std::unique_ptr<TBatch> batch = ComputeBatch(Plan_, worker, g, std::span<double>(at, size), !Draws_);
            std::lock_guard lock(Mutex_);
            if (b >= StopAt_) continue;  // computed ahead of a decision to stop
            Batches_[b] = std::move(batch);
            Advance();
            // The caller waits for the end, a cancellation or its next report:
            // waking it for every batch would take a core from the workers.
            if (Done_ >= StopAt_) Changed_.notify_all();
        }
    }

    // Runs the threads; the calling thread reports progress.
    void Run() {
        unsigned threads = Options_.Threads != 0 ? Options_.Threads : std::thread::hardware_concurrency();
        threads = static_cast<unsigned>(std::clamp<std::uint64_t>(threads, 1, StopAt_));
        std::vector<std::thread> pool;
        for (unsigned t = 0; t < threads; ++t) pool.emplace_back([this] { Work(); });
        {
            // The workers wake this thread at the end or on a cancellation; a report waits its quarter second.
            constexpr auto kReportEvery = std::chrono::milliseconds(250);
            auto nextReport = std::chrono::steady_clock::now() + kReportEvery;
            std::unique_lock lock(Mutex_);
            while (Done_ < StopAt_) {
                Changed_.wait_until(lock, nextReport);
                if (StopOnCancel()) break;
                if (std::chrono::steady_clock::now() < nextReport) continue;
                nextReport += kReportEvery;
                if (Options_.Progress && Done_ < StopAt_) {
                    const std::uint64_t trials = DoneTrials_;
                    lock.unlock();
                    Options_.Progress(Plan_.Name, trials);
                    lock.lock();
                }
            }
        }
        for (auto& t : pool) t.join();
        if (Error_) std::rethrow_exception(Error_);
        Batches_.resize(StopAt_);
    }

    std::vector<std::unique_ptr<TBatch>>& Batches() { return Batches_; }
    // The draws of the batches taken, batch after batch (keepAll).
    std::span<double> Draws() const {
        if (!Draws_) return {};
        return {Draws_.get(), static_cast<std::size_t>(DoneTrials_)};
    }
    bool Converged() const { return Converged_; }
    bool Failed() const { return Failed_; }
    bool Cancelled() const { return Cancelled_; }
    std::uint64_t BatchSize() const { return BatchSize_; }

private:
    // With the mutex held: a requested cancellation ends the run at the
    // batches taken so far.
    bool StopOnCancel() {
        if (Options_.Cancel == nullptr || !Options_.Cancel->load()) return false;
        Cancelled_ = true;
        StopAt_ = Done_;
        return true;
    }

    // Takes the finished batches in order; stops at the first failed one or,
    // adaptively, at the first count of batches that is stable.
    void Advance() {
        while (Done_ < StopAt_ && Batches_[Done_]) {
            const TBatch& batch = *Batches_[Done_];
            ++Done_;
            DoneTrials_ += batch.Count;
            if (batch.Failed > 0) {
                Failed_ = true;
                StopAt_ = Done_;
            } else if (Options_.Adaptive && Stable(Batches_, Done_, Options_.Digits)) {
                Converged_ = true;
                StopAt_ = Done_;
            }
        }
        for (std::size_t b = StopAt_; b < Batches_.size(); ++b) Batches_[b].reset();
    }

    const TPlan& Plan_;
    const TMonteCarloOptions& Options_;
    const std::uint64_t BatchSize_;
    std::uint64_t Trials_ = 0;
    std::mutex Mutex_;
    std::condition_variable Changed_;
    TXoshiro256 Stream_;  // the stream of batch Next_
    std::uint64_t Next_ = 0;
    std::uint64_t StopAt_ = 0;
    std::uint64_t Done_ = 0;  // batches taken in order
    std::uint64_t DoneTrials_ = 0;
    bool Converged_ = false;
    bool Failed_ = false;
    bool Cancelled_ = false;
    std::exception_ptr Error_;
    std::vector<std::unique_ptr<TBatch>> Batches_;
    std::unique_ptr<double[]> Draws_;
};

// The classes span the shortest interval widened by half its width, a
// quarter on each side: the body of the distribution, whatever its tails.
TMonteCarloHistogram CountClasses(std::span<const double> draws, double low, double high, unsigned classes) {
    TMonteCarloHistogram h;
    const double quarter = (high - low) / 4.0;
    if (!(quarter > 0.0) || !std::isfinite(quarter)) return h;
    h.Low = low - quarter;
    h.Width = (high - low + 2.0 * quarter) / classes;
    h.Counts.assign(classes, 0);
    const double scale = 1.0 / h.Width;
    for (const double v : draws) {
        const double at = (v - h.Low) * scale;
        if (at < 0.0) {
            ++h.Below;
        } else if (at >= static_cast<double>(classes)) {
            ++h.Above;
        } else {
            ++h.Counts[static_cast<std::size_t>(at)];
        }
    }
    return h;
}

double ResultProbability(const TGumParam& result, const TBudget* budget) {
    if (budget != nullptr && budget->ErrorCode == NoError && std::isfinite(budget->CoverageProbability) &&
        budget->CoverageProbability > 0.0)
        return budget->CoverageProbability;
    return result.CoverageMethod == cm_Standard ? 95.0 : result.CoverageProbability;
}

}  // namespace

double NumericalTolerance(double u, int digits) {
    if (!(u > 0.0) || !std::isfinite(u)) return 0.0;
    const int lastDigit = static_cast<int>(std::floor(std::log10(u))) - std::max(digits, 1) + 1;
    return 0.5 * std::pow(10.0, lastDigit);
}

TMonteCarloResult RunMonteCarlo(const TGumModel& model, const TGumParam& result, const TBudget* budget,
                                const TMonteCarloOptions& options) {
    TMonteCarloResult r;
    r.Name = result.Name;
    r.CoverageProbability = ResultProbability(result, budget);
    TPlan plan;
    if (!BuildPlan(model, result, r.CoverageProbability, plan, r.Message)) return r;
    r.ApproximateCorrelation = plan.Approximate;

    if (options.Progress) options.Progress(plan.Name, 0);
    // The histogram counts every draw; the intervals alone need only the
    // tails, when those are small (below p = 0.9 they would hold nearly as
    // many draws as the run, and the batches' tails too few for certain).
    const bool tailsOnly = options.HistogramClasses == 0 && plan.Probability >= 0.9;
    TRun run(plan, options, !tailsOnly);
    run.Run();
    auto& batches = run.Batches();
    for (const auto& b : batches) r.Trials += b->Count;
    if (run.Cancelled()) {
        r.Cancelled = true;
        return r;
    }
    if (run.Failed()) {
        const TBatch& last = *batches.back();
        r.FailedDraws = last.Failed;
        r.FirstError =
            MsgDrawFailed(result.Name, (batches.size() - 1) * run.BatchSize() + last.FirstFailed + 1, last.FirstCode);
        r.Message = MsgDrawsFailed(result.Name, r.FailedDraws, r.Trials, r.FirstError);
        return r;
    }

    const TPooled pooled = Pool(batches, batches.size());
    r.Mean = pooled.Mean;
    r.StdUncertainty = pooled.StdDev;
    r.Tolerance = NumericalTolerance(r.StdUncertainty, options.Digits);
    r.Converged = options.Adaptive ? run.Converged() : Stable(batches, batches.size(), options.Digits);
    TCoverageIntervals intervals;
    std::vector<TTails> parts;
    for (auto& b : batches) parts.push_back(std::move(b->Tails));
    TMonteCarloOptions again = options;
    std::unique_ptr<TRun> rerun;
    std::span<double> all = run.Draws();
    if (tailsOnly && !CoverageIntervalsOfTails(parts, r.Trials, plan.Probability, intervals)) {
        // The batches' tails missed some of the run's ends: the same batches
        // again (the same streams), every draw kept.
        again.MaxTrials = r.Trials;
        again.Adaptive = false;
        again.Progress = nullptr;
        rerun = std::make_unique<TRun>(plan, again, true);
        rerun->Run();
        if (rerun->Cancelled()) {
            r.Cancelled = true;
            return r;
        }
        all = rerun->Draws();
    }
    if (!all.empty()) intervals = CoverageIntervals(all, plan.Probability);
    r.SymmetricLow = intervals.Symmetric.Low;
    r.SymmetricHigh = intervals.Symmetric.High;
    r.ShortestLow = intervals.Shortest.Low;
    r.ShortestHigh = intervals.Shortest.High;
    if (options.HistogramClasses > 0)
        r.Histogram = CountClasses(all, r.ShortestLow, r.ShortestHigh, options.HistogramClasses);

    if (budget != nullptr && budget->ErrorCode == NoError) {
        TGumValidation& g = r.Gum;
        g.Value = budget->Value;
        g.ExpandedUncertainty = budget->CoverageFactor * budget->CombinedUncertainty;
        g.DLow = std::fabs(g.Value - g.ExpandedUncertainty - r.SymmetricLow);
        g.DHigh = std::fabs(g.Value + g.ExpandedUncertainty - r.SymmetricHigh);
        g.Available = std::isfinite(g.DLow) && std::isfinite(g.DHigh);
        g.Validated = g.Available && g.DLow <= r.Tolerance && g.DHigh <= r.Tolerance;
    }
    r.Ok = true;
    return r;
}

std::vector<TMonteCarloResult> RunMonteCarlo(TGumModel& model, const std::string* resultName,
                                             const TMonteCarloOptions& options) {
    try {
        CalculateBudgets(model);
    } catch (const std::exception&) {
        model.Budgets.clear();  // no budget to validate against; the draws still run
    }
    std::vector<TMonteCarloResult> results;
    for (const auto& item : model.Params) {
        const TGumParam& q = *item;
        if (q.Kind != TParamKind::Result || (resultName != nullptr && q.Name != *resultName)) continue;
        const auto b = std::find_if(model.Budgets.begin(), model.Budgets.end(),
                                    [&q](const auto& budget) { return budget->Name == q.Name; });
        results.push_back(RunMonteCarlo(model, q, b == model.Budgets.end() ? nullptr : b->get(), options));
        if (resultName != nullptr) break;
    }
    return results;
}

}  // namespace vormid
