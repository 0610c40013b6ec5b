#include "ui/editors/ResultEditor.h"

#include <QButtonGroup>
#include <algorithm>
#include <cmath>

#include "core/GumParam.h"
#include "core/Statistics.h"
#include "core/TextFields.h"
#include "evaluation/Coverage.h"
#include "ui/ModelController.h"
#include "ui/TextCodec.h"
#include "ui/widgets/ByteLimitValidator.h"
#include "ui_ResultEditor.h"

namespace vormid {

TResultEditor::TResultEditor(QWidget* parent) : TKindEditor(parent), ui_(std::make_unique<Ui::TResultEditor>()) {
    ui_->setupUi(this);
    methods_ = new QButtonGroup(this);
    methods_->addButton(ui_->rbResMethod0, cm_Standard);
    methods_->addButton(ui_->rbResMethod1, cm_Normal);
    methods_->addButton(ui_->rbResMethod2, cm_Student);
    methods_->addButton(ui_->rbResMethod3, cm_Entered);
    ui_->febResTegProb->SetRange(0.1, 100.0);
    ui_->febResTegProb->SetDecimals(2);
    ui_->febResFactor->SetRange(0.1, 10.0);
    ui_->febResFactor->SetDecimals(2);
    ui_->febResFactor->SetRule([](double k) {
        return k > 0.0 ? QString() : QStringLiteral("факторът на покриване трябва да е положително число (0,1 … 10).");
    });
    ui_->seResCMN->setRange(2, 20);
    ui_->edResValFmt->setValidator(new TByteLimitValidator(kText101.Text, ui_->edResValFmt));
    ui_->edResEUFmt->setValidator(new TByteLimitValidator(kText101.Text, ui_->edResEUFmt));

    auto edit = [this](const std::function<void(TGumParam&)>& fn) {
        if (controller_) controller_->EditSelected(fn);
    };
    connect(ui_->qcbResFormat, &QComboBox::currentIndexChanged, this, [edit](int item) {
        if (item >= 0) edit([item](TGumParam& q) { q.ResultFormat = static_cast<std::uint8_t>(item); });
    });
    connect(methods_, &QButtonGroup::idClicked, this, &TResultEditor::rbResMethodClick);
    connect(ui_->febResTegProb, &TNumberEdit::valueEdited, this, &TResultEditor::febResTegProbChange);
    connect(ui_->febResFactor, &TNumberEdit::valueEdited, this, &TResultEditor::febResFactorChange);
    connect(ui_->febResTegProb, &TNumberEdit::buttonClicked, this, &TResultEditor::febResTegProbButtonClick);
    connect(ui_->febResFactor, &TNumberEdit::buttonClicked, this, &TResultEditor::febResFactorButtonClick);
    connect(ui_->seResCMN, &QSpinBox::valueChanged, this,
            [edit](int n) { edit([n](TGumParam& q) { q.SignificantDigits = n; }); });
    connect(ui_->edResValFmt, &QLineEdit::textEdited, this, [edit](const QString& t) {
        const std::string bytes = ToCp1251(t);
        edit([&](TGumParam& q) { q.ValueFormat = bytes; });
    });
    connect(ui_->edResEUFmt, &QLineEdit::textEdited, this, [edit](const QString& t) {
        const std::string bytes = ToCp1251(t);
        edit([&](TGumParam& q) { q.UncertaintyFormat = bytes; });
    });
    connect(ui_->cbResValE, &QCheckBox::toggled, this,
            [edit](bool on) { edit([on](TGumParam& q) { q.ValueExpFormat = on; }); });
    connect(ui_->cbResEUE, &QCheckBox::toggled, this,
            [edit](bool on) { edit([on](TGumParam& q) { q.UncertaintyExpFormat = on; }); });
}

TResultEditor::~TResultEditor() = default;

void TResultEditor::resizeEvent(QResizeEvent* event) {
    TKindEditor::resizeEvent(event);
    // Beside the method the editor is never narrower than its minimum, so
    // at that minimum the room may be less: the formats go below, and come
    // back once the editor is wider than they need.
    if (!formatsBelow_) besideWidth_ = layout()->minimumSize().width();
    const bool below = width() <= besideWidth_;
    if (below != formatsBelow_) PlaceFormats(below);
}

void TResultEditor::PlaceFormats(bool below) {
    formatsBelow_ = below;
    ui_->layResult->removeWidget(ui_->gbResFormats);
    if (below)
        ui_->layResult->addWidget(ui_->gbResFormats, 4, 0, 1, 2);
    else
        ui_->layResult->addWidget(ui_->gbResFormats, 0, 2, 4, 1);
}

void TResultEditor::Display(TGumParam& q) {
    ui_->qcbResFormat->setCurrentIndex(q.ResultFormat <= rf_RelativePercent ? q.ResultFormat : int{rf_Absolute});
    if (QAbstractButton* b = methods_->button(q.CoverageMethod)) b->setChecked(true);
    ShowCoverage(q);
    ShowMethodStates(q.CoverageMethod);
    ui_->seResCMN->setValue(q.SignificantDigits);
    ui_->edResValFmt->setText(FromCp1251(q.ValueFormat));
    ui_->cbResValE->setChecked(q.ValueExpFormat);
    ui_->edResEUFmt->setText(FromCp1251(q.UncertaintyFormat));
    ui_->cbResEUE->setChecked(q.UncertaintyExpFormat);
}

void TResultEditor::ShowCoverage(const TGumParam& q) {
    ui_->febResTegProb->SetValue(q.CoverageProbability);
    ui_->febResFactor->SetValue(q.CoverageFactor);
}

void TResultEditor::ShowMethodStates(int method) {
    const bool standard = method == cm_Standard;
    const bool buttons = method == cm_Normal || method == cm_Entered;
    ui_->febResTegProb->setEnabled(!standard);
    ui_->febResTegProb->SetButtonVisible(buttons);
    ui_->febResFactor->setVisible(method != cm_Student);
    ui_->lblResFactor->setVisible(method != cm_Student);
    ui_->febResFactor->setEnabled(!standard);
    ui_->febResFactor->SetButtonVisible(buttons);
}

void TResultEditor::rbResMethodClick(int method) {
    if (!controller_ || controller_->Loading()) return;
    controller_->EditSelected([method](TGumParam& q) { SelectCoverageMethod(q, static_cast<std::uint8_t>(method)); });
    if (TGumParam* q = controller_->SelectedQuantity()) {
        auto scope = controller_->LoadingScope();
        ShowCoverage(*q);
        ShowMethodStates(method);
    }
}

void TResultEditor::febResTegProbChange(double value) {
    if (!controller_) return;
    controller_->EditSelected([value](TGumParam& q) { SetCoverageProbability(q, value); });
    // The normal method couples k to P.
    if (TGumParam* q = controller_->SelectedQuantity(); q && q->CoverageMethod == cm_Normal) {
        auto scope = controller_->LoadingScope();
        ui_->febResFactor->SetValue(q->CoverageFactor);
    }
}

void TResultEditor::febResFactorChange(double value) {
    if (!controller_) return;
    controller_->EditSelected([value](TGumParam& q) { SetCoverageFactor(q, value); });
    if (TGumParam* q = controller_->SelectedQuantity(); q && q->CoverageMethod == cm_Normal) {
        auto scope = controller_->LoadingScope();
        ui_->febResTegProb->SetValue(q->CoverageProbability);
    }
}

void TResultEditor::febResTegProbButtonClick() {
    // P from the k box, as a change of the P box.
    std::optional<double> k = ui_->febResFactor->Value();
    if (!k) return;
    const double p = CoverageProbabilityFromFactor(*k);
    if (!std::isfinite(p)) return;
    const double held = std::clamp(p, ui_->febResTegProb->Minimum(), ui_->febResTegProb->Maximum());
    ui_->febResTegProb->SetValue(held);
    febResTegProbChange(held);
}

void TResultEditor::febResFactorButtonClick() {
    std::optional<double> p = ui_->febResTegProb->Value();
    if (!p) return;
    const double k = NormalCoverageFactor(*p);
    if (!std::isfinite(k)) return;
    const double held = std::clamp(k, ui_->febResFactor->Minimum(), ui_->febResFactor->Maximum());
    ui_->febResFactor->SetValue(held);
    febResFactorChange(held);
}

}  // namespace vormid
