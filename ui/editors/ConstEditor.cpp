#include "ui/editors/ConstEditor.h"

#include "core/GumParam.h"
#include "ui/ModelController.h"
#include "ui/TextCodec.h"
#include "ui_ConstEditor.h"

namespace vormid {

TConstEditor::TConstEditor(QWidget* parent) : TKindEditor(parent), ui_(std::make_unique<Ui::TConstEditor>()) {
    ui_->setupUi(this);
    connect(ui_->feConst, &TNumberEdit::valueEdited, this, &TConstEditor::feConstChange);
}

TConstEditor::~TConstEditor() = default;

void TConstEditor::Display(TGumParam& q) { ui_->feConst->ShowStored(q.ConstValue, q.ConstValueText); }

void TConstEditor::feConstChange(double value) {
    if (!controller_) return;
    const std::string text = ToCp1251(ui_->feConst->TypedText());
    controller_->EditSelected([&](TGumParam& q) {
        q.ConstValue = value;
        q.ConstValueText = text;
    });
}

}  // namespace vormid
