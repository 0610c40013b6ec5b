#pragma once
// The Type A page of the quantity editor (page TypeA of BookParam): the
// method, the data kind, n, how the uncertainty is obtained, the decimals
// and, for the indirect method, the schema and its formula.
#include <functional>
#include <memory>

#include "core/GumModel.h"
#include "ui/editors/KindEditor.h"

namespace Ui {
class TTypeAEditor;
}

namespace vormid {

class TNumberEdit;
class TSchemaModel;

class TTypeAEditor : public TKindEditor {
    Q_OBJECT
public:
    explicit TTypeAEditor(QWidget* parent = nullptr);
    ~TTypeAEditor() override;

    // Displays the quantity (called by the quantity editor).
    void Display(TGumParam& quantity) override;
    // What becomes of the readings when the kind of q changes away from
    // Type A: asked of the user when any reading is entered. The quantity
    // keeps kept readings while it is of another kind, so that going back to
    // Type A shows them again.
    enum class TLeaveTypeA { KeepReadings, ClearReadings, StayTypeA };
    static TLeaveTypeA AskLeavingTypeA(const TGumParam& q);

private:
    TGumParam* Q() const;
    // Whether the edit was made (none while the controls are filled).
    bool Edit(const std::function<void(TGumParam&)>& fn);
    void Fill();
    void ApplyLayout();
    void UpdateSchemaButtons();
    // What is wrong with the schema formula (the typed text, or the stored
    // one), with its place, under the formula box; hidden when nothing is.
    void ShowSchemaState(const QString& formula);
    void MethodChanged(int method);
    void CountChanged(int n);
    enum class TNumberField { Value, Probability, Factor, DegreesOfFreedom };
    void StoreNumber(TNumberField field, double v);
    void NumberFinished(const TNumberEdit* box, TNumberField field);
    void AddLine();
    void DeleteLine();
    void MoveLine(int step);
    void LineTyped(int line, const QString& text);
    int SelectedLine() const;

    std::unique_ptr<Ui::TTypeAEditor> ui_;
    TSchemaModel* schema_ = nullptr;
    int index_ = -1;
};

}  // namespace vormid
