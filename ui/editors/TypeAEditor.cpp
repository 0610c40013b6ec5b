#include "ui/editors/TypeAEditor.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <cmath>
#include <limits>

#include "core/GumParamGrid.h"
#include "core/TextFields.h"
#include "evaluation/SchemaFormulaCheck.h"
#include "ui/ModelController.h"
#include "ui/TextCodec.h"
#include "ui/TfrmDlgBox.h"
#include "ui/editors/TypeAEditorSchema.h"
#include "ui/models/SchemaModel.h"
#include "ui/widgets/NumberEdit.h"
#include "ui_TypeAEditor.h"

namespace vormid {

namespace {

QString NumberText(double x, const std::string& typed) {
    return typed.empty() ? FromCp1251(FullPrecisionText(x)) : FromCp1251(typed);
}

constexpr double kMaxDegreesOfFreedom = 2147483647.0;

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
    connect(ui_->cbAValType, &QComboBox::currentIndexChanged, this,
            [this](int v) { Edit([v](TGumParam& q) { q.SetAValueType(static_cast<std::uint8_t>(v)); }); });
    connect(ui_->seACountMeas, &QSpinBox::valueChanged, this, &TTypeAEditor::CountChanged);
    // While the controls are filled, the controller ignores these edits.
    connect(ui_->cbAUnEval, &QComboBox::currentIndexChanged, this, [this](int v) {
        if (Edit([v](TGumParam& q) { q.AUncertaintySource = static_cast<std::uint8_t>(v); })) ApplyLayout();
    });
    connect(ui_->cbASUType, &QComboBox::currentIndexChanged, this,
            [this](int v) { Edit([v](TGumParam& q) { q.ASUType = static_cast<std::uint8_t>(v); }); });
    connect(ui_->cbAEvalType, &QComboBox::currentIndexChanged, this, [this](int v) {
        if (Edit([v](TGumParam& q) { q.AEvalType = static_cast<std::uint8_t>(v); })) ApplyLayout();
    });
    // The percent flag changes u: a change of the model like any other.
    connect(ui_->cbAEvalVal, &QCheckBox::toggled, this,
            [this](bool on) { Edit([on](TGumParam& q) { q.InPercent = on; }); });
    connect(ui_->seADecimal, &QSpinBox::valueChanged, this,
            [this](int d) { Edit([d](TGumParam& q) { q.SetDecimals(d); }); });
    // The boxes refuse what they cannot take with their own message (named
    // by the caption the user reads beside them) and bring back the number
    // stored before; the editor only stores what they take.
    // The entered evaluation is an uncertainty or a deviation: never negative.
    ui_->feAEvalVal->SetCaption(ui_->lblAEvalVal->text());
    ui_->feAEvalVal->SetRule([](double v) {
        return v < 0.0 ? QStringLiteral("стойността на оценката не може да бъде отрицателна.") : QString();
    });
    ui_->febATegProb->SetCaption(ui_->lblATegProb->text());
    ui_->febATegProb->SetRule([](double v) {
        return v < 0.1 || v > 100.0 ? QStringLiteral("вероятността на покриване е от 0,1 до 100 %.") : QString();
    });
    ui_->febAFactor->SetCaption(ui_->lblAFactor->text());
    ui_->febAFactor->SetRule([](double v) {
        return v < 0.1 || v > 10.0 ? QStringLiteral("факторът на покриване е от 0,1 до 10.") : QString();
    });
    ui_->feADOF->SetCaption(ui_->lblADOF->text());
    ui_->feADOF->SetRule([](double v) {
        return v < 1.0 || v > kMaxDegreesOfFreedom
                   ? QStringLiteral("степените на свобода са цяло число от 1 до 2147483647.")
                   : QString();
    });
    ui_->feAEvalVal->SetRange(0.0, std::numeric_limits<double>::infinity());
    ui_->febATegProb->SetRange(0.1, 100.0);
    ui_->febAFactor->SetRange(0.1, 10.0);
    ui_->feADOF->SetRange(1.0, kMaxDegreesOfFreedom);
    ui_->feADOF->SetIntegerOnly(true);
    for (auto [box, field] :
         {std::pair{ui_->feAEvalVal, TNumberField::Value}, std::pair{ui_->febATegProb, TNumberField::Probability},
          std::pair{ui_->febAFactor, TNumberField::Factor}, std::pair{ui_->feADOF, TNumberField::DegreesOfFreedom}}) {
        // Stored when the box is finished with (Return or leaving it), not
        // per keystroke: a refused text then brings back the number stored
        // before, not a half-typed one such as 15 on the way to 150.
        connect(box, &QLineEdit::editingFinished, this,
                [this, box = box, field = field] { NumberFinished(box, field); });
    }
    connect(ui_->edSchemaEval, &QLineEdit::editingFinished, this, [this] {
        if (Q() == nullptr) return;
        const std::string text = ToCp1251(ui_->edSchemaEval->text()).substr(0, kMaxSchemaTextBytes);
        if (text == Q()->SchemaFormula) return;
        Edit([&text](TGumParam& q) { q.SetSchemaFormula(text); });
        ShowSchemaState(ui_->edSchemaEval->text());
    });
    connect(ui_->edSchemaEval, &QLineEdit::textEdited, this, &TTypeAEditor::ShowSchemaState);
    connect(ui_->btnSchemaAdd, &QToolButton::clicked, this, &TTypeAEditor::AddLine);
    connect(ui_->btnSchemaDelete, &QToolButton::clicked, this, &TTypeAEditor::DeleteLine);
    connect(ui_->btnSchemaUp, &QToolButton::clicked, this, [this] { MoveLine(-1); });
    connect(ui_->btnSchemaDown, &QToolButton::clicked, this, [this] { MoveLine(1); });
    connect(schema_, &TSchemaModel::lineTyped, this, &TTypeAEditor::LineTyped);
    connect(ui_->dgSchema->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { UpdateSchemaButtons(); });
}

TTypeAEditor::~TTypeAEditor() = default;

void TTypeAEditor::Display(TGumParam& quantity) {
    if (!controller_) return;
    index_ = controller_->Model().Params.IndexOf(&quantity);
    Fill();
}

TGumParam* TTypeAEditor::Q() const { return controller_ ? controller_->Model().Params.Get(index_) : nullptr; }

bool TTypeAEditor::Edit(const std::function<void(TGumParam&)>& fn) {
    return Q() != nullptr && controller_->EditQuantity(index_, fn);
}

TTypeAEditor::TLeaveTypeA TTypeAEditor::AskLeavingTypeA(const TGumParam& q) {
    if (q.Kind != TParamKind::TypeA || !q.HasEnteredObservations()) return TLeaveTypeA::KeepReadings;
    switch (AskMessageBox(QStringLiteral("Величината има въведени наблюдения. Да бъдат ли изтрити?\n"
                                         "(„Не“ ги запазва за връщане към Тип А.)"),
                          akYesNoCancel)) {
        case TDlgAnswer::Yes:
            return TLeaveTypeA::ClearReadings;
        case TDlgAnswer::No:
            return TLeaveTypeA::KeepReadings;
        default:
            return TLeaveTypeA::StayTypeA;
    }
}

void TTypeAEditor::Fill() {
    const TGumParam* q = Q();
    if (q == nullptr) return;
    auto scope = controller_->LoadingScope();
    ui_->cbAMethod->setCurrentIndex(q->AMethod == am_Direct ? 0 : 1);
    ui_->cbAValType->setCurrentIndex(q->AValueType == av_Grouped ? 1 : 0);
    ui_->seACountMeas->setValue(q->ObservationCount);
    ui_->cbAUnEval->setCurrentIndex(q->AUncertaintySource == as_Entered ? 1 : 0);
    ui_->cbAEvalType->setCurrentIndex(std::min<int>(q->AEvalType, 2));
    ui_->feAEvalVal->SetTypedText(NumberText(q->StatedValue, q->StatedValueText));
    ui_->cbAEvalVal->setChecked(q->InPercent);
    ui_->febATegProb->SetTypedText(NumberText(q->CoverageProbability, {}));
    ui_->febAFactor->SetTypedText(NumberText(q->CoverageFactor, {}));
    ui_->feADOF->SetValue(q->DegreesOfFreedom);
    ui_->cbASUType->setCurrentIndex(q->ASUType == su_Enlarged ? 1 : 0);
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
    const bool entered = q->AUncertaintySource == as_Entered;
    ui_->BookTypeA->setCurrentWidget(entered ? ui_->pgAEntered : ui_->pgAExperimental);
    // A stacked widget is as tall as its tallest page; only the page shown
    // takes room, so the schema stays above the fold under the short one.
    for (QWidget* page : {ui_->pgAEntered, ui_->pgAExperimental}) {
        const bool shown = page == ui_->BookTypeA->currentWidget();
        page->setSizePolicy(QSizePolicy::Preferred, shown ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    }
    // The editor's layout sizes the book; resizing it to its own hint here
    // would leave it narrow when the page comes back with nothing changed.
    ui_->BookTypeA->updateGeometry();
    const bool expanded = q->AEvalType == ae_Expanded;
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui_->lblATegProb, ui_->febATegProb, ui_->lblAFactor, ui_->febAFactor})
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
    ShowSchemaState(ui_->edSchemaEval->text());
}

void TTypeAEditor::ShowSchemaState(const QString& formula) {
    const TGumParam* q = Q();
    const bool checked = q != nullptr && q->Kind == TParamKind::TypeA && q->AMethod != am_Direct;
    const TSchemaFormulaProblem problem =
        checked ? CheckSchemaFormula(ToCp1251(formula), q->SchemaColumns.size()) : TSchemaFormulaProblem{};
    // An empty schema computes nothing yet: no line to name.
    const bool shown = !problem.Message.empty() && !q->SchemaColumns.empty();
    ui_->lblSchemaState->setText(shown ? QStringLiteral("Уравнението не може да бъде изчислено, ") +
                                             QString::fromStdString(problem.Message)
                                       : QString());
    ui_->lblSchemaState->setVisible(shown);
}

void TTypeAEditor::MethodChanged(int method) {
    TGumParam* q = Q();
    if (q == nullptr || controller_->Loading() || method == q->AMethod) return;
    if (q->HasEnteredObservations() &&
        !Ask(QStringLiteral("Въведените наблюдения ще бъдат изтрити. Да продължа ли?"))) {
        const QSignalBlocker block(ui_->cbAMethod);
        ui_->cbAMethod->setCurrentIndex(q->AMethod);
        return;
    }
    Edit([method](TGumParam& p) {
        p.SetAMethod(static_cast<std::uint8_t>(method));
        // An indirect quantity without schema keeps its array as it was;
        // the user agreed that nothing of it remains.
        p.ClearObservations();
    });
    schema_->Refresh();
    ApplyLayout();
    UpdateSchemaButtons();
}

void TTypeAEditor::CountChanged(int n) {
    TGumParam* q = Q();
    if (q == nullptr || controller_->Loading() || n == q->ObservationCount) return;
    if (q->CountChangeDropsObservations(n) &&
        !Ask(QStringLiteral("Наблюденията след №%1 ще бъдат изтрити. Да продължа ли?").arg(n))) {
        const QSignalBlocker block(ui_->seACountMeas);
        ui_->seACountMeas->setValue(q->ObservationCount);
        return;
    }
    Edit([n](TGumParam& p) { p.SetObservationCount(n); });
}

void TTypeAEditor::StoreNumber(TNumberField field, double v) {
    const TGumParam* q = Q();
    if (q == nullptr) return;
    switch (field) {
        case TNumberField::Value: {
            // Leaving the box untouched stores nothing, not even its text.
            if (ui_->feAEvalVal->text() == NumberText(q->StatedValue, q->StatedValueText)) break;
            const std::string text = ToCp1251(ui_->feAEvalVal->text().trimmed()).substr(0, kText101.Text);
            if (v != q->StatedValue || text != q->StatedValueText)
                Edit([&](TGumParam& p) {
                    p.StatedValue = v;
                    p.StatedValueText = text;
                });
            break;
        }
        case TNumberField::Probability:
            if (v != q->CoverageProbability) Edit([v](TGumParam& p) { p.CoverageProbability = v; });
            break;
        case TNumberField::Factor:
            if (v != q->CoverageFactor) Edit([v](TGumParam& p) { p.CoverageFactor = v; });
            break;
        case TNumberField::DegreesOfFreedom: {
            const int nu = static_cast<int>(v);
            if (nu != q->DegreesOfFreedom) Edit([nu](TGumParam& p) { p.SetDegreesOfFreedom(nu); });
            break;
        }
    }
}

void TTypeAEditor::NumberFinished(const TNumberEdit* box, TNumberField field) {
    if (Q() == nullptr || controller_->Loading()) return;
    if (const std::optional<double> v = box->Value()) return StoreNumber(field, *v);
    // An emptied box means no change: the stored number comes back. A text
    // the box refused has been answered by the box already.
    Fill();
}

void TTypeAEditor::AddLine() {
    TGumParam* q = Q();
    if (q == nullptr) return;
    const int line = static_cast<int>(q->SchemaColumns.size());
    Edit([line](TGumParam& p) { p.InsertSchemaLine(line, {}); });
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
    Edit([line](TGumParam& p) { p.DeleteSchemaLine(line); });
    schema_->Refresh();
    ui_->dgSchema->setCurrentIndex(schema_->index(std::min(line, std::max(0, schema_->LineCount() - 1)), 1));
    UpdateSchemaButtons();
}

void TTypeAEditor::MoveLine(int step) {
    const int line = SelectedLine();
    const int other = line + step;
    if (Q() == nullptr || line < 0 || other < 0 || other >= schema_->LineCount()) return;
    Edit([line, other](TGumParam& p) { p.SwapSchemaLines(line, other); });
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
