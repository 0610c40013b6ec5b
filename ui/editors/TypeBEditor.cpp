#include "ui/editors/TypeBEditor.h"

#include "ui_TypeBEditor.h"

namespace vormid {

TTypeBEditor::TTypeBEditor(QWidget* parent) : TKindEditor(parent), ui_(std::make_unique<Ui::TTypeBEditor>()) { ui_->setupUi(this); }

TTypeBEditor::~TTypeBEditor() = default;

}  // namespace vormid
