#include "ui/editors/QuantityEditor.h"

#include <QStandardItemModel>

#include "core/GumParam.h"
#include "core/TextFields.h"
#include "ui/ModelController.h"
#include "ui/TextCodec.h"
#include "ui/TfrmDlgBox.h"
#include "ui/editors/KindEditor.h"
#include "ui/editors/TypeAEditor.h"
#include "ui/richtext/RichTextEditor.h"
#include "ui/richtext/UnitsEdit.h"
#include "ui/widgets/ByteLimitValidator.h"
#include "ui_QuantityEditor.h"

namespace vormid {
namespace {

bool KindChosenByUser(TParamKind kind) {
    return kind == TParamKind::Undefined || kind == TParamKind::TypeA || kind == TParamKind::TypeB ||
           kind == TParamKind::Const;
}

}  // namespace

TQuantityEditor::TQuantityEditor(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::TQuantityEditor>()) {
    ui_->setupUi(this);
    pages_[static_cast<int>(TParamKind::Result)] = ui_->Result;
    pages_[static_cast<int>(TParamKind::VarResult)] = ui_->VarResult;
    pages_[static_cast<int>(TParamKind::TypeA)] = ui_->TypeA;
    pages_[static_cast<int>(TParamKind::TypeB)] = ui_->TypeB;
    pages_[static_cast<int>(TParamKind::Const)] = ui_->Const;

    // Results and intermediate results come only from the equation: their
    // items are shown in the disabled colour and cannot be chosen.
    if (auto* items = qobject_cast<QStandardItemModel*>(ui_->qcbParamType->model())) {
        for (int i : {0, 1})
            if (QStandardItem* item = items->item(i)) item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    }
    ui_->edDescription->setValidator(new TByteLimitValidator(kText256.Text, ui_->edDescription));
    ui_->Commentar->SetKind(TRichTextEditor::TKind::Comment);

    connect(ui_->qcbParamType, &QComboBox::activated, this, &TQuantityEditor::qcbParamTypeChange);
    connect(ui_->edDescription, &QLineEdit::textEdited, this, &TQuantityEditor::edDescriptionChange);
    connect(ui_->rtfUnits, &TUnitsEdit::unitsEdited, this, &TQuantityEditor::UnitsChange);
    connect(ui_->Commentar, &TRichTextEditor::textEdited, this, &TQuantityEditor::CommentarChange);
}

TQuantityEditor::~TQuantityEditor() = default;

TKindEditor* TQuantityEditor::PageOf(TParamKind kind) const {
    const auto k = static_cast<std::size_t>(kind);
    return k < pages_.size() ? pages_[k] : nullptr;
}

void TQuantityEditor::Attach(TModelController& controller) {
    controller_ = &controller;
    for (TKindEditor* page : pages_)
        if (page) page->Attach(controller);
    // A replaced model is selected anew, also at the same index.
    connect(&controller, &TModelController::selectionChanged, this, &TQuantityEditor::DisplaySelected);
}

void TQuantityEditor::DisplaySelected() {
    if (!controller_) return;
    auto scope = controller_->LoadingScope();
    TGumParam* q = controller_->SelectedQuantity();
    setEnabled(q != nullptr);
    if (!q) {
        ui_->qcbParamType->setCurrentIndex(-1);
        ui_->edDescription->clear();
        ui_->rtfUnits->SetUnits({});
        ui_->Commentar->SetRtf({});
        ui_->BookParam->hide();
        return;
    }
    ui_->qcbParamType->setCurrentIndex(static_cast<int>(q->Kind) - 1);
    ui_->qcbParamType->setEnabled(KindChosenByUser(q->Kind));
    ui_->edDescription->setText(FromCp1251(q->Description));
    ui_->rtfUnits->SetUnits(q->Units);
    ui_->Commentar->SetRtf(q->Comment);
    TKindEditor* page = PageOf(q->Kind);
    ui_->BookParam->setVisible(page != nullptr);
    if (page) {
        ui_->BookParam->setCurrentWidget(page);
        // Only the page on show asks for room: the tall Type A page would
        // otherwise make a small constant scroll.
        for (int i = 0; i < ui_->BookParam->count(); ++i) {
            QWidget* each = ui_->BookParam->widget(i);
            const QSizePolicy::Policy policy = each == page ? QSizePolicy::Preferred : QSizePolicy::Ignored;
            each->setSizePolicy(policy, policy);
        }
        ui_->BookParam->updateGeometry();
        page->Display(*q);
    }
}

void TQuantityEditor::qcbParamTypeChange(int item) {
    TGumParam* q = controller_ ? controller_->SelectedQuantity() : nullptr;
    if (!q || controller_->Loading()) return;
    const auto kind = static_cast<TParamKind>(item + 1);
    const bool allowed = KindChosenByUser(q->Kind) && KindChosenByUser(kind) && kind != q->Kind;
    const auto leave = allowed ? TTypeAEditor::AskLeavingTypeA(*q) : TTypeAEditor::TLeaveTypeA::StayTypeA;
    if (leave == TTypeAEditor::TLeaveTypeA::StayTypeA) {
        // The box returns to the quantity's kind.
        auto scope = controller_->LoadingScope();
        ui_->qcbParamType->setCurrentIndex(static_cast<int>(q->Kind) - 1);
        return;
    }
    controller_->EditSelected([&](TGumParam& p) {
        if (leave == TTypeAEditor::TLeaveTypeA::ClearReadings) p.ClearObservations();
        // A new series of n zeros has n - 1 degrees of freedom from the start:
        // the kind setter computes its statistics.
        p.SetKind(kind);
    });
    DisplaySelected();
}

void TQuantityEditor::edDescriptionChange(const QString& text) {
    if (!controller_) return;
    const std::string bytes = ToCp1251(text);
    controller_->EditSelected([&](TGumParam& q) { q.Description = bytes; });
}

void TQuantityEditor::UnitsChange() {
    if (!controller_) return;
    std::string bytes = ui_->rtfUnits->Units();
    // The file keeps 100 bytes of units markup; more is refused, not cut.
    if (bytes.size() > kText101.Text) {
        ShowMessageBox(QStringLiteral("Мерните единици могат да заемат най-много %1 байта.").arg(kText101.Text));
        if (TGumParam* q = controller_->SelectedQuantity()) {
            auto scope = controller_->LoadingScope();
            ui_->rtfUnits->SetUnits(q->Units);
        }
        return;
    }
    if (TGumParam* q = controller_->SelectedQuantity(); q && q->Units == bytes) return;
    controller_->EditSelected([&](TGumParam& q) { q.Units = bytes; });
}

void TQuantityEditor::CommentarChange() {
    if (!controller_ || controller_->Loading()) return;
    const std::string bytes = ui_->Commentar->Rtf();
    controller_->EditSelected([&](TGumParam& q) { q.Comment = bytes; });
}

}  // namespace vormid
