#include "ui/ModelSteps.h"

#include <algorithm>
#include <unordered_map>

#include "evaluation/EquationText.h"
#include "ui/ModelController.h"

namespace vormid {

TModelStep::TModelStep(TModelController& controller, TStepKind kind, const QString& text, TStepPlace place)
    : QUndoCommand(text), place_(place), controller_(controller), kind_(kind) {}

TGumModel& TModelStep::Model() const { return controller_.Model(); }

void TModelStep::undo() {
    Apply(false);
    controller_.ShowStep(kind_, place_, false);
}

void TModelStep::redo() {
    if (std::exchange(done_, false)) return;
    Apply(true);
    controller_.ShowStep(kind_, place_, true);
}

bool TModelStep::mergeWith(const QUndoCommand* other) {
    const auto* later = dynamic_cast<const TModelStep*>(other);
    if (later == nullptr || sealed_ || later->kind_ != kind_ || box_.isNull() || later->box_ != box_ ||
        later->place_.Quantity != place_.Quantity)
        return false;
    return Absorb(*later);
}

TQuantityStep::TQuantityStep(TModelController& controller, const QString& text, TStepPlace place, TQuantityPatch patch)
    : TModelStep(controller, TStepKind::Quantity, text, place), patch_(std::move(patch)) {}

void TQuantityStep::Apply(bool forward) {
    if (TGumParam* q = Model().Params.Get(place_.Quantity)) patch_.Apply(*q, forward);
}

void TQuantityStep::Amend(TGumParam& q, const std::function<void(TGumParam&)>& fn) {
    patch_.Apply(q, false);
    TQuantityCapture before(q);
    patch_.Apply(q, true);
    fn(q);
    patch_ = TQuantityPatch(std::move(before), q);
}

bool TQuantityStep::Absorb(const TModelStep& later) {
    const auto* same = dynamic_cast<const TQuantityStep*>(&later);
    return same != nullptr && patch_.Absorb(same->patch_);
}

TAnalysisStep::TAnalysisStep(TModelController& controller, const QString& text, TStepPlace place,
                             TDeletedQuantities& deleted)
    : TModelStep(controller, TStepKind::List, text, place), deleted_(deleted) {}

TAnalysisOutcome TAnalysisStep::Run() {
    TGumParams& params = Model().Params;
    std::vector<std::pair<TGumParam*, std::string>> order;
    std::vector<TGumParam> heads;
    order.reserve(static_cast<std::size_t>(params.Count()));
    heads.reserve(static_cast<std::size_t>(params.Count()));
    for (const auto& p : params) {
        order.emplace_back(p.get(), p->Name);
        heads.push_back(TQuantityPatch::HeadOf(*p));
    }
    const std::vector<const TGumParam*> remembered = deleted_.Items();

    TAnalysisOutcome outcome = AnalyseModel(EquationText(Model().Equation), params, deleted_);
    if (!outcome.Ok) return outcome;

    order_ = std::move(order);
    heads_.clear();
    recalled_.clear();
    for (std::size_t i = 0; i < order_.size(); ++i) {
        TGumParam* q = order_[i].first;
        if (params.IndexOf(q) < 0) continue;  // left the list: the memory keeps it as it was
        if (!(TQuantityPatch::HeadOf(*q) == heads[i])) heads_.emplace_back(q, std::move(heads[i]));
    }
    for (const TGumParam* q : remembered)
        if (params.IndexOf(q) >= 0) recalled_.insert(q);
    return outcome;
}

void TAnalysisStep::Apply(bool forward) {
    if (forward) {
        Run();
        return;
    }
    TGumParams& params = Model().Params;
    std::unordered_map<const TGumParam*, std::unique_ptr<TGumParam>> pool;
    while (params.Count() > 0) {
        std::unique_ptr<TGumParam> p = params.Take(params.Count() - 1);
        const TGumParam* key = p.get();
        if (std::any_of(order_.begin(), order_.end(), [key](const auto& o) { return o.first == key; }))
            pool.emplace(key, std::move(p));
        else if (recalled_.count(key))
            deleted_.Remember(std::move(p));
        // Otherwise the run made it; the next redo makes it again.
    }
    for (const auto& [q, name] : order_) {
        if (pool.count(q)) continue;
        // The run put it into the memory under its name.
        std::unique_ptr<TGumParam> back = deleted_.Recall(name);
        if (back.get() == q)
            pool.emplace(q, std::move(back));
        else if (back)
            deleted_.Remember(std::move(back));
    }
    for (const auto& o : order_) {
        auto it = pool.find(o.first);
        if (it != pool.end()) params.Append(std::move(it->second));
    }
    for (auto& [q, head] : heads_) TQuantityPatch::SetHead(*q, head);
}

std::size_t TAnalysisStep::HeldBytes() const {
    return order_.capacity() * sizeof(order_.front()) + heads_.capacity() * sizeof(heads_.front()) +
           recalled_.size() * 3 * sizeof(void*);
}

}  // namespace vormid
