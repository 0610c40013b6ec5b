#include "ui/ModelController.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>

#include "evaluation/BudgetCalculation.h"
#include "ui/Document.h"
#include "ui/ModelStore.h"
#include "ui/TextCodec.h"

namespace vormid {

namespace {

TModelStep* StepAt(const QUndoStack& stack, int index) {
    return static_cast<TModelStep*>(const_cast<QUndoCommand*>(stack.command(index)));
}

}  // namespace

TModelController::TModelController(IModelStore& store, TDocument& document, QObject* parent)
    : QObject(parent), store_(store), document_(document) {
    model_ = store_.GumModel();
    if (model_ == nullptr) model_ = &own_;
    undo_.setUndoLimit(kUndoLimit);
    // The model is unmodified exactly when the stack is where it was saved.
    auto follow = [this] {
        if (!replacing_) document_.MarkModified(!undo_.isClean());
    };
    connect(&undo_, &QUndoStack::cleanChanged, this, follow);
    connect(&undo_, &QUndoStack::indexChanged, this, follow);
    // Only the step just pushed takes corrections (Push sets it again).
    connect(&undo_, &QUndoStack::indexChanged, this, [this] { fresh_ = nullptr; });
    connect(&document_, &TDocument::saved, this, [this] { undo_.setClean(); });
    // Typing into another box starts a new step.
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        connect(app, &QApplication::focusChanged, this, [this] {
            if (undo_.index() > 0) StepAt(undo_, undo_.index() - 1)->Seal();
        });
}

TStepPlace TModelController::Place(int quantity) const { return {page_ ? page_() : -1, quantity}; }

void TModelController::Push(std::unique_ptr<TModelStep> step) {
    step->SetBox(QApplication::focusWidget());
    undo_.push(step.release());
    fresh_ = dynamic_cast<TQuantityStep*>(StepAt(undo_, undo_.count() - 1));
}

template <typename T>
void TModelController::PushValue(TStepKind kind, const QString& text, T before, const std::function<T()>& get,
                                 std::function<void(const T&)> set) {
    T after = get();
    if (after == before) return;
    // The step's text tells the fields apart.
    const int field = static_cast<int>(qHash(text));
    Push(std::make_unique<TValueStep<T>>(*this, kind, text, Place(-1), field, std::move(set), std::move(before),
                                         std::move(after)));
}

template <typename T>
void TModelController::PushMember(TStepKind kind, const QString& text, T before, T& member) {
    T* m = &member;
    PushValue<T>(
        kind, text, std::move(before), [m] { return *m; }, [m](const T& v) { *m = v; });
}

void TModelController::Select(int index, bool force) {
    if (model_->Params.Get(index) == nullptr) index = -1;
    if (index == selected_ && !force) return;
    selected_ = index;
    fresh_ = nullptr;
    emit selectionChanged(index);
}

bool TModelController::EditQuantity(int index, const std::function<void(TGumParam&)>& fn) {
    if (Loading()) return false;
    TGumParam* p = model_->Params.Get(index);
    if (p == nullptr) return false;
    TQuantityCapture before(*p);
    fn(*p);
    TQuantityPatch patch(std::move(before), *p);
    if (!patch.Empty()) {
        const QString text = QStringLiteral("промяна на „") + FromCp1251(p->Name) + QStringLiteral("“");
        Push(std::make_unique<TQuantityStep>(*this, text, Place(index), std::move(patch)));
    }
    emit quantityChanged(index);
    return true;
}

void TModelController::AdjustQuantity(int index, const std::function<void(TGumParam&)>& fn) {
    TGumParam* p = model_->Params.Get(index);
    if (p == nullptr) return;
    const bool onTop =
        undo_.index() > 0 && undo_.index() == undo_.count() && StepAt(undo_, undo_.index() - 1) == fresh_;
    if (fresh_ != nullptr && onTop && fresh_->Quantity() == index)
        fresh_->Amend(*p, fn);
    else
        fn(*p);
}

TAnalysisOutcome TModelController::AnalyseEquation() {
    if (Loading()) return {};
    auto step = std::make_unique<TAnalysisStep>(*this, QStringLiteral("анализ на модела"), Place(-1), deleted_);
    TAnalysisOutcome outcome = step->Run();
    if (!outcome.Ok) return outcome;
    equationChanged_ = false;
    if (outcome.Changed || outcome.Deleted > 0 || outcome.Restored > 0) Push(std::move(step));
    selected_ = model_->Params.Count() > 0 ? 0 : -1;
    emit quantitiesReset();
    emit selectionChanged(selected_);
    // The page buttons follow the number of quantities.
    document_.Refresh();
    if (!outcome.RemovedWithData.empty()) {
        QString names;
        for (const std::string& name : outcome.RemovedWithData)
            names += (names.isEmpty() ? QString() : QStringLiteral(", ")) + QStringLiteral("„") + FromCp1251(name) +
                     QStringLiteral("“");
        emit notice(QStringLiteral("Анализът премахна ") + names +
                    QStringLiteral(" заедно с данните им; Ctrl+Z ги връща."));
    }
    return outcome;
}

void TModelController::SetModelName(const QString& name) {
    if (Loading()) return;
    QString before = store_.ModelName();
    store_.SetModelName(name);
    PushValue<QString>(
        TStepKind::Header, QStringLiteral("промяна на името на модела"), std::move(before),
        [this] { return store_.ModelName(); }, [this](const QString& n) { store_.SetModelName(n); });
    emit headerChanged();
}

void TModelController::SetEvalMethod(int method) {
    if (Loading()) return;
    const int before = store_.EvalMethod();
    store_.SetEvalMethod(method);
    PushValue<int>(
        TStepKind::Header, QStringLiteral("промяна на метода на оценяване"), before,
        [this] { return store_.EvalMethod(); }, [this](const int& m) { store_.SetEvalMethod(m); });
    emit headerChanged();
}

void TModelController::SetDescription(const std::string& rtf) {
    if (Loading()) return;
    std::string before = std::exchange(model_->Description, rtf);
    PushMember(TStepKind::Header, QStringLiteral("промяна на описанието"), std::move(before), model_->Description);
    emit headerChanged();
}

void TModelController::SetEquation(const std::string& rtf) {
    if (Loading()) return;
    std::string before = std::exchange(model_->Equation, rtf);
    equationChanged_ = true;
    PushMember(TStepKind::Equation, QStringLiteral("промяна на уравнението"), std::move(before), model_->Equation);
    emit headerChanged();
}

void TModelController::SetFormatSettings(const TNumberFormatSettings& settings) {
    if (Loading()) return;
    TNumberFormatSettings before = std::exchange(model_->FormatSettings, settings);
    PushMember(TStepKind::Formats, QStringLiteral("промяна на форматите на числата"), std::move(before),
               model_->FormatSettings);
    // Every display of numbers repaints, also after OK with nothing changed.
    emit formatsChanged();
}

bool TModelController::EditCorrelations(const std::function<void(TCorrelation&)>& fn) {
    if (Loading()) return false;
    TCorrelation before = model_->Correlations;
    fn(model_->Correlations);
    PushMember(TStepKind::Correlations, QStringLiteral("промяна на корелациите"), std::move(before),
               model_->Correlations);
    emit correlationsChanged();
    document_.Refresh();
    return true;
}

void TModelController::ShowStep(TStepKind kind, const TStepPlace& place, bool forward) {
    fresh_ = nullptr;
    switch (kind) {
        case TStepKind::Quantity:
            emit quantityChanged(place.Quantity);
            break;
        case TStepKind::Equation:
            equationChanged_ = true;
            [[fallthrough]];
        case TStepKind::Header:
            emit headerChanged();
            break;
        case TStepKind::Correlations:
            emit correlationsChanged();
            document_.Refresh();
            break;
        case TStepKind::Formats:
            emit formatsChanged();
            break;
        case TStepKind::List:
            // Undone, the list no longer follows the equation.
            equationChanged_ = !forward;
            emit quantitiesReset();
            document_.Refresh();
            break;
    }
    const int count = model_->Params.Count();
    const int show = place.Quantity >= 0 && place.Quantity < count ? place.Quantity : (count > 0 ? 0 : -1);
    Select(show, true);
    emit stepShown(place.Page, show);
}

std::size_t TModelController::UndoBytes() const {
    std::size_t n = 0;
    for (int i = 0; i < undo_.count(); ++i) {
        const auto* step = static_cast<const TModelStep*>(undo_.command(i));
        n += sizeof(TQuantityStep) + static_cast<std::size_t>(step->text().capacity()) * 2 + step->HeldBytes();
    }
    return n;
}

bool TModelController::Recalculate() {
    CalculateBudgets(*model_);
    return std::all_of(model_->Budgets.begin(), model_->Budgets.end(),
                       [](const auto& b) { return !b || b->ErrorCode == NoError; });
}

bool TModelController::HasQuantityOf(TParamKind kind) const {
    return std::any_of(model_->Params.begin(), model_->Params.end(), [kind](const auto& q) { return q->Kind == kind; });
}

void TModelController::ModelReplaced() {
    deleted_.Clear();
    equationChanged_ = false;
    replacing_ = true;
    undo_.clear();
    fresh_ = nullptr;
    // A sample opens as a changed model: no undo makes it unchanged.
    if (document_.Modified()) undo_.resetClean();
    replacing_ = false;
    selected_ = model_->Params.Count() > 0 ? 0 : -1;
    emit modelReplaced();
    emit selectionChanged(selected_);
}

}  // namespace vormid
