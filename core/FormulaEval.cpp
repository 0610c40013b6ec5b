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
const char* const kNotCompiled = "\xC8\xE7\xF0\xE0\xE7\xFA\xF2 \xED\xE5 \xE5 \xEA\xEE\xEC\xEF\xE8\xEB\xE8\xF0\xE0\xED.";
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
    p.ChainStale = true;
    EvalError = last;
    return static_cast<double>(p.Value[n - 1]);
}

// Copies the light operand of every binary node into its chain step.
void RefreshChain(TFormulProgram& p) {
    for (formula_detail::TChainStep& step : p.Chain) {
        if (!(step.Flags & formula_detail::kStepFast)) continue;
        const TFlatNode& node = p.Nodes[step.Node];
        const bool heavyLeft = step.Flags & formula_detail::kStepHeavyLeft;
        step.Other = p.Value[p.Kids[node.FirstChild + (heavyLeft ? 1 : 0)]];
    }
    p.ChainStale = false;
}

// The incremental pass for K values of one slot at once. The lanes share
// the walk and their arithmetic interleaves, which matters on long chains
// where each lane is one long dependency chain.
template <int K>
requires(K == 1 || K == 2) void IncrementalPass(TFormulProgram& p, std::size_t slot, const double* values,
                                                TSlotResult* out) {
    using namespace formula_detail;
    const TSlotInfo& info = p.Slots[slot];
    if (++p.Generation == 0) {
        std::fill(p.Stamp.begin(), p.Stamp.end(), 0u);
        p.Generation = 1;
    }
    const std::uint32_t gen = p.Generation;
    const std::uint32_t join = info.Join;
    std::uint32_t lastIndex[K];  // last recomputed node with an error
    int lastError[K];
    long double v[K];
    for (int k = 0; k < K; ++k) {
        lastIndex[k] = kNoNode;
        lastError[k] = NoError;
    }

    if (p.Nodes[join].Op == op_Name) {
        for (int k = 0; k < K; ++k) {
            const long double x = values[k];
            v[k] = p.Nodes[join].Negate ? -x : x;
        }
    } else {
        // The nodes up to the join: every ancestor of the slot's leaves below
        // it, stamped, in evaluation order (ascending index).
        p.Work.clear();
        for (const std::uint32_t leaf : info.Leaves) {
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
        for (int k = 0; k < K; ++k) {
            const long double x = values[k];
            for (const std::uint32_t leaf : info.Leaves) p.Scratch[leaf] = p.Nodes[leaf].Negate ? -x : x;
            for (const std::uint32_t a : p.Work) {
                std::uint8_t err = 0;
                p.Scratch[a] = ApplyNode(p.Nodes[a], p.Kids.data() + p.Nodes[a].FirstChild, get, err);
                if (err != 0) {
                    lastIndex[k] = a;
                    lastError[k] = err;
                }
            }
            v[k] = p.Scratch[join];
        }
    }

    // Above the join each node has exactly one changed child. Along a heavy
    // path of binary nodes the other operand sits in the step itself.
    if (p.ChainStale) RefreshChain(p);
    std::uint32_t changed = join;
    for (std::uint32_t a = p.Nodes[join].Parent; a != kNoNode; a = p.Nodes[changed].Parent) {
        if (p.Heavy[a] == changed && IsBinaryOp(p.Nodes[a].Op)) {
            const TChainStep* step = &p.Chain[p.ChainPos[a]];
            // The lanes live in scalars: an array of long double would go
            // through memory at every step, and 80-bit stores are slow.
            long double v0 = v[0];
            long double v1 = K > 1 ? v[1] : 0.0L;
            for (;;) {
                const std::uint8_t flags = step->Flags;
                const long double other = step->Other;
                std::uint8_t err0 = 0, err1 = 0;
                long double r0, r1 = 0.0L;
                if (flags & kStepHeavyLeft) {
                    r0 = ApplyBinary(step->Op, v0, other, err0);
                    if constexpr (K > 1) r1 = ApplyBinary(step->Op, v1, other, err1);
                } else {
                    r0 = ApplyBinary(step->Op, other, v0, err0);
                    if constexpr (K > 1) r1 = ApplyBinary(step->Op, other, v1, err1);
                }
                if (flags & kStepNegate) {
                    r0 = -r0;
                    r1 = -r1;
                }
                v0 = r0;
                v1 = r1;
                if ((err0 | err1) != 0) [[unlikely]] {
                    if (err0 != 0) {
                        lastIndex[0] = step->Node;
                        lastError[0] = err0;
                    }
                    if (K > 1 && err1 != 0) {
                        lastIndex[K - 1] = step->Node;
                        lastError[K - 1] = err1;
                    }
                }
                if (!(flags & kStepContinues)) break;
                ++step;
            }
            v[0] = v0;
            if constexpr (K > 1) v[K - 1] = v1;
            changed = step->Node;
            continue;
        }
        for (int k = 0; k < K; ++k) {
            const long double mine = v[k];
            const auto get = [&p, mine, changed](std::uint32_t index) {
                return index == changed ? mine : p.Value[index];
            };
            std::uint8_t err = 0;
            v[k] = ApplyNode(p.Nodes[a], p.Kids.data() + p.Nodes[a].FirstChild, get, err);
            if (err != 0) {
                lastIndex[k] = a;
                lastError[k] = err;
            }
        }
        changed = a;
    }

    // The last error in evaluation order: a recomputed node's new error or
    // the cached error of a node that was not recomputed, whichever is later.
    for (int k = 0; k < K; ++k) {
        for (auto it = p.ErrorNodes.rbegin(); it != p.ErrorNodes.rend(); ++it) {
            const std::uint32_t e = *it;
            if (lastIndex[k] != kNoNode && e < lastIndex[k]) break;
            const bool recomputed = p.Stamp[e] == gen || (p.Nodes[e].SubtreeBegin <= join && join <= e);
            if (!recomputed) {
                lastError[k] = p.Error[e];
                break;
            }
        }
        out[k] = {static_cast<double>(v[k]), lastError[k]};
    }
}

void CheckIncremental(const TFormulProgram* p, std::size_t slot) {
    if (p == nullptr) throw std::logic_error(kNotCompiled);
    if (!p->CacheValid) throw std::logic_error(kNoCache);
    if (slot >= p->Slots.size()) throw std::out_of_range("EvaluateWithSlot: no such slot");
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
    if (slotValues.size() != p.Names.size()) throw std::invalid_argument("EvaluateBound: one value per slot expected");
    return FullPass(p, [&](const TFlatNode& node) { return slotValues[node.Slot]; });
}

double TFormul::EvaluateWithSlot(std::size_t slot, double value) {
    CheckIncremental(Program_.get(), slot);
    TSlotResult r;
    IncrementalPass<1>(*Program_, slot, &value, &r);
    EvalError = r.Error;
    return r.Value;
}

std::array<TSlotResult, 2> TFormul::EvaluateWithSlotPair(std::size_t slot, double first, double second) {
    CheckIncremental(Program_.get(), slot);
    const double values[2] = {first, second};
    std::array<TSlotResult, 2> r;
    IncrementalPass<2>(*Program_, slot, values, r.data());
    EvalError = r[1].Error;
    return r;
}

}  // namespace vormid
