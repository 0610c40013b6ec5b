#include "ui/editors/TypeAEditor.h"

#include <QHeaderView>
#include <cmath>
#include <QScopedValueRollback>

#include "core/GumParamGrid.h"
#include "ui/ModelController.h"
#include "ui/TextCodec.h"
#include "ui/TfrmDlgBox.h"
#include "ui/editors/TypeAEditorSchema.h"
#include "ui/models/SchemaModel.h"
#include "ui_TypeAEditor.h"

namespace vormid {

namespace {

QString NumberText(double x, const std::string& typed) {
    return typed.empty() ? FromCp1251(FullPrecisionText(x)) : FromCp1251(typed);
}

bool Ask(const QString& text) { return AskMessageBox(text, akYesNo) == TDlgAnswer::Yes; }

}  // namespace

TTypeAEditor::TTypeAEditor(QWidget* parent) : TKindEditor(parent), ui_(std::make_unique<Ui::TTypeAEditor>()) {
    ui_->setupUi(this);
    schema_ = new TSchemaModel(this);
    ui_->dgSchema->setModel(schema_);
    ui_->dgSchema->setItemDelegateForColumn(1, new TSchemaLineDelegate(ui_->dgSchema));
    ui_->dgSchema->verticalHeader()->hide();
    ui_->dgSchema->horizontalHeader()->setStretchLastSection(true);
    ui_->dgSchema->horizontalHeader()->resizeSection(0, 36);

    connect(ui_->cbAMethod, &QComboBox::currentIndexChanged, this, &TTypeAEditor::MethodChanged);
    connect(ui_->cbAValType, &QComboBox::currentIndexChanged, this, [this](int v) {
        if (loading_) return;
        Edit([v](TGumParam& q) {
            q.AValueType = static_cast<std::uint8_t>(v);
            q.RecomputeStatistics();
        });
    });
    connect(ui_->seACountMeas, &QSpinBox::valueChanged, this, &TTypeAEditor::CountChanged);
    connect(ui_->cbAUnEval, &QComboBox::currentIndexChanged, this, [this](int v) {
        if (loading_) return;
        Edit([v](TGumParam& q) { q.AUncertaintySource = static_cast<std::uint8_t>(v); });
        ApplyLayout();
    });
    connect(ui_->cbASUType, &QComboBox::currentIndexChanged, this, [this](int v) {
        if (!loading_) Edit([v](TGumParam& q) { q.ASUType = static_cast<std::uint8_t>(v); });
    });
    connect(ui_->cbAEvalType, &QComboBox::currentIndexChanged, this, [this](int v) {
        if (loading_) return;
        Edit([v](TGumParam& q) { q.AEvalType = static_cast<std::uint8_t>(v); });
        ApplyLayout();
    });
    connect(ui_->cbAEvalVal, &QCheckBox::toggled, this, [this](bool on) {
        // The percent flag only says how the entered value reads; it is
        // stored without counting as a change of the model.
        if (loading_ || Q() == nullptr) return;
        if (controller_ != nullptr)
            controller_->EditQuantity(index_, [on](TGumParam& q) { q.InPercent = on; },
                                      TModelController::TMark::Quiet);
        else
            Q()->InPercent = on;
    });
    connect(ui_->seADecimal, &QSpinBox::valueChanged, this, [this](int d) {
        if (!loading_) Edit([d](TGumParam& q) { q.SetDecimals(d); });
    });
    connect(ui_->feAEvalVal, &QLineEdit::editingFinished, this, [this] { NumberEntered("p"); });
    connect(ui_->febATegProb, &QLineEdit::editingFinished, this, [this] { NumberEntered("P"); });
    connect(ui_->febAFactor, &QLineEdit::editingFinished, this, [this] { NumberEntered("k"); });
    connect(ui_->feADOF, &QLineEdit::editingFinished, this, [this] { NumberEntered("nu"); });
    connect(ui_->edSchemaEval, &QLineEdit::editingFinished, this, [this] {
        if (loading_ || Q() == nullptr) return;
        const std::string text = ToCp1251(ui_->edSchemaEval->text()).substr(0, kMaxSchemaTextBytes);
        if (text == Q()->SchemaFormula) return;
        Edit([&text](TGumParam& q) {
            q.SchemaFormula = text;
            q.RecomputeStatistics();
        });
    });
    connect(ui_->btnSchemaAdd, &QToolButton::clicked, this, &TTypeAEditor::AddLine);
    connect(ui_->btnSchemaDelete, &QToolButton::clicked, this, &TTypeAEditor::DeleteLine);
    connect(ui_->btnSchemaUp, &QToolButton::clicked, this, [this] { MoveLine(-1); });
    connect(ui_->btnSchemaDown, &QToolButton::clicked, this, [this] { MoveLine(1); });
    connect(schema_, &TSchemaModel::lineTyped, this, &TTypeAEditor::LineTyped);
    connect(ui_->dgSchema->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { UpdateSchemaButtons(); });
}

TTypeAEditor::~TTypeAEditor() = default;

void TTypeAEditor::Attach(TModelController& controller) {
    TKindEditor::Attach(controller);
    Bind(&controller.Model(), [&controller](int index, const std::function<void(TGumParam&)>& fn) {
        controller.EditQuantity(index, fn);
    });
}

void TTypeAEditor::Display(TGumParam& quantity) {
    if (model_ != nullptr) ShowQuantity(model_->Params.IndexOf(&quantity));
}

void TTypeAEditor::Bind(TGumModel* model, TEditQuantity edit) {
    model_ = model;
    edit_ = std::move(edit);
    index_ = -1;
    schema_->SetQuantity(nullptr);
}

TGumParam* TTypeAEditor::Q() const { return model_ != nullptr ? model_->Params.Get(index_) : nullptr; }

void TTypeAEditor::Edit(const std::function<void(TGumParam&)>& fn) {
    if (edit_ && Q() != nullptr) edit_(index_, fn);
}

void TTypeAEditor::ShowQuantity(int index) {
    index_ = index;
    Fill();
}

void TTypeAEditor::Fill() {
    const TGumParam* q = Q();
    if (q == nullptr) return;
    QScopedValueRollback<bool> guard(loading_, true);
    ui_->cbAMethod->setCurrentIndex(q->AMethod == am_Direct ? 0 : 1);
    ui_->cbAValType->setCurrentIndex(q->AValueType == 1 ? 1 : 0);
    ui_->seACountMeas->setValue(q->ObservationCount);
    ui_->cbAUnEval->setCurrentIndex(q->AUncertaintySource == 1 ? 1 : 0);
    ui_->cbAEvalType->setCurrentIndex(std::min<int>(q->AEvalType, 2));
    ui_->feAEvalVal->setText(NumberText(q->StatedValue, q->StatedValueText));
    ui_->cbAEvalVal->setChecked(q->InPercent);
    ui_->febATegProb->setText(FromCp1251(FullPrecisionText(q->CoverageProbability)));
    ui_->febAFactor->setText(FromCp1251(FullPrecisionText(q->CoverageFactor)));
    ui_->feADOF->setText(QString::number(q->DegreesOfFreedom));
    ui_->cbASUType->setCurrentIndex(q->ASUType == 1 ? 1 : 0);
    ui_->edSchemaEval->setText(FromCp1251(q->SchemaFormula));
    ui_->seADecimal->setValue(q->Decimals);
    schema_->SetQuantity(q);
    ApplyLayout();
    UpdateSchemaButtons();
}

void TTypeAEditor::ApplyLayout() {
    const TGumParam* q = Q();
    if (q == nullptr) return;
    const bool direct = q->AMethod == am_Direct;
    ui_->lblAValType->setVisible(direct);
    ui_->cbAValType->setVisible(direct);
    ui_->gbSchema->setVisible(!direct);
    const bool entered = q->AUncertaintySource == 1;
    ui_->BookTypeA->setCurrentWidget(entered ? ui_->pgAEntered : ui_->pgAExperimental);
    const bool expanded = q->AEvalType == 0;
    for (QWidget* w : {static_cast<QWidget*>(ui_->lblATegProb), static_cast<QWidget*>(ui_->febATegProb),
                       static_cast<QWidget*>(ui_->lblAFactor), static_cast<QWidget*>(ui_->febAFactor)})
        w->setVisible(expanded);
}

int TTypeAEditor::SelectedLine() const {
    const QModelIndex i = ui_->dgSchema->currentIndex();
    return i.isValid() && i.row() < schema_->LineCount() ? i.row() : -1;
}

void TTypeAEditor::UpdateSchemaButtons() {
    const int lines = schema_->LineCount();
    const int line = SelectedLine();
    const bool canDelete = lines > 0;
    ui_->btnSchemaDelete->setEnabled(canDelete);
    ui_->btnSchemaUp->setEnabled(canDelete && line > 0);
    ui_->btnSchemaDown->setEnabled(canDelete && line >= 0 && line < lines - 1);
}

void TTypeAEditor::MethodChanged(int method) {
    TGumParam* q = Q();
    if (loading_ || q == nullptr || method == q->AMethod) return;
    if (q->HasEnteredObservations() &&
        !Ask(QStringLiteral("Въведените наблюдения ще бъдат изтрити. Да продължа ли?"))) {
        QScopedValueRollback<bool> guard(loading_, true);
        ui_->cbAMethod->setCurrentIndex(q->AMethod);
        return;
    }
    Edit([method](TGumParam& p) {
        p.SetAMethod(static_cast<std::uint8_t>(method));
        // An indirect quantity without schema keeps its array as it was;
        // the user agreed that nothing of it remains.
        p.ClearObservations();
        p.RecomputeStatistics();
    });
    schema_->Refresh();
    ApplyLayout();
    UpdateSchemaButtons();
}

void TTypeAEditor::CountChanged(int n) {
    TGumParam* q = Q();
    if (loading_ || q == nullptr || n == q->ObservationCount) return;
    if (q->CountChangeDropsObservations(n) &&
        !Ask(QStringLiteral("Наблюденията след №%1 ще бъдат изтрити. Да продължа ли?").arg(n))) {
        QScopedValueRollback<bool> guard(loading_, true);
        ui_->seACountMeas->setValue(q->ObservationCount);
        return;
    }
    Edit([n](TGumParam& p) {
        p.SetObservationCount(n);
        p.RecomputeStatistics();
    });
}

void TTypeAEditor::NumberEntered(const char* field) {
    TGumParam* q = Q();
    if (loading_ || q == nullptr) return;
    const std::string f = field;
    QLineEdit* edit = f == "p" ? ui_->feAEvalVal : f == "P" ? ui_->febATegProb : f == "k" ? ui_->febAFactor : ui_->feADOF;
    const QString typed = edit->text();
    const std::optional<double> v = ParseTypedNumber(ToCp1251(typed));
    auto refuse = [&](const QString& message) {
        ShowMessageBox(message);
        Fill();
    };
    if (!v) return refuse(typed + QStringLiteral(" не коректно число"));
    if (f == "p") {
        const std::string text = ToCp1251(typed).substr(0, kMaxSchemaTextBytes);
        if (*v == q->StatedValue && text == q->StatedValueText) return;
        Edit([&](TGumParam& p) {
            p.StatedValue = *v;
            p.StatedValueText = text;
        });
    } else if (f == "P") {
        if (*v < 0.1 || *v > 100) return refuse(QStringLiteral("Вероятността на покриване е от 0,1 до 100 %."));
        if (*v != q->CoverageProbability) Edit([&](TGumParam& p) { p.CoverageProbability = *v; });
    } else if (f == "k") {
        if (*v < 0.1 || *v > 10) return refuse(QStringLiteral("Факторът на покриване е от 0,1 до 10."));
        if (*v != q->CoverageFactor) Edit([&](TGumParam& p) { p.CoverageFactor = *v; });
    } else {
        if (*v < 1 || *v > 2147483647.0 || *v != std::floor(*v))
            return refuse(QStringLiteral("Степените на свобода са цяло число от 1 до 2147483647."));
        const int nu = static_cast<int>(*v);
        if (nu != q->DegreesOfFreedom) Edit([nu](TGumParam& p) { p.SetDegreesOfFreedom(nu); });
    }
}

void TTypeAEditor::AddLine() {
    TGumParam* q = Q();
    if (q == nullptr) return;
    const int line = static_cast<int>(q->SchemaColumns.size());
    Edit([line](TGumParam& p) {
        p.InsertSchemaLine(line, {});
        p.RecomputeStatistics();
    });
    schema_->Refresh();
    ui_->dgSchema->setCurrentIndex(schema_->index(line, 1));
    UpdateSchemaButtons();
}

void TTypeAEditor::DeleteLine() {
    TGumParam* q = Q();
    const int line = SelectedLine() >= 0 ? SelectedLine() : schema_->LineCount() - 1;
    if (q == nullptr || line < 0) return;
    if (q->SchemaLineHasObservations(line) &&
        !Ask(QStringLiteral("Наблюденията по ред №%1 от схемата ще бъдат изтрити. Да продължа ли?").arg(line + 1)))
        return;
    Edit([line](TGumParam& p) {
        p.DeleteSchemaLine(line);
        p.RecomputeStatistics();
    });
    schema_->Refresh();
    ui_->dgSchema->setCurrentIndex(schema_->index(std::min(line, std::max(0, schema_->LineCount() - 1)), 1));
    UpdateSchemaButtons();
}

void TTypeAEditor::MoveLine(int step) {
    const int line = SelectedLine();
    const int other = line + step;
    if (Q() == nullptr || line < 0 || other < 0 || other >= schema_->LineCount()) return;
    Edit([line, other](TGumParam& p) {
        p.SwapSchemaLines(line, other);
        p.RecomputeStatistics();
    });
    schema_->Refresh();
    ui_->dgSchema->setCurrentIndex(schema_->index(other, 1));
    UpdateSchemaButtons();
}

void TTypeAEditor::LineTyped(int line, const QString& text) {
    TGumParam* q = Q();
    if (q == nullptr || line < 0 || line >= schema_->LineCount()) return;
    const std::string bytes = ToCp1251(text).substr(0, kMaxSchemaTextBytes);
    if (bytes == q->SchemaColumns[static_cast<std::size_t>(line)]) return;
    Edit([line, &bytes](TGumParam& p) { p.RenameSchemaLine(line, bytes); });
    schema_->Refresh();
}

}  // namespace vormid
