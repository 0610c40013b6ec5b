#pragma once
// The page "Наблюдение": the observations of the Type A quantities.
#include <memory>

#include "ui/pages/Page.h"

namespace Ui { class TObservationPage; }

namespace vormid {

class TObservationPage : public TPage {
    Q_OBJECT
public:
    explicit TObservationPage(QWidget* parent = nullptr);
    ~TObservationPage() override;

private:
    std::unique_ptr<Ui::TObservationPage> ui_;
};

}  // namespace vormid
