#pragma once
// Propagation of distributions by a Monte Carlo method (JCGM 101): every
// input quantity is drawn from the distribution its kind states, the
// result's equation (intermediate results substituted as in the budget) is
// evaluated for every draw, and the draws of the result give its mean,
// standard uncertainty and coverage intervals. The budget's result is then
// checked against them: it is validated when both ends of its interval
// y ± U lie within the numerical tolerance of the probabilistically
// symmetric Monte Carlo interval.
//
// Draws come in batches of fixed size, each batch from its own stream of the
// generator (the seed's stream jumped by 2^128 per batch), and the decision
// to stop is taken batch by batch in order. Threads only decide which batch
// is computed when, so a seed gives the same numbers for any thread count.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/GumModel.h"

namespace vormid {

struct TMonteCarloOptions {
    // Trial limit; with Adaptive off, the number of trials.
    std::uint64_t MaxTrials = 10'000'000;
    // Significant digits of u the numerical tolerance refers to.
    int Digits = 2;
    std::uint64_t Seed = 1;
    // Worker threads; 0 for one per core.
    unsigned Threads = 0;
    // Stop as soon as the batch results are stable to the tolerance.
    bool Adaptive = true;
    std::uint64_t BatchSize = 10'000;
    // Set from any thread to end the run at the next batch; the result is
    // then not Ok and says Cancelled.
    const std::atomic<bool>* Cancel = nullptr;
    // Classes of the histogram of the draws; 0 for none.
    unsigned HistogramClasses = 0;
    // Called on the calling thread with the result's name (Windows-1251):
    // with 0 as a result's run starts, then about four times a second with
    // the number of its trials finished so far.
    std::function<void(const std::string& result, std::uint64_t trials)> Progress;
};

// The draws of a result counted in classes of equal width from Low on;
// Below and Above count the draws outside them. Empty when the draws do
// not spread.
struct TMonteCarloHistogram {
    double Low = 0.0;
    double Width = 0.0;
    std::vector<std::uint64_t> Counts;
    std::uint64_t Below = 0, Above = 0;
};

// The budget's result against the Monte Carlo interval.
struct TGumValidation {
    bool Available = false;            // false when the budget could not be calculated
    double Value = 0.0;                // y of the budget
    double ExpandedUncertainty = 0.0;  // U = k·u_c, absolute, at the same probability
    double DLow = 0.0;                 // |y − U − y_low|
    double DHigh = 0.0;                // |y + U − y_high|
    bool Validated = false;            // both at most the tolerance
};

struct TMonteCarloResult {
    std::string Name;
    // False when the run failed: Message (Windows-1251) says why; with
    // failed draws also FailedDraws and FirstError.
    bool Ok = false;
    std::string Message;
    std::uint64_t Trials = 0;
    bool Converged = false;
    double Tolerance = 0.0;  // δ: half a unit in the last significant digit of u
    double Mean = 0.0;
    double StdUncertainty = 0.0;
    double CoverageProbability = 95.0;  // per cent
    double SymmetricLow = 0.0, SymmetricHigh = 0.0;
    double ShortestLow = 0.0, ShortestHigh = 0.0;
    TGumValidation Gum;
    std::uint64_t FailedDraws = 0;
    std::string FirstError;
    // A correlated input is not normal: the Gaussian copula keeps its
    // marginal exactly but its correlation only approximately.
    bool ApproximateCorrelation = false;
    bool Cancelled = false;
    TMonteCarloHistogram Histogram;  // when the options ask for classes
};

// One result quantity of the model; budget is that result's budget from
// the same model (or null when there is none), used for the validation.
TMonteCarloResult RunMonteCarlo(const TGumModel& model, const TGumParam& result, const TBudget* budget,
                                const TMonteCarloOptions& options);

// Calculates the budgets (into model.Budgets) and runs every result of the
// model in list order, or only the one named resultName when it is given.
std::vector<TMonteCarloResult> RunMonteCarlo(TGumModel& model, const std::string* resultName,
                                             const TMonteCarloOptions& options);

// δ for u and the number of significant digits: half a unit in the last of
// them; 0 for u = 0.
double NumericalTolerance(double u, int digits);

}  // namespace vormid
