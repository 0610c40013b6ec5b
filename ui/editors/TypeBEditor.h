#pragma once
// The page "TypeB" of the quantity editor: a stated expanded or standard
// uncertainty, an error bound, or the interval of a distribution, with the
// distribution chart of the interval.
#include <memory>

#include "ui/editors/KindEditor.h"

namespace Ui {
class TTypeBEditor;
}

namespace vormid {

class TTypeBEditor : public TKindEditor {
    Q_OBJECT
public:
    explicit TTypeBEditor(QWidget* parent = nullptr);
    ~TTypeBEditor() override;

    void Attach(TModelController& controller) override;
    void Display(TGumParam& quantity) override;

private:
    // Shows and labels the entries for the quantity's evaluation kind and
    // distribution; stores the distribution kinds 0 to 2 force.
    void Layout(TGumParam& q);
    void ShowSecondEntry(const TGumParam& q);
    void RefreshChart(const TGumParam& q);
    void Edit(const std::function<void(TGumParam&)>& fn, bool layout, bool chart);

    std::unique_ptr<Ui::TTypeBEditor> ui_;
};

}  // namespace vormid
