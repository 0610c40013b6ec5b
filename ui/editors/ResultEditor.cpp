#include "ui/editors/ResultEditor.h"

#include "ui_ResultEditor.h"

namespace vormid {

TResultEditor::TResultEditor(QWidget* parent) : TKindEditor(parent), ui_(std::make_unique<Ui::TResultEditor>()) { ui_->setupUi(this); }

TResultEditor::~TResultEditor() = default;

}  // namespace vormid
