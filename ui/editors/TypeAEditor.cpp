#include "ui/editors/TypeAEditor.h"

#include "ui_TypeAEditor.h"

namespace vormid {

TTypeAEditor::TTypeAEditor(QWidget* parent) : TKindEditor(parent), ui_(std::make_unique<Ui::TTypeAEditor>()) { ui_->setupUi(this); }

TTypeAEditor::~TTypeAEditor() = default;

}  // namespace vormid
