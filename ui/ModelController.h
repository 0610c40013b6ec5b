#pragma once
// The one writer of the model. Pages read the model freely but change it only
// through this controller, which makes every change one step of its undo
// stack, keeps the document's modified state as the stack's clean state and
// tells every page what changed with exactly one signal per edit. Pages never
// talk to one another and never call the document.
//
// While the window fills its controls from the model it holds a loading
// scope; every edit that arrives then is ignored, so programmatic changes of
// the controls never count as edits.
#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>
#include <string>

#include "core/GumModel.h"
#include "evaluation/ModelAnalysis.h"
#include "ui/ModelSteps.h"

namespace vormid {

class IModelStore;
class TDocument;

class TModelController : public QObject {
    Q_OBJECT
public:
    // The store supplies the model (a store without one gets an empty model
    // of the controller's own); the document is told of every edit.
    TModelController(IModelStore& store, TDocument& document, QObject* parent = nullptr);

    TGumModel& Model() { return *model_; }
    const TGumModel& Model() const { return *model_; }
    IModelStore& Store() { return store_; }

    // The loading guard: while one of these lives, edits are ignored.
    class TLoadingScope {
    public:
        explicit TLoadingScope(TModelController& c) : c_(c) { ++c_.loading_; }
        ~TLoadingScope() { --c_.loading_; }
        TLoadingScope(const TLoadingScope&) = delete;
        TLoadingScope& operator=(const TLoadingScope&) = delete;

    private:
        TModelController& c_;
    };
    [[nodiscard]] TLoadingScope LoadingScope() { return TLoadingScope(*this); }
    bool Loading() const { return loading_ > 0; }

    // The quantity the pages show (-1 for none).
    int Selected() const { return selected_; }
    TGumParam* SelectedQuantity() const { return model_->Params.Get(selected_); }
    // Selects the quantity at index (-1 or a bad index: none); emits
    // selectionChanged when the selection moves, and always when force.
    void Select(int index, bool force = false);

    // Applies fn to the quantity at index as one undo step ("промяна на
    // „name“"; nothing when fn changed nothing) and emits
    // quantityChanged(index). Ignored while loading or for a bad index;
    // returns whether fn ran.
    bool EditQuantity(int index, const std::function<void(TGumParam&)>& fn);
    // The same for the selected quantity.
    bool EditSelected(const std::function<void(TGumParam&)>& fn) { return EditQuantity(selected_, fn); }

    // A correction that keeps a quantity consistent with what its page
    // shows (a distribution its evaluation kind forces). It runs also while
    // loading, is no edit of the user and tells nobody; made right after an
    // edit of the same quantity, it becomes part of that edit's step.
    void AdjustQuantity(int index, const std::function<void(TGumParam&)>& fn);

    // Undo and redo of every change above. Steps made while the same box
    // keeps the focus are one step; at most kUndoLimit steps are kept.
    static constexpr int kUndoLimit = 1000;
    QUndoStack& UndoStack() { return undo_; }
    // The window's page on which a change is made, stored with its step so
    // that undo shows the change where it was made (see stepShown).
    void SetPageSource(std::function<int()> page) { page_ = std::move(page); }

    // "Анализ на модела" over the model's equation. A refusal is returned
    // (nothing changed); after a run the first quantity is selected and
    // quantitiesReset is emitted. Ignored while loading (Ok, nothing done).
    TAnalysisOutcome AnalyseEquation();
    // The equation changed since the last analysis.
    bool EquationChanged() const { return equationChanged_; }

    // Header texts. The rich texts are the editors' RTF bytes.
    void SetModelName(const QString& name);
    void SetEvalMethod(int method);
    void SetDescription(const std::string& rtf);
    void SetEquation(const std::string& rtf);
    // Stores the settings and marks the model modified when they differ;
    // emits formatsChanged in any case, so every number is drawn again.
    void SetFormatSettings(const TNumberFormatSettings& settings);
    // Applies fn to the correlation list; emits correlationsChanged.
    bool EditCorrelations(const std::function<void(TCorrelation&)>& fn);

    // Bytes the undo steps hold (for the memory figures).
    std::size_t UndoBytes() const;

    // Runs the budget calculation into the model's budgets. Returns whether
    // every budget was calculated. Does not mark the model modified (the
    // budgets are never saved).
    bool Recalculate();
    // Whether some quantity of the model is of this kind (results for the
    // budget's commands, Type A series for the statistics).
    bool HasQuantityOf(TParamKind kind) const;

    // The document loaded, reset or reloaded the model: forgets the deleted
    // quantities and the undo steps, selects the first quantity and emits
    // modelReplaced.
    void ModelReplaced();

signals:
    void quantityChanged(int index);
    void quantitiesReset();
    void correlationsChanged();
    void formatsChanged();
    void modelReplaced();
    void headerChanged();
    void selectionChanged(int index);
    // A step was undone or redone: after the signal of what it changed, the
    // window shows page (as SetPageSource gave it) and the quantity.
    void stepShown(int page, int quantity);
    // A message for the status line.
    void notice(const QString& text);

private:
    friend class TModelStep;
    // Pushes a step whose change is already made.
    void Push(std::unique_ptr<TModelStep> step);
    TStepPlace Place(int quantity) const;
    // Tells the pages of a step that was undone or redone.
    void ShowStep(TStepKind kind, const TStepPlace& place, bool forward);
    // Pushes the change of one value from before to what get gives now; set
    // writes a value back on undo and redo.
    template <typename T>
    void PushValue(TStepKind kind, const QString& text, T before, const std::function<T()>& get,
                   std::function<void(const T&)> set);
    // The same for a member of the model.
    template <typename T>
    void PushMember(TStepKind kind, const QString& text, T before, T& member);

    IModelStore& store_;
    TDocument& document_;
    TGumModel own_;  // only for stores without a model
    TGumModel* model_ = nullptr;
    // Quantities the analysis took out of the list, kept until the model is
    // closed, replaced or reloaded.
    TDeletedQuantities deleted_;
    int loading_ = 0;
    int selected_ = -1;
    bool equationChanged_ = false;
    QUndoStack undo_;
    std::function<int()> page_;
    // The last step pushed, while a correction may still join it.
    TQuantityStep* fresh_ = nullptr;
    bool replacing_ = false;
};

}  // namespace vormid
