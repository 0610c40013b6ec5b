#include "ui/pages/ObservationPage.h"

#include "ui_ObservationPage.h"

namespace vormid {

TObservationPage::TObservationPage(QWidget* parent) : TPage(parent), ui_(std::make_unique<Ui::TObservationPage>()) { ui_->setupUi(this); }

TObservationPage::~TObservationPage() = default;

}  // namespace vormid
