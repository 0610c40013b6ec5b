#pragma once
// The page "Result" of the quantity editor: how a result's uncertainty is
// expanded (absolute or relative, the method that fixes the coverage factor,
// P and k) and how its value and expanded uncertainty are written.
#include <memory>

#include "ui/editors/KindEditor.h"

namespace Ui {
class TResultEditor;
}

class QButtonGroup;

namespace vormid {

class TResultEditor : public TKindEditor {
    Q_OBJECT
public:
    explicit TResultEditor(QWidget* parent = nullptr);
    ~TResultEditor() override;

    void Display(TGumParam& quantity) override;

private:
    void ShowCoverage(const TGumParam& q);
    void ShowMethodStates(int method);
    void rbResMethodClick(int method);
    void febResTegProbChange(double value);
    void febResFactorChange(double value);
    void febResTegProbButtonClick();
    void febResFactorButtonClick();

    std::unique_ptr<Ui::TResultEditor> ui_;
    QButtonGroup* methods_ = nullptr;
};

}  // namespace vormid
