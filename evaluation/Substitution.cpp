#include "evaluation/Substitution.h"

#include "evaluation/CalculationMessages.h"
#include "evaluation/EquationPieces.h"

namespace vormid {
namespace {

// Textual substitution can double the text at every level (X2 = X1+X1,
// X3 = X2+X2, ...); beyond this size the result is refused rather than
// exhausting the memory.
constexpr std::size_t kMaxSubstitutedLength = std::size_t{1} << 25;

}  // namespace

TEquationSubstitution::TEquationSubstitution(std::vector<TEquationLine> lines) : Lines_(std::move(lines)) {
    LineNames_.resize(Lines_.size());
    for (std::size_t i = 0; i < Lines_.size(); ++i) {
        const TEquationLine& line = Lines_[i];
        LeftSides_.emplace(line.Left, true);
        if (!line.Left.empty() && !line.Right.empty() && !IsReservedToken(line.Left))
            Definitions_[line.Left].push_back(static_cast<int>(i));
    }
}

const TEquationSubstitution::TNames& TEquationSubstitution::NamesOf(std::size_t line) const {
    auto& names = LineNames_[line];
    if (!names) {
        names = std::make_unique<TNames>();
        ForEachName(Lines_[line].Right, [&](std::string_view n) { names->emplace_back(n); });
    }
    return *names;
}

bool TEquationSubstitution::Defines(std::string_view name) const { return LeftSides_.find(name) != LeftSides_.end(); }

std::vector<std::string> TEquationSubstitution::FindCycle(const std::string& name) const {
    // Depth-first search without recursion: chains of intermediate results
    // may be long.
    struct Frame {
        const std::string* Name;
        std::vector<const std::string*> Next;
        std::size_t At = 0;
    };
    auto successors = [&](const std::string& n) {
        std::vector<const std::string*> next;
        auto it = Definitions_.find(n);
        if (it == Definitions_.end()) return next;
        for (int line : it->second)
            for (const auto& m : NamesOf(static_cast<std::size_t>(line))) {
                auto def = Definitions_.find(m);
                if (def != Definitions_.end()) next.push_back(&def->first);
            }
        return next;
    };
    auto start = Definitions_.find(name);
    if (start == Definitions_.end()) return {};
    TNameMap<int> state;  // 1 on the path, 2 finished
    std::vector<Frame> path;
    path.push_back({&start->first, successors(start->first)});
    state[start->first] = 1;
    while (!path.empty()) {
        Frame& top = path.back();
        if (top.At == top.Next.size()) {
            state[*top.Name] = 2;
            path.pop_back();
            continue;
        }
        const std::string* next = top.Next[top.At++];
        int& s = state[*next];
        if (s == 2) continue;
        if (s == 1) {
            std::vector<std::string> cycle;
            bool on = false;
            for (const Frame& f : path) {
                if (f.Name == next) on = true;
                if (on) cycle.push_back(*f.Name);
            }
            return cycle;
        }
        s = 1;
        path.push_back({next, successors(*next)});
    }
    return {};
}

std::string TEquationSubstitution::Substitute(const std::string& name,
                                              const std::function<void(const TNames&)>& registerNames) const {
    std::string data;
    bool defined = false;
    TNameMap<long long> counts;  // how often each defined name occurs in data
    auto countNames = [&](std::size_t line, long long times) {
        for (const std::string& n : NamesOf(line)) {
            // Only names that some line defines can be substituted.
            if (Definitions_.find(n) == Definitions_.end()) continue;
            auto it = counts.find(n);
            if (it == counts.end()) it = counts.emplace(n, 0).first;
            it->second += times;
        }
        if (registerNames) registerNames(NamesOf(line));
    };
    auto apply = [&](std::size_t index) {
        const TEquationLine& line = Lines_[index];
        if (line.Left.empty() || line.Right.empty()) return;
        auto it = counts.find(line.Left);
        if (it == counts.end() || it->second == 0) return;
        const long long times = it->second;
        it->second = 0;
        const std::size_t grown = data.size() + static_cast<std::size_t>(times) * (line.Right.size() + 2);
        if (grown > kMaxSubstitutedLength) throw TCalculationError(MsgEquationTooLarge(name));
        std::string out;
        out.reserve(grown);
        ForEachPiece(data, [&](std::string_view piece, std::string_view token) {
            if (!token.empty() && token == line.Left) {
                out += '(';
                out += line.Right;
                out += ')';
            } else {
                out += piece;
            }
        });
        data = std::move(out);
        countNames(index, times);
    };

    for (std::size_t i = 0; i < Lines_.size(); ++i) {
        if (Lines_[i].Left == name) {
            data = Lines_[i].Right + ";";
            defined = true;
            counts.clear();
            countNames(i, 1);
        } else if (defined) {
            apply(i);
        }
    }
    if (!defined) return {};

    auto pending = [&] {
        for (const auto& [n, c] : counts)
            if (c > 0 && Definitions_.find(n) != Definitions_.end()) return true;
        return false;
    };
    if (pending()) {
        // An intermediate result is left: either its line stands above the
        // line that brought it in, or the definitions run in a circle, whose
        // expansion would never end.
        if (std::vector<std::string> cycle = FindCycle(name); !cycle.empty())
            throw TCalculationError(MsgCyclicDefinition(cycle));
        // Without a cycle every further pass substitutes one level more, so
        // the number of passes is bounded by the number of lines.
        for (std::size_t pass = 0; pending(); ++pass) {
            if (pass > Lines_.size()) throw TCalculationError(MsgCyclicDefinition({name}));
            for (std::size_t i = 0; i < Lines_.size(); ++i)
                if (Lines_[i].Left != name) apply(i);
        }
    }
    data.pop_back();  // the ";" that ended the last token
    return data;
}

}  // namespace vormid
