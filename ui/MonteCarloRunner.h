#pragma once
// The Monte Carlo check of every result, run off the window's thread. A run
// works on a copy of the model taken when it starts (the window goes on
// editing the live one); a newer Start or a Cancel makes every later
// message of the older run vanish, so what the window shows never comes
// from a model older than the one on screen.
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "core/GumModel.h"
#include "evaluation/MonteCarlo.h"

namespace vormid {

class TMonteCarloRunner : public QObject {
    Q_OBJECT
public:
    explicit TMonteCarloRunner(QObject* parent = nullptr);
    ~TMonteCarloRunner() override;

    // Drops any run under way and checks every result of model whose
    // budget calculates, with options (its Progress and Cancel are the
    // runner's own).
    void Start(const TGumModel& model, const TMonteCarloOptions& options);
    // Ends the run under way; nothing of it arrives any more.
    void Cancel();
    bool Running() const { return running_; }
    // The results of the last run that ended, in the model's result order.
    const std::vector<TMonteCarloResult>& Results() const { return results_; }

signals:
    // trials of result name (Windows-1251) done so far, out of limit.
    void progress(const std::string& name, quint64 trials, quint64 limit);
    // The run ended; Results() holds what it found.
    void finished();

private:
    struct TShared;
    void Join();

    std::shared_ptr<TShared> shared_;
    std::thread worker_;
    bool running_ = false;
    std::vector<TMonteCarloResult> results_;
};

}  // namespace vormid
