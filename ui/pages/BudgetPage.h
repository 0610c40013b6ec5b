#pragma once
// The page "Бюджет": one tab per result with its budget table and result
// line, the budget's comment above it, and the budget menu (columns, width
// modes, graph mode, rows shown) whose state travels in the model file.
#include <QActionGroup>
#include <memory>

#include "ui/MonteCarloSettings.h"
#include "ui/pages/Page.h"

namespace Ui {
class TBudgetPage;
}
class QMenu;

namespace vormid {

class BudgetModel;
class TMonteCarloPanel;
class TMonteCarloRunner;

class TBudgetPage : public TPage {
    Q_OBJECT
public:
    explicit TBudgetPage(QWidget* parent = nullptr);
    ~TBudgetPage() override;

    void Attach(TModelController& controller) override;
    void Reload() override;
    void Entered() override;
    void StoreDisplay(TDisplayState& state) const override;
    void ApplyDisplay(const TDisplayState& state) override;
    QList<QAction*> BudgetActions() const override;

    // The budget shown (-1 for none) and its model (tests, screenshots).
    int CurrentBudget() const { return current_; }
    void SelectBudget(int index);
    const BudgetModel& Model() const { return *model_; }
    const TDisplayState& Display() const { return display_; }
    QMenu* PopupMenu() const { return pmBudget_; }
    // "Копиране" → "Стойности" and "Графика".
    QAction* CopyValuesAction() const { return copyValues_; }
    QAction* CopyGraphAction() const { return copyGraph_; }
    // The whole budget table as a picture (null when no budget is shown).
    QImage GraphImage();
    // The column toggle of logical column c, and the others by name.
    QAction* ColumnAction(int column) const;
    QAction* Action(const QString& text) const;
    // The Monte Carlo check, run when the model's method is "Monte-Carlo".
    void SetMonteCarloSettings(const TMonteCarloSettings& settings) { mcSettings_ = settings; }
    const TMonteCarloPanel& MonteCarloPanel() const;
    const TMonteCarloRunner& MonteCarloRunner() const { return *runner_; }
    // The Monte Carlo check of the model as it is, when one ran to its end
    // and nothing changed since (the report includes it); null otherwise.
    const std::vector<TMonteCarloResult>* FinishedMonteCarlo() const;

public slots:
    // Repaints every number (the format settings changed).
    void Repaint();

private:
    void BuildMenus();
    void RebuildTabs();
    void ShowBudget();
    void ApplyWidths();
    void SyncChecks();
    void UpdateCopyEnables();
    // Calculates the budgets anew for "Копиране", from whichever page it
    // comes, and shows them again on the tab that was selected.
    void CalculateForCopy();
    void StartMonteCarlo();
    void ShowMonteCarlo();
    // The model changed under the shown check: it is cancelled or dropped.
    void MonteCarloOutOfDate();

    std::unique_ptr<Ui::TBudgetPage> ui_;
    BudgetModel* model_;
    TDisplayState display_;
    int current_ = -1;
    bool calculated_ = false;
    // The budget shown failed and the model has not changed since: there
    // is nothing to copy.
    bool shownFailed_ = false;
    QList<QAction*> mainActions_;
    QMenu* pmBudget_ = nullptr;
    QAction* copyValues_ = nullptr;
    QAction* copyGraph_ = nullptr;
    // A menu item of the main menu and its twin in the pop-up menu.
    struct TTwin {
        QAction* Main;
        QAction* Popup;
    };
    QList<TTwin> twins_;
    TMonteCarloRunner* runner_;
    TMonteCarloSettings mcSettings_;
    enum class TMcState { None, Running, Done, Stopped, OutOfDate };
    TMcState mcState_ = TMcState::None;
    std::string mcRunning_;  // the result whose draws are under way
    quint64 mcTrials_ = 0, mcLimit_ = 0;
    bool editingComment_ = false;  // a comment is no change of the calculation
};

}  // namespace vormid
