#include "ui/pages/CorrelationPage.h"

#include "ui/Document.h"
#include "ui_CorrelationPage.h"

namespace vormid {

TCorrelationPage::TCorrelationPage(QWidget* parent) : TPage(parent), ui_(std::make_unique<Ui::TCorrelationPage>()) {
    ui_->setupUi(this);
}

TCorrelationPage::~TCorrelationPage() = default;

void TCorrelationPage::UpdateEnables(const TCommandEnables& enables) {
    ui_->btnAddCorr->setEnabled(enables.AddCorr);
    ui_->btnDelCorr->setEnabled(enables.DelCorr);
}

}  // namespace vormid
