#include "evaluation/CalculationMessages.h"

#include "core/GumTypes.h"
#include "evaluation/Cp1251Text.h"

namespace vormid {
namespace {

std::string T(const char* utf8) { return Cp1251FromUtf8(utf8); }

// A name in the typographic quotes of the program's texts.

std::string ShiftedPart(const std::string& shifted) {
    if (shifted.empty()) return T(" при оценките на входните величини");
    return T(" при изместена стойност на ") + QuotedName(shifted);
}

}  // namespace

std::string MsgUnknownName(const std::string& result, const std::string& name) {
    return T("Името ") + QuotedName(name) + T(" в уравнението на ") + QuotedName(result) +
           T(" не е величина на модела.");
}

std::string MsgNoEquationLine(const std::string& result) {
    return T("Резултатът ") + QuotedName(result) + T(" няма свой ред в уравнението.");
}

std::string MsgEmptyEquation(const std::string& result) {
    return T("Редът на ") + QuotedName(result) + T(" в уравнението няма дясна страна.");
}

std::string MsgEquationNotReadable(const std::string& result) {
    return T("Уравнението на ") + QuotedName(result) + T(" не може да бъде разчетено.");
}

std::string MsgEquationTooLarge(const std::string& result) {
    return T("Уравнението на ") + QuotedName(result) + T(" става твърде дълго при заместване на междинните резултати.");
}

std::string MsgCyclicDefinition(const std::vector<std::string>& names) {
    std::string list;
    for (const auto& n : names) {
        if (!list.empty()) list += ", ";
        list += QuotedName(n);
    }
    return T("Междинните резултати ") + list + T(" се определят един чрез друг (циклична дефиниция).");
}

std::string MsgNonFiniteInput(const std::string& name) {
    return T("Оценката или стандартната неопределеност на ") + QuotedName(name) + T(" не е крайно число.");
}

std::string MsgNonFiniteResult(const std::string& result, const std::string& shifted) {
    return T("Уравнението на ") + QuotedName(result) + T(" дава безкрайна или неопределена стойност") +
           ShiftedPart(shifted) + ".";
}

std::string MsgEvaluationError(int code, const std::string& result, const std::string& shifted) {
    // By code, NoError to InvalidOperation; any other code is a failure of the calculation.
    constexpr const char* kWhat[] = {"Грешка при пресмятане",
                                     "Грешка при пресмятане",
                                     "Невалидно число",
                                     "Деление на нула",
                                     "Аргумент извън допустимата област",
                                     "Неопределена стойност",
                                     "Невалидна операция"};
    const char* what = code >= 0 && code <= InvalidOperation ? kWhat[code] : kWhat[CalculationFailed];
    return T(what) + T(" в уравнението на ") + QuotedName(result) + ShiftedPart(shifted) + ".";
}

std::string MsgRelativeOfZero(const std::string& result) {
    return T("Стойността на ") + QuotedName(result) +
           T(" е нула: относителната разширена неопределеност не може да бъде изчислена.");
}

std::string MsgNegativeVariance(const std::string& result) {
    return T("Корелационните коефициенти дават отрицателна дисперсия на ") + QuotedName(result) + ".";
}

std::string MsgCoverageFactor(const std::string& result) {
    return T("Факторът на покриване на ") + QuotedName(result) + T(" не може да бъде определен.");
}

std::string MsgNonFiniteBudget(const std::string& result) {
    return T("Бюджетът на ") + QuotedName(result) + T(" съдържа безкрайна или неопределена стойност.");
}

std::string MsgCalculationFailed(const std::string& result) {
    return T("Грешка при изчисляване на бюджета на ") + QuotedName(result) + ".";
}

}  // namespace vormid
