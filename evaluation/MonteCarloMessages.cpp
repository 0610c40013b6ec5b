#include "evaluation/MonteCarloMessages.h"

#include "core/GumTypes.h"
#include "evaluation/Cp1251Text.h"

namespace vormid {
namespace {

std::string T(const char* utf8) { return Cp1251FromUtf8(utf8); }

}  // namespace

std::string MsgDrawFailed(const std::string& result, std::uint64_t draw, int code) {
    // By code, NoError (a draw without a finite value) to InvalidOperation;
    // any other code is a failure of the calculation.
    constexpr const char* kWhat[] = {
        "безкрайна или неопределена стойност", "грешка при пресмятане", "невалидно число",   "деление на нула",
        "аргумент извън допустимата област",   "неопределена стойност", "невалидна операция"};
    const char* what = code >= 0 && code <= InvalidOperation ? kWhat[code] : kWhat[CalculationFailed];
    return T("опит № ") + std::to_string(draw) + T(" на ") + QuotedName(result) + ": " + T(what);
}

std::string MsgDrawsFailed(const std::string& result, std::uint64_t count, std::uint64_t trials,
                           const std::string& first) {
    return T("Уравнението на ") + QuotedName(result) + T(" не може да се изчисли при ") + std::to_string(count) +
           T(" от ") + std::to_string(trials) + T(" опита (първият: ") + first +
           T("). Резултатът не се дава, защото пропускането им би го изместило.");
}

std::string MsgCoverageOutOfRange(const std::string& result) {
    return T("Вероятността на покриване на ") + QuotedName(result) + T(" трябва да е между 0 и 100 %.");
}

}  // namespace vormid
