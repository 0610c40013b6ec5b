#include "ui/ModelController.h"

#include "evaluation/BudgetCalculation.h"
#include "evaluation/EquationText.h"
#include "ui/Document.h"
#include "ui/ModelStore.h"

namespace vormid {

TModelController::TModelController(IModelStore& store, TDocument& document, QObject* parent)
    : QObject(parent), store_(store), document_(document) {
    model_ = store_.GumModel();
    if (model_ == nullptr) model_ = &own_;
}

void TModelController::Modified() { document_.MarkModified(true); }

void TModelController::Select(int index, bool force) {
    if (model_->Params.Get(index) == nullptr) index = -1;
    if (index == selected_ && !force) return;
    selected_ = index;
    emit selectionChanged(index);
}

bool TModelController::EditQuantity(int index, const std::function<void(TGumParam&)>& fn, TMark mark) {
    if (Loading()) return false;
    TGumParam* p = model_->Params.Get(index);
    if (p == nullptr) return false;
    fn(*p);
    if (mark == TMark::Modified) Modified();
    emit quantityChanged(index);
    return true;
}

void TModelController::AdjustQuantity(int index, const std::function<void(TGumParam&)>& fn) {
    if (TGumParam* p = model_->Params.Get(index)) fn(*p);
}

TAnalysisOutcome TModelController::AnalyseEquation() {
    if (Loading()) return {};
    TAnalysisOutcome outcome = AnalyseModel(EquationText(model_->Equation), model_->Params, deleted_);
    if (!outcome.Ok) return outcome;
    equationChanged_ = false;
    if (outcome.Changed) Modified();
    selected_ = model_->Params.Count() > 0 ? 0 : -1;
    emit quantitiesReset();
    emit selectionChanged(selected_);
    // The page buttons follow the number of quantities.
    document_.Refresh();
    return outcome;
}

void TModelController::SetModelName(const QString& name) {
    if (Loading()) return;
    store_.SetModelName(name);
    Modified();
    emit headerChanged();
}

void TModelController::SetEvalMethod(int method) {
    if (Loading()) return;
    store_.SetEvalMethod(method);
    Modified();
    emit headerChanged();
}

void TModelController::SetDescription(const std::string& rtf) {
    if (Loading()) return;
    model_->Description = rtf;
    Modified();
    emit headerChanged();
}

void TModelController::SetEquation(const std::string& rtf) {
    if (Loading()) return;
    model_->Equation = rtf;
    equationChanged_ = true;
    Modified();
    emit headerChanged();
}

void TModelController::SetFormatSettings(const TNumberFormatSettings& settings) {
    if (Loading()) return;
    if (settings != model_->FormatSettings) {
        model_->FormatSettings = settings;
        Modified();
    }
    // Every display of numbers repaints, also after OK with nothing changed.
    emit formatsChanged();
}

bool TModelController::EditCorrelations(const std::function<void(TCorrelation&)>& fn) {
    if (Loading()) return false;
    fn(model_->Correlations);
    Modified();
    emit correlationsChanged();
    document_.Refresh();
    return true;
}

bool TModelController::Recalculate() {
    CalculateBudgets(*model_);
    bool ok = true;
    for (const auto& b : model_->Budgets)
        if (b && b->ErrorCode != NoError) ok = false;
    emit budgetsChanged();
    return ok;
}

bool TModelController::HasQuantityOf(TParamKind kind) const {
    for (const auto& q : model_->Params)
        if (q->Kind == kind) return true;
    return false;
}

void TModelController::ModelReplaced() {
    deleted_.Clear();
    equationChanged_ = false;
    selected_ = model_->Params.Count() > 0 ? 0 : -1;
    emit modelReplaced();
    emit selectionChanged(selected_);
}

}  // namespace vormid
