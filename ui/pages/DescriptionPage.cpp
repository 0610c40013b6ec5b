#include "ui/pages/DescriptionPage.h"

#include "evaluation/EquationText.h"
#include "ui/ModelController.h"
#include "ui/TextCodec.h"
#include "ui_DescriptionPage.h"

namespace vormid {

TDescriptionPage::TDescriptionPage(QWidget* parent) : TPage(parent), ui_(std::make_unique<Ui::TDescriptionPage>()) {
    ui_->setupUi(this);
    connect(ui_->Editor, &QPlainTextEdit::textChanged, this, &TDescriptionPage::EditorChange);
}

TDescriptionPage::~TDescriptionPage() = default;

void TDescriptionPage::Reload() {
    if (!controller_) return;
    auto scope = controller_->LoadingScope();
    std::string plain = EquationText(controller_->Model().Description);
    for (char& c : plain)
        if (c == kLineSeparator) c = '\n';
    ui_->Editor->setPlainText(FromCp1251(plain).trimmed());
}

void TDescriptionPage::EditorChange() {
    if (!controller_ || controller_->Loading()) return;
    controller_->SetDescription(ToCp1251(ui_->Editor->toPlainText()));
}

}  // namespace vormid
