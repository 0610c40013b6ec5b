// Compiling an expression into the TFormulDef tree.
//
// Each node's text is reduced by the same steps: trim, drop outer
// parentheses, a function call spanning the whole text, the operator of the
// lowest level at the rightmost place (so binary operators associate to the
// left), a leading "-" that negates the rest, else a leaf. The steps work on
// offsets into one source text; tables built once per compile (matching
// parentheses, last operator of each level at each depth) answer every
// "which operator" question in constant time, so a chain of 10 000 terms
// compiles in linear time and without recursion.
#include <array>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "core/Formula.h"
#include "core/FormulaProgram.h"

namespace vormid {

using formula_detail::kNoNode;

namespace {

// Operator classes: 0 "+" or binary "-", 1 "*" "/", 2 "^".
constexpr int kLevels = 3;

struct TParseTables {
    std::vector<std::uint32_t> Match;  // partner of each parenthesis
    // LastOp[c][i]: the last operator of class c at or before i on the depth
    // of i, within the group that contains i; kNoNode when none.
    std::array<std::vector<std::uint32_t>, kLevels> LastOp;
};

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// A "-" is binary when it follows something other than an operator; the
// first character of a sub-text is checked by the caller.
int OperatorClass(const std::string& s, std::uint32_t i) {
    switch (s[i]) {
        case '+':
            return 0;
        case '-':
            return i == 0 || std::string_view("*+/^").find(s[i - 1]) != std::string_view::npos ? -1 : 0;
        case '*':
        case '/':
            return 1;
        case '^':
            return 2;
        default:
            return -1;
    }
}

// False when the parentheses do not balance.
bool BuildTables(const std::string& s, TParseTables& t) {
    const std::uint32_t n = static_cast<std::uint32_t>(s.size());
    t.Match.assign(n, kNoNode);
    for (auto& v : t.LastOp) v.assign(n, kNoNode);
    std::vector<std::uint32_t> open;
    std::vector<std::array<std::uint32_t, kLevels>> last(1);
    last[0].fill(kNoNode);
    for (std::uint32_t i = 0; i < n; ++i) {
        const char c = s[i];
        if (c == '(') {
            for (int k = 0; k < kLevels; ++k) t.LastOp[k][i] = last.back()[k];
            open.push_back(i);
            last.emplace_back().fill(kNoNode);
            continue;
        }
        if (c == ')') {
            if (open.empty()) return false;
            t.Match[i] = open.back();
            t.Match[open.back()] = i;
            open.pop_back();
            last.pop_back();
        } else {
            const int cls = OperatorClass(s, i);
            if (cls >= 0) last.back()[cls] = i;
        }
        for (int k = 0; k < kLevels; ++k) t.LastOp[k][i] = last.back()[k];
    }
    return open.empty();
}

TFormulOp OperatorCode(char c) {
    switch (c) {
        case '+':
            return op_Add;
        case '-':
            return op_Sub;
        case '*':
            return op_Mul;
        case '/':
            return op_Div;
        default:
            return op_Pow;
    }
}

struct TWork {
    TFormulDef* Node;
    std::uint32_t Begin, End;
};

class TParser {
public:
    TParser(const std::string& s, const TParseTables& t) : S_(s), T_(t) {}

    void Run(TFormulDef* root) {
        Work_.push_back({root, 0, static_cast<std::uint32_t>(S_.size())});
        while (!Work_.empty()) {
            const TWork w = Work_.back();
            Work_.pop_back();
            Reduce(w.Node, w.Begin, w.End);
        }
    }

private:
    void Trim(std::uint32_t& b, std::uint32_t& e) const {
        while (b < e && IsBlank(S_[b])) ++b;
        while (e > b && IsBlank(S_[e - 1])) --e;
    }

    TFormulDef* AddChild(TFormulDef* node, std::uint32_t b, std::uint32_t e) {
        auto child = std::make_unique<TFormulDef>();
        child->Parent = node;
        TFormulDef* raw = child.get();
        node->Children.push_back(std::move(child));
        Pending_.push_back({raw, b, e});
        return raw;
    }

    // Queues the children so that they are reduced in argument order.
    void FlushPending() {
        for (auto it = Pending_.rbegin(); it != Pending_.rend(); ++it) Work_.push_back(*it);
        Pending_.clear();
    }

    // Function slot when [b,e) is one whole call "NAME(...)", else 0; p gets
    // the opening parenthesis.
    int FunctionCall(std::uint32_t b, std::uint32_t e, std::uint32_t& p) const {
        if (S_[b] == '(') return 0;  // the first "(" must follow a name
        // Names have at most 7 letters, so the "(" is among the first 8.
        const std::uint32_t limit = std::min<std::uint32_t>(e, b + 8);
        for (p = b + 1; p < limit && S_[p] != '('; ++p) {
        }
        if (p >= limit) return 0;
        const int slot = FindFunction(std::string_view(S_).substr(b, p - b));
        if (slot == 0 || T_.Match[p] != e - 1) return 0;
        return slot;
    }

    // Rightmost operator of the lowest level on the top depth of [b,e).
    std::uint32_t FindOperator(std::uint32_t b, std::uint32_t e) const {
        for (int cls = 0; cls < kLevels; ++cls) {
            const std::uint32_t q = T_.LastOp[cls][e - 1];
            if (q == kNoNode || q < b) continue;
            // A "-" in first place is a sign, and nothing of its class stands
            // before it inside [b,e).
            if (q == b && S_[b] == '-') continue;
            return q;
        }
        return kNoNode;
    }

    void Reduce(TFormulDef* node, std::uint32_t b, std::uint32_t e) {
        for (;;) {
            Trim(b, e);
            while (e - b >= 2 && S_[b] == '(' && T_.Match[b] == e - 1) {
                ++b;
                --e;
                Trim(b, e);
            }
            node->SourceBegin = b;
            node->SourceEnd = e;
            if (b == e) break;  // empty: a number leaf that does not convert

            std::uint32_t p = 0;
            if (const int slot = FunctionCall(b, e, p)) {
                node->Op = static_cast<std::uint8_t>(slot);
                if (slot == formula_detail::kPiSlot) return;  // PI(): its parentheses' content is ignored
                std::uint32_t argBegin = p + 1;
                for (std::uint32_t i = p + 1; i < e - 1; ++i) {
                    if (S_[i] == '(') {
                        i = T_.Match[i];
                    } else if (S_[i] == ';') {
                        AddChild(node, argBegin, i);
                        argBegin = i + 1;
                    }
                }
                AddChild(node, argBegin, e - 1);
                FlushPending();
                return;
            }

            const std::uint32_t q = FindOperator(b, e);
            if (q != kNoNode) {
                node->Op = OperatorCode(S_[q]);
                AddChild(node, b, q);
                AddChild(node, q + 1, e);
                FlushPending();
                return;
            }

            if (S_[b] == '-') {
                // A sign before a number, a name, a group or a call.
                node->Negate = !node->Negate;
                ++b;
                continue;
            }
            break;
        }
        const std::string_view text = std::string_view(S_).substr(b, e - b);
        node->Op = IsNumberText(text) ? op_Number : op_Name;
        node->Text.assign(text);
    }

    const std::string& S_;
    const TParseTables& T_;
    std::vector<TWork> Work_;
    std::vector<TWork> Pending_;
};

}  // namespace

// Defined in FormulaProgram.cpp: the flat form of a finished tree.
std::unique_ptr<formula_detail::TFormulProgram, TFormulProgramDeleter> BuildProgram(TFormulDef& root);

TFormulDef::~TFormulDef() {
    if (Children.empty()) return;
    std::vector<std::unique_ptr<TFormulDef>> pending = std::move(Children);
    while (!pending.empty()) {
        std::unique_ptr<TFormulDef> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->Children) pending.push_back(std::move(child));
        node->Children.clear();
    }
}

TFormul::~TFormul() = default;

const TFormulDef* TFormul::Root() const { return Nodes.empty() ? nullptr : Nodes[0].get(); }

bool TFormul::Compile(const std::string& text) {
    if (!text.empty()) Text_ = text;
    Program_.reset();
    Nodes.clear();
    Source_.clear();
    Source_.reserve(Text_.size());
    for (const char c : Text_)
        if (c != ' ') Source_.push_back(c);

    auto root = std::make_unique<TFormulDef>();
    root->Text = Source_;
    root->SourceEnd = static_cast<std::uint32_t>(Source_.size());
    TFormulDef& rootRef = *root;
    Nodes.push_back(std::move(root));
    // Offsets are 32-bit; kNoNode is reserved.
    if (Source_.size() >= kNoNode) return false;
    TParseTables tables;
    if (!BuildTables(Source_, tables)) return false;
    TParser(Source_, tables).Run(&rootRef);
    Program_ = BuildProgram(rootRef);
    return true;
}

bool IsNumberText(std::string_view text) {
    int separators = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9') continue;
        if ((c == ',' || c == '.') && ++separators == 1) continue;
        return false;
    }
    return true;
}

}  // namespace vormid
