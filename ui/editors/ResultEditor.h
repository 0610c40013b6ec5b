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

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceFormats(bool below);
    void ShowCoverage(const TGumParam& q);
    void ShowMethodStates(int method);
    void rbResMethodClick(int method);
    void febResTegProbChange(double value);
    void febResFactorChange(double value);
    void febResTegProbButtonClick();
    void febResFactorButtonClick();

    std::unique_ptr<Ui::TResultEditor> ui_;
    QButtonGroup* methods_ = nullptr;
    // The width the number formats need beside the method; in a narrower
    // editor they go below it rather than make the editor scroll sideways.
    int besideWidth_ = 0;
    bool formatsBelow_ = false;
};

}  // namespace vormid
