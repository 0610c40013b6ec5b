#include "ui/pages/BudgetPage.h"

#include "ui_BudgetPage.h"

namespace vormid {

TBudgetPage::TBudgetPage(QWidget* parent) : TPage(parent), ui_(std::make_unique<Ui::TBudgetPage>()) {
    ui_->setupUi(this);
    ui_->splBudget->SetHeldPanel(1);
    ui_->splBudget->setStretchFactor(0, 1);
}

TBudgetPage::~TBudgetPage() = default;

void TBudgetPage::StoreDisplay(TDisplayState& state) const {
    state.BudgetCommentPanelHeight = ui_->splBudget->PanelHeight();
}

void TBudgetPage::ApplyDisplay(const TDisplayState& state) {
    ui_->splBudget->SetPanelHeight(state.BudgetCommentPanelHeight);
}

}  // namespace vormid
