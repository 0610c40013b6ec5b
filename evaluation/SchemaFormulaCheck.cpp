#include "evaluation/SchemaFormulaCheck.h"

#include "core/Formula.h"
#include "core/NameMarkup.h"
#include "core/Tokenizer.h"
#include "evaluation/EquationCheck.h"
#include "evaluation/EquationText.h"

namespace vormid {

TSchemaFormulaProblem CheckSchemaFormula(const TGumParam& q) {
    const std::size_t lines = q.SchemaColumns.size();
    if (q.Kind != TParamKind::TypeA || q.AMethod == am_Direct || lines == 0) return {};
    return CheckSchemaFormula(q.SchemaFormula, lines);
}

TSchemaFormulaProblem CheckSchemaFormula(const std::string& formula, std::size_t lines) {
    if (TrimControl(formula).empty())
        return {0, "формулата на схемата е празна: тя изчислява стойността на всяко измерване от редовете му."};
    const auto isLine = [lines](const std::string& name) { return SchemaColumnOf(name, lines) != 0; };
    for (const TEquationProblem& p : CheckExpressionLanguage(formula, isLine))
        return {p.Column, "знак " + std::to_string(p.Column) + ": " + EquationProblemReason(p)};
    TFormul compiled;
    if (!compiled.Compile(formula)) return {0, "формулата на схемата не може да бъде разчетена."};
    for (const TTextPiece& piece : SplitPieces(formula)) {
        if (piece.Kind != TTextPieceKind::Token || !IsNameToken(piece.Word) || isLine(piece.Word)) continue;
        const int column = static_cast<int>(piece.Raw.data() - formula.data()) + 1;
        return {column, "знак " + std::to_string(column) + ": „" + MarkupToUtf8(piece.Word) +
                            "“ не е ред на схемата; редовете се пишат с буква и номера си от 1 до " +
                            std::to_string(lines) + ", например A1."};
    }
    return {};
}

}  // namespace vormid
