#pragma once
// The page "Корелация" of the model notebook: the correlated pairs of input
// quantities.
#include <memory>

#include "ui/pages/Page.h"

namespace Ui { class TCorrelationPage; }

namespace vormid {

class TCorrelationPage : public TPage {
    Q_OBJECT
public:
    explicit TCorrelationPage(QWidget* parent = nullptr);
    ~TCorrelationPage() override;

    void UpdateEnables(const TCommandEnables& enables) override;

private:
    std::unique_ptr<Ui::TCorrelationPage> ui_;
};

}  // namespace vormid
