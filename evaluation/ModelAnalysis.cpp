#include "evaluation/ModelAnalysis.h"

#include <vector>

#include "core/Tokenizer.h"
#include "evaluation/EquationCheck.h"
#include "evaluation/EquationText.h"

namespace vormid {

void TDeletedQuantities::Remember(std::unique_ptr<TGumParam> param) {
    if (!param) return;
    std::string name = param->Name;
    param->Owner = nullptr;
    Items_[name] = std::move(param);
}

std::unique_ptr<TGumParam> TDeletedQuantities::Recall(const std::string& name) {
    auto it = Items_.find(name);
    if (it == Items_.end()) return nullptr;
    std::unique_ptr<TGumParam> p = std::move(it->second);
    Items_.erase(it);
    return p;
}

std::vector<const TGumParam*> TDeletedQuantities::Items() const {
    std::vector<const TGumParam*> items;
    items.reserve(Items_.size());
    for (const auto& item : Items_) items.push_back(item.second.get());
    return items;
}

bool HoldsData(const TGumParam& param) {
    const bool evaluated =
        param.Kind == TParamKind::TypeA || param.Kind == TParamKind::TypeB || param.Kind == TParamKind::Const;
    return evaluated || !param.Units.empty() || !param.Description.empty() || !param.Comment.empty();
}

namespace {

struct TLine {
    std::string Name;                // the defined name, or empty for a line without "="
    std::string Right;               // the right-hand side followed by the line separator
    std::vector<std::string> Names;  // names of Right, in order
};

std::vector<TLine> CutLines(std::string_view plain) {
    std::vector<TLine> lines;
    std::size_t start = 0;
    while (start < plain.size()) {
        std::size_t end = plain.find(kLineSeparator, start);
        if (end == std::string_view::npos) end = plain.size();
        std::string_view line = plain.substr(start, end - start);
        start = end + 1;
        TLine l;
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            // A line without "=" defines nothing; its names are still listed.
            l.Right = std::string(line);
        } else {
            l.Name = std::string(DefinedName(line.substr(0, eq)));
            l.Right = std::string(line.substr(eq + 1));
        }
        l.Right += kLineSeparator;
        l.Names = TokenizeNames(l.Right);
        lines.push_back(std::move(l));
    }
    return lines;
}

struct TSnapshot {
    std::string Name;
    TParamKind Kind;
    bool operator==(const TSnapshot&) const = default;
};

std::vector<TSnapshot> Snapshot(const TGumParams& params) {
    std::vector<TSnapshot> s;
    s.reserve(static_cast<std::size_t>(params.Count()));
    for (const auto& p : params) s.push_back({p->Name, p->Kind});
    return s;
}

}  // namespace

TAnalysisOutcome AnalyseModel(std::string_view plainEquation, TGumParams& params, TDeletedQuantities& deleted) {
    TAnalysisOutcome outcome;
    const std::vector<TLine> lines = CutLines(plainEquation);

    // Refused before any change: a name the file would cut.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bool tooLong = lines[i].Name.size() > kText101.Text;
        for (const std::string& n : lines[i].Names) tooLong = tooLong || n.size() > kText101.Text;
        if (tooLong) {
            outcome.Ok = false;
            outcome.Message =
                "Ред " + std::to_string(i + 1) +
                " на уравнението съдържа име, по-дълго от 100 байта. Списъкът с величините не е променен.";
            return outcome;
        }
    }

    // Refused before any change too: an unknown function, an unreadable
    // number or a "," between arguments would otherwise become a quantity
    // of that odd name, and a second definition would silently win.
    const std::vector<TEquationProblem> problems = CheckEquationLanguage(
        plainEquation, [&](const std::string& name) { return params.FindByName(name) != nullptr; });
    if (!problems.empty()) {
        outcome.Ok = false;
        outcome.Message = EquationProblemText(problems.front()) + " Списъкът с величините не е променен.";
        return outcome;
    }

    const std::vector<TSnapshot> before = Snapshot(params);
    std::unordered_map<std::string, TGumParam*> index;
    index.reserve(static_cast<std::size_t>(params.Count()) * 2 + 16);
    for (const auto& p : params) index.emplace(p->Name, p.get());  // first of a name wins, as FindByName

    std::unordered_map<std::string, bool> defined;
    for (const TLine& l : lines)
        if (!l.Name.empty()) defined[l.Name] = true;

    // Step 1: every quantity unconfirmed.
    params.MarkAll();

    // A name that is no quantity: one remembered from an earlier analysis
    // comes back with its data, otherwise a new one.
    auto bring = [&](const std::string& name, TParamKind kindIfNew) -> TGumParam* {
        TGumParam* q = nullptr;
        if (std::unique_ptr<TGumParam> old = deleted.Recall(name)) {
            q = params.Append(std::move(old));
            ++outcome.Restored;
            // Its role comes from the equation as it is now.
            if (q->Kind == TParamKind::Result || q->Kind == TParamKind::VarResult)
                q->SetKind(defined.count(name) ? TParamKind::Result : TParamKind::Undefined);
        } else {
            q = params.Add();
            q->Name = name;
            q->SetKind(kindIfNew);
        }
        q->Unconfirmed = true;
        index.emplace(name, q);
        return q;
    };

    // Steps 2 and 3: left-hand sides, then the names of each right-hand side.
    for (const TLine& l : lines) {
        if (!l.Name.empty()) {
            auto it = index.find(l.Name);
            if (it != index.end()) {
                if (it->second->Kind != TParamKind::Result) it->second->SetKind(TParamKind::VarResult);
                it->second->Unconfirmed = true;
            } else {
                bring(l.Name, TParamKind::Result);
            }
        }
        for (const std::string& n : l.Names) {
            auto it = index.find(n);
            if (it == index.end())
                bring(n, TParamKind::Undefined);
            else if (it->second->Kind == TParamKind::Result)
                it->second->SetKind(TParamKind::VarResult);
        }
    }

    // Step 4: order by first appearance in the whole text, left sides included.
    int next = 0;
    std::unordered_map<const TGumParam*, int> position;
    position.reserve(static_cast<std::size_t>(params.Count()) * 2 + 16);
    for (int i = 0; i < params.Count(); ++i) position[params.Get(i)] = i;
    auto place = [&](const std::string& n) {
        auto it = index.find(n);
        if (it == index.end() || !it->second->Unconfirmed) return;
        TGumParam* q = it->second;
        const int from = position[q];
        if (from != next) {
            params.Move(from, next);
            // Positions next..from shifted by one.
            for (int i = next; i <= from; ++i) position[params.Get(i)] = i;
        }
        q->Unconfirmed = false;
        ++next;
    };
    for (const std::string& n : TokenizeNames(plainEquation))
        place(n.starts_with("\\n") ? std::string(TrimControl(std::string_view(n).substr(2))) : n);
    // A defined name the walk over the whole text does not see as a token of
    // its own (written after a leading "\n" marker) is still in the equation.
    for (const TLine& l : lines)
        if (!l.Name.empty()) place(l.Name);

    // Step 5: the quantities the equation no longer names are kept aside.
    for (int i = params.Count() - 1; i >= 0; --i) {
        if (!params.Get(i)->Unconfirmed) continue;
        std::unique_ptr<TGumParam> gone = params.Take(i);
        gone->Unconfirmed = false;
        if (HoldsData(*gone)) outcome.RemovedWithData.insert(outcome.RemovedWithData.begin(), gone->Name);
        deleted.Remember(std::move(gone));
        ++outcome.Deleted;
    }

    outcome.Changed = Snapshot(params) != before;
    return outcome;
}

}  // namespace vormid
