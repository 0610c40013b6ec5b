// The flat form of a compiled tree: nodes in evaluation order, number
// literals converted once, names resolved to slots once.
#include <algorithm>
#include <charconv>
#include <string>
#include <unordered_map>

#include "core/FormulaProgram.h"

namespace vormid {

using formula_detail::kNoNode;
using formula_detail::TFlatNode;
using formula_detail::TFormulProgram;

void TFormulProgramDeleter::operator()(TFormulProgram* program) const noexcept { delete program; }

namespace {

// "," and "." both stand for the decimal sign. std::from_chars does not
// depend on the process locale (strtod would).
bool ConvertNumber(std::string_view text, long double& value) {
    if (text.empty()) return false;
    std::string buffer(text);
    std::replace(buffer.begin(), buffer.end(), ',', '.');
    const char* end = buffer.data() + buffer.size();
    const auto [ptr, ec] = std::from_chars(buffer.data(), end, value, std::chars_format::fixed);
    return ec == std::errc() && ptr == end;
}

// Nodes in evaluation order: children before their parent, the divisor of
// "/" before its dividend, otherwise arguments in order.
std::vector<TFormulDef*> EvaluationOrder(TFormulDef& root) {
    std::vector<TFormulDef*> order;
    struct TFrame {
        TFormulDef* Node;
        std::size_t Next;
    };
    std::vector<TFrame> stack{{&root, 0}};
    while (!stack.empty()) {
        TFrame& top = stack.back();
        TFormulDef* node = top.Node;
        const std::size_t count = node->Children.size();
        if (top.Next < count) {
            const std::size_t k = top.Next++;
            const std::size_t child = (node->Op == op_Div && count == 2) ? 1 - k : k;
            stack.push_back({node->Children[child].get(), 0});
            continue;
        }
        node->Index = static_cast<std::uint32_t>(order.size());
        order.push_back(node);
        stack.pop_back();
    }
    return order;
}

std::uint32_t LowestCommonAncestor(const TFormulProgram& p, const std::vector<std::uint32_t>& depth, std::uint32_t a,
                                   std::uint32_t b) {
    while (depth[a] > depth[b]) a = p.Nodes[a].Parent;
    while (depth[b] > depth[a]) b = p.Nodes[b].Parent;
    while (a != b) {
        a = p.Nodes[a].Parent;
        b = p.Nodes[b].Parent;
    }
    return a;
}

// Heavy-path decomposition: every path from a node to the root crosses at
// most log2(n) light edges, and each heavy path's steps are stored together.
void BuildChain(TFormulProgram& p) {
    using namespace formula_detail;
    const std::uint32_t n = static_cast<std::uint32_t>(p.Nodes.size());
    std::vector<std::uint32_t> size(n, 1);
    p.Heavy.assign(n, kNoNode);
    for (std::uint32_t i = 0; i < n; ++i) {
        const TFlatNode& node = p.Nodes[i];
        for (std::uint32_t k = 0; k < node.ChildCount; ++k) {
            const std::uint32_t c = p.Kids[node.FirstChild + k];
            size[i] += size[c];
            if (p.Heavy[i] == kNoNode || size[c] > size[p.Heavy[i]]) p.Heavy[i] = c;
        }
    }
    p.ChainPos.assign(n, 0);
    p.Chain.assign(n, TChainStep{});
    std::vector<std::uint32_t> path;
    std::uint32_t next = 0;
    for (std::uint32_t top = n; top-- > 0;) {
        const std::uint32_t parent = p.Nodes[top].Parent;
        if (parent != kNoNode && p.Heavy[parent] == top) continue;  // not a path's top
        path.clear();
        for (std::uint32_t a = top; a != kNoNode; a = p.Heavy[a]) path.push_back(a);
        for (auto it = path.rbegin(); it != path.rend(); ++it) p.ChainPos[*it] = next++;
    }
    for (std::uint32_t i = 0; i < n; ++i) {
        const TFlatNode& node = p.Nodes[i];
        TChainStep& step = p.Chain[p.ChainPos[i]];
        step.Node = i;
        step.Op = node.Op;
        if (node.Negate) step.Flags |= kStepNegate;
        if (IsBinaryOp(node.Op)) {
            step.Flags |= kStepFast;
            if (p.Heavy[i] == p.Kids[node.FirstChild]) step.Flags |= kStepHeavyLeft;
        }
        const std::uint32_t parent = node.Parent;
        if (parent != kNoNode && p.Heavy[parent] == i && IsBinaryOp(p.Nodes[parent].Op)) step.Flags |= kStepContinues;
    }
}

}  // namespace

std::unique_ptr<TFormulProgram, TFormulProgramDeleter> BuildProgram(TFormulDef& root) {
    std::unique_ptr<TFormulProgram, TFormulProgramDeleter> program(new TFormulProgram);
    TFormulProgram& p = *program;
    const std::vector<TFormulDef*> order = EvaluationOrder(root);
    const std::uint32_t n = static_cast<std::uint32_t>(order.size());
    p.Nodes.resize(n);

    struct TNameLeaf {
        std::uint32_t SourceBegin, Index;
    };
    std::vector<TNameLeaf> nameLeaves;
    for (std::uint32_t i = 0; i < n; ++i) {
        const TFormulDef& def = *order[i];
        TFlatNode& node = p.Nodes[i];
        node.Op = def.Op;
        node.Negate = def.Negate;
        node.Parent = def.Parent ? def.Parent->Index : kNoNode;
        node.FirstChild = static_cast<std::uint32_t>(p.Kids.size());
        node.ChildCount = static_cast<std::uint32_t>(def.Children.size());
        node.SubtreeBegin = i;
        for (const auto& child : def.Children) {
            p.Kids.push_back(child->Index);
            node.SubtreeBegin = std::min(node.SubtreeBegin, p.Nodes[child->Index].SubtreeBegin);
        }
        if (def.Op == op_Number) {
            if (!ConvertNumber(def.Text, node.Number)) {
                node.LeafError = InvalidNumber;
                node.Number = std::nanl("");
            }
        } else if (def.Op == op_Name) {
            nameLeaves.push_back({def.SourceBegin, i});
        }
    }

    // Slots in order of first appearance in the text.
    std::sort(nameLeaves.begin(), nameLeaves.end(),
              [](const TNameLeaf& a, const TNameLeaf& b) { return a.SourceBegin < b.SourceBegin; });
    std::unordered_map<std::string, std::uint32_t> slotOf;
    for (const TNameLeaf& leaf : nameLeaves) {
        const std::string& name = order[leaf.Index]->Text;
        const auto [it, added] = slotOf.emplace(name, static_cast<std::uint32_t>(p.Names.size()));
        if (added) {
            p.Names.push_back(name);
            p.Slots.emplace_back();
        }
        p.Nodes[leaf.Index].Slot = it->second;
        p.Slots[it->second].Leaves.push_back(leaf.Index);
    }

    std::vector<std::uint32_t> depth(n, 0);
    for (std::uint32_t i = n; i-- > 0;)
        if (p.Nodes[i].Parent != kNoNode) depth[i] = depth[p.Nodes[i].Parent] + 1;
    for (auto& slot : p.Slots) {
        std::sort(slot.Leaves.begin(), slot.Leaves.end());
        slot.Join = slot.Leaves.front();
        for (const std::uint32_t leaf : slot.Leaves) slot.Join = LowestCommonAncestor(p, depth, slot.Join, leaf);
    }

    BuildChain(p);
    p.Value.assign(n, 0.0L);
    p.Error.assign(n, 0);
    p.Scratch.assign(n, 0.0L);
    p.Stamp.assign(n, 0);
    return program;
}

}  // namespace vormid
