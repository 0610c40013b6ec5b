#include "ui/pages/DescriptionPage.h"

#include "ui/ModelController.h"
#include "ui/richtext/RichTextEditor.h"
#include "ui_DescriptionPage.h"

namespace vormid {

TDescriptionPage::TDescriptionPage(QWidget* parent) : TPage(parent), ui_(std::make_unique<Ui::TDescriptionPage>()) {
    ui_->setupUi(this);
    connect(ui_->Editor, &TRichTextEditor::textEdited, this, &TDescriptionPage::EditorChange);
}

TDescriptionPage::~TDescriptionPage() = default;

void TDescriptionPage::Reload() {
    if (!controller_) return;
    auto scope = controller_->LoadingScope();
    ui_->Editor->SetRtf(controller_->Model().Description);
}

void TDescriptionPage::EditorChange() {
    if (!controller_ || controller_->Loading()) return;
    controller_->SetDescription(ui_->Editor->Rtf());
}

}  // namespace vormid
