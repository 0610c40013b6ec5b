#pragma once
// The undo steps of the model controller, one class per kind of change. A
// step is made after its change was applied (the controller applies it,
// then pushes the step), so its first redo does nothing; later undos and
// redos apply what the step stored and let the controller tell the pages.
//
// A step stores what changed, never the model: a quantity's patch, the
// before and after of one header text, of the correlation list or of the
// number formats, or for "Анализ на модела" the order of the list and the
// fields of the quantities it re-kinded.
#include <QPointer>
#include <QUndoCommand>
#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

#include "core/GumModel.h"
#include "core/QuantityPatch.h"
#include "evaluation/ModelAnalysis.h"

namespace vormid {

class TModelController;

// Where the user made a change: the window's page (an opaque number the
// window gives and reads) and the quantity (-1 for none).
struct TStepPlace {
    int Page = -1;
    int Quantity = -1;
};

// What a step touched, for the signals that follow its undo or redo.
enum class TStepKind { Quantity, Header, Equation, Correlations, Formats, List };

class TModelStep : public QUndoCommand {
public:
    TModelStep(TModelController& controller, TStepKind kind, const QString& text, TStepPlace place);

    void undo() final;
    void redo() final;
    int id() const final { return static_cast<int>(kind_); }
    bool mergeWith(const QUndoCommand* other) final;

    TStepKind Kind() const { return kind_; }
    // Consecutive steps typed into one box (the widget with the focus when
    // the step was made) become one; Seal ends that.
    void SetBox(QObject* box) { box_ = box; }
    void Seal() { sealed_ = true; }
    // Bytes the step holds beside itself (for the memory figures).
    virtual std::size_t HeldBytes() const { return 0; }

protected:
    virtual void Apply(bool forward) = 0;
    // Whether later, a step of the same kind and box, can be folded into this
    // one; folds it when so.
    virtual bool Absorb(const TModelStep& later) = 0;
    TGumModel& Model() const;
    TModelController& Controller() const { return controller_; }
    TStepPlace place_;

private:
    TModelController& controller_;
    TStepKind kind_;
    QPointer<QObject> box_;
    bool done_ = true;  // pushed after its change was made
    bool sealed_ = false;
};

// An edit of one quantity's fields or readings.
class TQuantityStep final : public TModelStep {
public:
    TQuantityStep(TModelController& controller, const QString& text, TStepPlace place, TQuantityPatch patch);
    std::size_t HeldBytes() const override { return patch_.HeldBytes(); }
    // Applies a correction the window makes right after the edit to q (the
    // step's quantity as it is now) and makes it part of the step.
    void Amend(TGumParam& q, const std::function<void(TGumParam&)>& fn);
    int Quantity() const { return place_.Quantity; }

private:
    void Apply(bool forward) override;
    bool Absorb(const TModelStep& later) override;
    TQuantityPatch patch_;
};

// The before and after of one value of the model (a header text, the
// correlation list, the number formats), written back through set. Steps of
// the same field may fold into one.
template <typename T>
class TValueStep final : public TModelStep {
public:
    using TSet = std::function<void(const T&)>;
    TValueStep(TModelController& controller, TStepKind kind, const QString& text, TStepPlace place, int field, TSet set,
               T before, T after)
        : TModelStep(controller, kind, text, place),
          field_(field),
          set_(std::move(set)),
          before_(std::move(before)),
          after_(std::move(after)) {}

private:
    void Apply(bool forward) override { set_(forward ? after_ : before_); }
    bool Absorb(const TModelStep& later) override {
        const auto* same = dynamic_cast<const TValueStep*>(&later);
        if (same == nullptr || same->field_ != field_) return false;
        after_ = same->after_;
        return true;
    }
    int field_;
    TSet set_;
    T before_;
    T after_;
};

// "Анализ на модела": redone by running the analysis again (on the same
// list and equation it gives the same list); undone by putting every
// quantity back where it was, with the kinds it had, and handing the ones
// it brought back from the deleted memory back there.
class TAnalysisStep final : public TModelStep {
public:
    TAnalysisStep(TModelController& controller, const QString& text, TStepPlace place, TDeletedQuantities& deleted);
    // Runs the analysis and records how to take it back.
    TAnalysisOutcome Run();
    std::size_t HeldBytes() const override;

private:
    void Apply(bool forward) override;
    bool Absorb(const TModelStep&) override { return false; }

    TDeletedQuantities& deleted_;
    // The list before the analysis, with the names under which the memory
    // keeps the quantities the analysis took out.
    std::vector<std::pair<TGumParam*, std::string>> order_;
    std::vector<std::pair<TGumParam*, TGumParam>> heads_;  // fields it changed
    std::unordered_set<const TGumParam*> recalled_;        // brought back from the memory
};

}  // namespace vormid
