#pragma once
// The page "Бюджет": the uncertainty budgets of the results and the comment
// of the budget shown.
#include <memory>

#include "ui/pages/Page.h"

namespace Ui { class TBudgetPage; }

namespace vormid {

class TBudgetPage : public TPage {
    Q_OBJECT
public:
    explicit TBudgetPage(QWidget* parent = nullptr);
    ~TBudgetPage() override;

    void StoreDisplay(TDisplayState& state) const override;
    void ApplyDisplay(const TDisplayState& state) override;

private:
    std::unique_ptr<Ui::TBudgetPage> ui_;
};

}  // namespace vormid
