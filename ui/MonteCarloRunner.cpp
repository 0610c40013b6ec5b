#include "ui/MonteCarloRunner.h"

#include <QMetaObject>
#include <exception>

#include "evaluation/BudgetCalculation.h"
#include "persistence/ModelIO.h"

namespace vormid {

// What one run shares with the thread that does it.
struct TMonteCarloRunner::TShared {
    std::atomic<bool> Cancel{false};
};

TMonteCarloRunner::TMonteCarloRunner(QObject* parent) : QObject(parent) {}

TMonteCarloRunner::~TMonteCarloRunner() { Cancel(); }

void TMonteCarloRunner::Join() {
    if (worker_.joinable()) worker_.join();
}

void TMonteCarloRunner::Cancel() {
    if (shared_) shared_->Cancel = true;
    shared_.reset();
    // A cancelled run ends at its next batch, within milliseconds.
    Join();
    running_ = false;
}

void TMonteCarloRunner::Start(const TGumModel& model, const TMonteCarloOptions& options) {
    Cancel();
    // The copy goes through the model file's bytes: the one way a whole
    // model is written and read, and the worker never touches the live one.
    std::vector<std::uint8_t> bytes = ModelFileBytes(model, TDisplayState{});
    auto shared = std::make_shared<TShared>();
    shared_ = shared;
    running_ = true;
    results_.clear();
    TMonteCarloOptions o = options;
    o.Cancel = &shared->Cancel;
    // Delivered on the window's thread, and only while this run is current.
    // The runner outlives its thread (it joins it), and a message still
    // queued when the runner goes is dropped with it.
    TMonteCarloRunner* self = this;
    const auto post = [self, shared](auto fn) {
        QMetaObject::invokeMethod(
            self,
            [self, shared, fn]() mutable {
                if (self->shared_ == shared) fn(*self);
            },
            Qt::QueuedConnection);
    };
    worker_ = std::thread([bytes = std::move(bytes), o, post, shared]() mutable {
        std::vector<TMonteCarloResult> results;
        try {
            TGumModelFile file;
            TGumModel copy;
            TDisplayState display;
            LoadModelFromBytes(file, std::move(bytes), copy, display);
            const std::uint64_t limit = o.MaxTrials;
            o.Progress = [&post, limit](const std::string& name, std::uint64_t trials) {
                post([name, trials, limit](TMonteCarloRunner& r) { emit r.progress(name, trials, limit); });
            };
            // A result whose budget fails has nothing to check: it is not run.
            try {
                CalculateBudgets(copy);
            } catch (const std::exception&) {
                copy.Budgets.clear();
            }
            for (const auto& item : copy.Params) {
                if (item->Kind != TParamKind::Result || shared->Cancel) continue;
                for (const auto& b : copy.Budgets)
                    if (b->Name == item->Name && b->ErrorCode == NoError)
                        results.push_back(RunMonteCarlo(copy, *item, b.get(), o));
            }
        } catch (const std::exception& e) {
            TMonteCarloResult failed;
            failed.Message = e.what();
            results.push_back(std::move(failed));
        }
        if (shared->Cancel) return;
        post([results = std::move(results)](TMonteCarloRunner& r) mutable {
            r.Join();
            r.running_ = false;
            r.results_ = std::move(results);
            emit r.finished();
        });
    });
}

}  // namespace vormid
