#pragma once
// The page "Модел" of the model notebook: the equation editor above, the
// quantity list dgParams and the quantity editor below. The list follows the
// equation through "Анализ на модела".
#include <memory>

#include "ui/pages/Page.h"

namespace Ui {
class TEquationPage;
}

class QAction;

namespace vormid {

class TQuantityListModel;

class TEquationPage : public TPage {
    Q_OBJECT
public:
    explicit TEquationPage(QWidget* parent = nullptr);
    ~TEquationPage() override;

    void Attach(TModelController& controller) override;
    void Reload() override;
    void StoreDisplay(TDisplayState& state) const override;
    void ApplyDisplay(const TDisplayState& state) override;
    QList<QAction*> EditActions() const override;

    // "Анализ на модела"; a refusal is shown in a message box.
    void Analyse();
    // Compact: the list is a strip beside the quantity editor; wide: the
    // list with units and description fills the page.
    void SetWide(bool wide);
    bool Wide() const;

private:
    void EquationChange();
    void ShowSelection(int index);
    void LayoutColumns();

    std::unique_ptr<Ui::TEquationPage> ui_;
    TQuantityListModel* list_ = nullptr;
    QAction* miAnalysis_ = nullptr;
};

}  // namespace vormid
