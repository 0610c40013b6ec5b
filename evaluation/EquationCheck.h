#pragma once
// Mistakes in an equation text that the language itself would only report
// as "a name that is no quantity" or "cannot be read": a call of a function
// the language does not have, a number it cannot read ("1e3"), a "," used
// between the arguments of a function, a name defined by two lines, a
// bracket without its partner, an operator without its operand, and a
// character that belongs to no name or operator. Each is found with its line
// and column, so that the user is told what and where.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vormid {

enum class TEquationProblemKind {
    UnknownFunction,
    UnreadableNumber,
    CommaSeparator,
    DefinedTwice,
    UnbalancedBracket,  // Token "(" never closed, or ")" never opened
    MissingOperand,     // Token: the operator ("*", "/", "^", ";", "+", "-") without its operand
    StrayCharacter,     // Token: the name it stands in; Column: the character itself
};

struct TEquationProblem {
    TEquationProblemKind Kind;
    int Line = 0;          // 1-based line of the plain text
    int Column = 0;        // 1-based character of that line, its spaces left out as the plain text leaves them
    std::string Token;     // the text concerned (Windows-1251)
    std::string LineText;  // that line (Windows-1251)
    int FirstLine = 0;     // DefinedTwice: the line that defined the name first
};

// The name a line defines from the text before its first "=": trimmed, less
// a leading "\n" marker; empty for none.
std::string_view DefinedName(std::string_view left);

// Checks a plain equation (lines ended by the line separator, as
// EquationText gives them), problems in order of their place in the text.
// isQuantity, when given, names the quantities of the model: a token that
// is one of them is never reported, so a model whose quantity is named
// like a number keeps working.
std::vector<TEquationProblem> CheckEquationLanguage(std::string_view plainEquation,
                                                    const std::function<bool(const std::string&)>& isQuantity = {});

// The same checks of one expression without "=" (a schema formula): line 1,
// columns from its first character.
std::vector<TEquationProblem> CheckExpressionLanguage(std::string_view expression,
                                                      const std::function<bool(const std::string&)>& isQuantity = {});

// The problem behind a leaf the formula parser took as a name and found no
// quantity for ("SQR(x)", "1e", "U,I"); nullptr when there is none and the
// name is simply unknown.
const TEquationProblem* ProblemBehindName(const std::vector<TEquationProblem>& problems, const std::string& name);

// Whether the problem makes the formula parser refuse the line (a bracket,
// an operand): the line then cannot be read at all.
bool IsStructuralProblem(const TEquationProblem& problem);

// The problem in the user's words, with its place (UTF-8).
std::string EquationProblemText(const TEquationProblem& problem);
// The same without the place: what is wrong (UTF-8).
std::string EquationProblemReason(const TEquationProblem& problem);

}  // namespace vormid
