#pragma once
// The Monte Carlo panel of a result on the budget page: the run's progress
// and its stop button while it goes, then the chart of the draws beside the
// budget's density and the figures with the verdict on the budget.
#include <QFrame>
#include <memory>
#include <optional>

#include "core/Budget.h"
#include "evaluation/MonteCarlo.h"

namespace Ui {
class TMonteCarloPanel;
}

namespace vormid {

// The histogram's classes: enough for a smooth outline at 10^6 trials, few
// enough that each holds some draws at 10^4.
inline constexpr unsigned kMcHistogramClasses = 150;

class TMonteCarloPanel : public QFrame {
    Q_OBJECT
public:
    explicit TMonteCarloPanel(QWidget* parent = nullptr);
    ~TMonteCarloPanel() override;

    // A run under way: trials of the result done out of the limit.
    void ShowRunning(quint64 trials, quint64 limit);
    // The run's result for this result quantity with its budget (null when
    // the budget failed); units as the figures' suffix (may be empty).
    void ShowResult(const TMonteCarloResult& result, const TBudget* budget, const QString& units);
    // A text in place of the figures (no run, out of date, budget failed).
    void ShowMessage(const QString& text);

    // The result shown (none while running or with a message).
    const std::optional<TMonteCarloResult>& Result() const { return result_; }
    // The figure labels' texts, by the label's name (tests, the report).
    QString Figure(const char* name) const;

signals:
    void stopRequested();

private:
    void ClearFigures();

    std::unique_ptr<Ui::TMonteCarloPanel> ui_;
    std::optional<TMonteCarloResult> result_;
};

// The verdict on the budget in the program's words.
QString McVerdictText(const TMonteCarloResult& r);

}  // namespace vormid
