// Evaluation of a compiled formula: the full pass (with the caller's lookup
// or with bound slot values) and the incremental pass that recomputes only
// the nodes above one changed slot. All three share ApplyNode, so their
// results agree bit for bit.
#include <algorithm>
#include <stdexcept>

#include "core/Formula.h"
#include "core/FormulaProgram.h"

namespace vormid {

using formula_detail::ApplyNode;
using formula_detail::kNoNode;
using formula_detail::TFlatNode;
using formula_detail::TFormulProgram;

thread_local int EvalError = NoError;

namespace {

// The program's texts are Windows-1251, so are these messages.
// "Изразът не е компилиран." / "Няма изчислена стойност на израза."
const char* const kNotCompiled =
    "\xC8\xE7\xF0\xE0\xE7\xFA\xF2 \xED\xE5 \xE5 \xEA\xEE\xEC\xEF\xE8\xEB\xE8\xF0\xE0\xED.";
const char* const kNoCache =
    "\xCD\xFF\xEC\xE0 \xE8\xE7\xF7\xE8\xF1\xEB\xE5\xED\xE0 \xF1\xF2\xEE\xE9\xED\xEE\xF1\xF2 "
    "\xED\xE0 \xE8\xE7\xF0\xE0\xE7\xE0.";

// Evaluates every node in order; leafValue(node) gives a name leaf's value
// before negation. Fills the cache and returns the root's value.
template <class LeafValue>
double FullPass(TFormulProgram& p, LeafValue&& leafValue) {
    p.CacheValid = false;
    p.ErrorNodes.clear();
    int last = NoError;
    const auto get = [&p](std::uint32_t index) { return p.Value[index]; };
    const std::uint32_t n = static_cast<std::uint32_t>(p.Nodes.size());
    for (std::uint32_t i = 0; i < n; ++i) {
        const TFlatNode& node = p.Nodes[i];
        std::uint8_t err = 0;
        long double v;
        if (node.Op == op_Name) {
            v = static_cast<long double>(leafValue(node));
            if (node.Negate) v = -v;
        } else if (node.Op == op_Number) {
            v = node.Negate ? -node.Number : node.Number;
            err = node.LeafError;
        } else {
            v = ApplyNode(node, p.Kids.data() + node.FirstChild, get, err);
        }
        p.Value[i] = v;
        p.Error[i] = err;
        if (err != 0) {
            last = err;
            p.ErrorNodes.push_back(i);
        }
    }
    p.CacheValid = true;
    EvalError = last;
    return static_cast<double>(p.Value[n - 1]);
}

}  // namespace

const std::vector<std::string>& TFormul::SlotNames() const {
    static const std::vector<std::string> kNone;
    return Program_ ? Program_->Names : kNone;
}

int TFormul::FindSlot(std::string_view name) const {
    if (!Program_) return -1;
    const auto& names = Program_->Names;
    const auto it = std::find(names.begin(), names.end(), name);
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

double TFormul::Evaluate(TLookupFunc lookup, void* context) {
    EvalError = NoError;
    if (!Program_) throw std::logic_error(kNotCompiled);
    TFormulProgram& p = *Program_;
    return FullPass(p, [&](const TFlatNode& node) { return lookup(context, p.Names[node.Slot]); });
}

double TFormul::EvaluateBound(std::span<const double> slotValues) {
    EvalError = NoError;
    if (!Program_) throw std::logic_error(kNotCompiled);
    TFormulProgram& p = *Program_;
    if (slotValues.size() != p.Names.size())
        throw std::invalid_argument("EvaluateBound: one value per slot expected");
    return FullPass(p, [&](const TFlatNode& node) { return slotValues[node.Slot]; });
}

double TFormul::EvaluateWithSlot(std::size_t slot, double value) {
    if (!Program_) throw std::logic_error(kNotCompiled);
    TFormulProgram& p = *Program_;
    if (!p.CacheValid) throw std::logic_error(kNoCache);
    if (slot >= p.Slots.size()) throw std::out_of_range("EvaluateWithSlot: no such slot");
    const formula_detail::TSlotInfo& info = p.Slots[slot];
    const long double x = value;
    if (++p.Generation == 0) {
        std::fill(p.Stamp.begin(), p.Stamp.end(), 0u);
        p.Generation = 1;
    }
    const std::uint32_t gen = p.Generation;
    const std::uint32_t join = info.Join;
    std::uint32_t lastIndex = kNoNode;  // last recomputed node with an error
    int lastError = NoError;

    // The nodes up to the join: every ancestor of the slot's leaves below
    // it, stamped, in evaluation order (ascending index).
    long double v;
    if (p.Nodes[join].Op == op_Name) {
        v = p.Nodes[join].Negate ? -x : x;
    } else {
        p.Work.clear();
        for (const std::uint32_t leaf : info.Leaves) {
            p.Scratch[leaf] = p.Nodes[leaf].Negate ? -x : x;
            p.Stamp[leaf] = gen;
            for (std::uint32_t a = p.Nodes[leaf].Parent; p.Stamp[a] != gen; a = p.Nodes[a].Parent) {
                p.Stamp[a] = gen;
                p.Work.push_back(a);
                if (a == join) break;
            }
        }
        if (!std::is_sorted(p.Work.begin(), p.Work.end())) std::sort(p.Work.begin(), p.Work.end());
        const auto get = [&p, gen](std::uint32_t index) {
            return p.Stamp[index] == gen ? p.Scratch[index] : p.Value[index];
        };
        for (const std::uint32_t a : p.Work) {
            std::uint8_t err = 0;
            p.Scratch[a] = ApplyNode(p.Nodes[a], p.Kids.data() + p.Nodes[a].FirstChild, get, err);
            if (err != 0) {
                lastIndex = a;
                lastError = err;
            }
        }
        v = p.Scratch[join];
    }

    // Above the join each node has exactly one changed child.
    std::uint32_t changed = join;
    for (std::uint32_t a = p.Nodes[join].Parent; a != kNoNode; changed = a, a = p.Nodes[a].Parent) {
        const auto get = [&p, &v, changed](std::uint32_t index) {
            return index == changed ? v : p.Value[index];
        };
        std::uint8_t err = 0;
        v = ApplyNode(p.Nodes[a], p.Kids.data() + p.Nodes[a].FirstChild, get, err);
        if (err != 0) {
            lastIndex = a;
            lastError = err;
        }
    }

    // The last error in evaluation order: a recomputed node's new error or
    // the cached error of a node that was not recomputed, whichever is later.
    for (auto it = p.ErrorNodes.rbegin(); it != p.ErrorNodes.rend(); ++it) {
        const std::uint32_t e = *it;
        if (lastIndex != kNoNode && e < lastIndex) break;
        const bool recomputed =
            p.Stamp[e] == gen || (p.Nodes[e].SubtreeBegin <= join && join <= e);
        if (!recomputed) {
            lastError = p.Error[e];
            break;
        }
    }
    EvalError = lastError;
    return static_cast<double>(v);
}

}  // namespace vormid
