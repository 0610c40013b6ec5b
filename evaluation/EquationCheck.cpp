#include "evaluation/EquationCheck.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

#include "core/Cp1251.h"
#include "core/Formula.h"
#include "core/Tokenizer.h"
#include "evaluation/EquationText.h"

namespace vormid {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A token that begins like a number: a digit, or a decimal sign and a digit.
bool LooksNumeric(std::string_view w) {
    if (w.empty()) return false;
    if (IsDigit(w[0])) return true;
    return w.size() > 1 && (w[0] == ',' || w[0] == '.') && IsDigit(w[1]);
}

struct TLineScan {
    std::string_view Text;
    int Line;
    const std::function<bool(const std::string&)>& IsQuantity;
    std::vector<TEquationProblem>& Out;

    bool Known(const std::string& w) const { return IsQuantity && IsQuantity(w); }

    int ColumnOf(std::string_view raw) const { return static_cast<int>(raw.data() - Text.data()) + 1; }

    void Add(TEquationProblemKind kind, std::string_view raw, std::string token) const {
        // The token's own first character, past blanks inside Raw.
        std::size_t skip = 0;
        while (skip < raw.size() && IsTokenBlank(raw[skip])) ++skip;
        Out.push_back({kind, Line, ColumnOf(raw.substr(skip)), std::move(token), std::string(Text), 0});
    }

    void Run() const {
        const std::vector<TTextPiece> pieces = SplitPieces(Text);
        std::vector<bool> calls;  // for each open "(": whether it opens a function's arguments
        auto nextSolid = [&](std::size_t i) {
            ++i;
            while (i < pieces.size() && pieces[i].Kind == TTextPieceKind::Blank) ++i;
            return i;
        };
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const TTextPiece& p = pieces[i];
            if (p.Kind == TTextPieceKind::Delimiter) {
                if (p.Raw == ")" && !calls.empty()) calls.pop_back();
                // A "(" after a token was pushed with that token.
                if (p.Raw == "(") {
                    std::size_t prev = i;
                    while (prev > 0 && pieces[prev - 1].Kind == TTextPieceKind::Blank) --prev;
                    if (prev == 0 || pieces[prev - 1].Kind != TTextPieceKind::Token) calls.push_back(false);
                }
                continue;
            }
            if (p.Kind != TTextPieceKind::Token) continue;
            const std::string& w = p.Word;
            const std::size_t next = nextSolid(i);
            const bool beforeParen = next < pieces.size() && pieces[next].Raw == "(";
            if (beforeParen) {
                const bool function = FindFunction(w) != 0;
                calls.push_back(function);
                if (!function && !Known(w)) Add(TEquationProblemKind::UnknownFunction, p.Raw, w);
                continue;
            }
            if (Known(w) || !IsNameToken(w)) continue;
            if (LooksNumeric(w)) {
                // "1e-3" is cut at its "-": show the whole of what was meant.
                std::string shown = w;
                const char last = w.back();
                if ((last == 'e' || last == 'E') && next + 1 < pieces.size() &&
                    (pieces[next].Raw == "-" || pieces[next].Raw == "+") &&
                    pieces[next + 1].Kind == TTextPieceKind::Token && IsNumberText(pieces[next + 1].Word))
                    shown += std::string(pieces[next].Raw) + pieces[next + 1].Word;
                Add(TEquationProblemKind::UnreadableNumber, p.Raw, shown);
            } else if (!calls.empty() && calls.back() && w.find(',') != std::string::npos) {
                Add(TEquationProblemKind::CommaSeparator, p.Raw, w);
            }
        }
    }
};

// Characters that are neither an operator nor part of any name or number
// a user writes; the tokenizer would glue them into a name.
bool IsStrayCharacter(char c) { return std::string_view(R"(!"#$%&:<>?@[]{}|~`)").find(c) != std::string_view::npos; }

bool IsOperator(std::string_view d) { return d == "*" || d == "/" || d == "^" || d == "+" || d == "-" || d == ";"; }

// The shape of a right-hand side: brackets in pairs, every operator with
// its operands, no stray character. Only the first such mistake of a line
// is told: the ones after it are mostly its echoes.
struct TStructureScan {
    std::string_view Text;  // the whole line (columns count from its start)
    std::string_view Right;
    int Line;
    const std::function<bool(const std::string&)>& IsQuantity;
    std::vector<TEquationProblem>& Out;

    void Add(TEquationProblemKind kind, const char* at, std::string token) const {
        Out.push_back({kind, Line, static_cast<int>(at - Text.data()) + 1, std::move(token), std::string(Text), 0});
    }

    void Run() const {
        enum class TPrev { None, Token, Open, Close, Operator };
        std::vector<const char*> opens;
        TPrev prev = TPrev::None;
        const char* lastOperator = nullptr;
        auto missing = [&](const char* at) { Add(TEquationProblemKind::MissingOperand, at, std::string(at, 1)); };
        for (const TTextPiece& p : SplitPieces(Right)) {
            if (p.Kind == TTextPieceKind::Blank) continue;
            if (p.Kind == TTextPieceKind::Token) {
                if (!(IsQuantity && IsQuantity(p.Word)))
                    for (const char& c : p.Raw)
                        if (IsStrayCharacter(c)) return Add(TEquationProblemKind::StrayCharacter, &c, p.Word);
                prev = TPrev::Token;
                continue;
            }
            const std::string_view d = p.Raw;
            if (d == "(") {
                opens.push_back(d.data());
                prev = TPrev::Open;
            } else if (d == ")") {
                if (opens.empty()) return Add(TEquationProblemKind::UnbalancedBracket, d.data(), ")");
                if (prev == TPrev::Operator) return missing(lastOperator);
                opens.pop_back();
                prev = TPrev::Close;
            } else if (d == "=") {
                return Add(TEquationProblemKind::StrayCharacter, d.data(), "=");
            } else if (IsOperator(d)) {
                // A sign may open an operand; "*", "/", "^" and ";" need one before them.
                const bool sign = d == "+" || d == "-";
                if (!sign && (prev == TPrev::None || prev == TPrev::Open || prev == TPrev::Operator))
                    return missing(d.data());
                lastOperator = d.data();
                prev = TPrev::Operator;
            }
        }
        if (prev == TPrev::Operator) return missing(lastOperator);
        if (!opens.empty()) Add(TEquationProblemKind::UnbalancedBracket, opens.back(), "(");
    }
};

std::string Quoted(const std::string& cp1251) { return "„" + Cp1251ToUtf8(cp1251) + "“"; }

}  // namespace

std::string_view DefinedName(std::string_view left) {
    std::string_view name = TrimControl(left);
    if (name.starts_with("\\n")) name = TrimControl(name.substr(2));
    return name;
}

std::vector<TEquationProblem> CheckEquationLanguage(std::string_view plain,
                                                    const std::function<bool(const std::string&)>& isQuantity) {
    std::vector<TEquationProblem> problems;
    std::unordered_map<std::string, int> definedAt;
    int line = 0;
    std::size_t start = 0;
    while (start < plain.size()) {
        std::size_t end = plain.find(kLineSeparator, start);
        if (end == std::string_view::npos) end = plain.size();
        const std::string_view text = plain.substr(start, end - start);
        start = end + 1;
        ++line;
        const std::size_t eq = text.find('=');
        if (eq != std::string_view::npos) {
            const std::string_view left = DefinedName(text.substr(0, eq));
            if (!left.empty()) {
                const std::string name(left);
                auto [it, first] = definedAt.emplace(name, line);
                if (!first) {
                    const int column = static_cast<int>(left.data() - text.data()) + 1;
                    problems.push_back(
                        {TEquationProblemKind::DefinedTwice, line, column, name, std::string(text), it->second});
                }
            }
        }
        // Columns count from the start of the line, the left side included.
        TLineScan{text, line, isQuantity, problems}.Run();
        if (eq != std::string_view::npos) TStructureScan{text, text.substr(eq + 1), line, isQuantity, problems}.Run();
    }
    std::stable_sort(problems.begin(), problems.end(), [](const TEquationProblem& a, const TEquationProblem& b) {
        return a.Line != b.Line ? a.Line < b.Line : a.Column < b.Column;
    });
    return problems;
}

std::vector<TEquationProblem> CheckExpressionLanguage(std::string_view expression,
                                                      const std::function<bool(const std::string&)>& isQuantity) {
    std::vector<TEquationProblem> problems;
    TLineScan{expression, 1, isQuantity, problems}.Run();
    TStructureScan{expression, expression, 1, isQuantity, problems}.Run();
    std::stable_sort(problems.begin(), problems.end(),
                     [](const TEquationProblem& a, const TEquationProblem& b) { return a.Column < b.Column; });
    return problems;
}

std::string EquationProblemText(const TEquationProblem& p) {
    // The plain text has no spaces, so the line is shown as it is counted.
    std::string where = "Ред " + std::to_string(p.Line) + ", знак " + std::to_string(p.Column);
    const std::string_view line = TrimControl(p.LineText);
    if (line.size() <= 80) where += " в " + Quoted(std::string(line));
    return where + ": " + EquationProblemReason(p);
}

std::string EquationProblemReason(const TEquationProblem& p) {
    switch (p.Kind) {
        case TEquationProblemKind::UnknownFunction:
            return Quoted(p.Token) +
                   " пред „(“ не е функция на езика на уравненията. Функциите са ABS, INT, ROUND, FLOOR, CEIL, "
                   "SIN, SINH, ASIN, ASINH, COS, COSH, ACOS, ACOSH, TAN, TANH, ATAN, ATANH, COT, DEG, RAD, LN, "
                   "LOG, LOG2, LOG10, EXP, FACT, MOD, DIV, PI, PRODUCT, SQRT, AVG, MAX, MIN и SUM; умножението "
                   "се пише със „*“.";
        case TEquationProblemKind::UnreadableNumber:
            return Quoted(p.Token) +
                   " не е число на езика на уравненията: числата се пишат с цифри и най-много една десетична "
                   "запетая или точка (1000, 0,001 или 0.001), без степенен запис като 1e3.";
        case TEquationProblemKind::CommaSeparator:
            return Quoted(p.Token) + " не е величина: аргументите на функция се разделят с „;“, например MAX(A;B).";
        case TEquationProblemKind::DefinedTwice:
            return Quoted(p.Token) + " е определено и на ред " + std::to_string(p.FirstLine) +
                   ": всяка величина се определя с един ред.";
        case TEquationProblemKind::UnbalancedBracket:
            return std::string(p.Token == "(" ? "скобата „(“ не е затворена." : "скобата „)“ не е отворена.");
        case TEquationProblemKind::MissingOperand:
            return "на знака " + Quoted(p.Token) + " липсва величина, число или израз в скоби, с който да се изчисли.";
        case TEquationProblemKind::StrayCharacter: {
            const std::size_t at = static_cast<std::size_t>(p.Column - 1);
            const std::string character = at < p.LineText.size() ? p.LineText.substr(at, 1) : p.Token;
            return "знакът " + Quoted(character) +
                   " не е част от езика на уравненията (имена, числа, скоби и знаците + - * / ^ ;).";
        }
    }
    return {};
}

bool IsStructuralProblem(const TEquationProblem& p) {
    return p.Kind == TEquationProblemKind::UnbalancedBracket || p.Kind == TEquationProblemKind::MissingOperand ||
           p.Kind == TEquationProblemKind::StrayCharacter;
}

const TEquationProblem* ProblemBehindName(const std::vector<TEquationProblem>& problems, const std::string& name) {
    for (const TEquationProblem& problem : problems) {
        if (problem.Kind == TEquationProblemKind::DefinedTwice ||
            problem.Kind == TEquationProblemKind::UnbalancedBracket ||
            problem.Kind == TEquationProblemKind::MissingOperand)
            continue;
        const std::string& t = problem.Token;
        const bool meets = name == t || (name.starts_with(t) && name.size() > t.size() && name[t.size()] == '(') ||
                           (problem.Kind == TEquationProblemKind::UnreadableNumber && t.starts_with(name));
        if (meets) return &problem;
    }
    return nullptr;
}

}  // namespace vormid
