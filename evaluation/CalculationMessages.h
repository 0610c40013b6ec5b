#pragma once
// The reasons a budget failed, as the budget page and the command-line tool
// state them: Bulgarian, in Windows-1251, naming the quantity concerned.
// Names are given as stored (with their markup).
#include <string>
#include <vector>

namespace vormid {

std::string MsgUnknownName(const std::string& result, const std::string& name);
std::string MsgNoEquationLine(const std::string& result);
std::string MsgEmptyEquation(const std::string& result);
std::string MsgEquationNotReadable(const std::string& result);
std::string MsgEquationTooLarge(const std::string& result);
std::string MsgCyclicDefinition(const std::vector<std::string>& names);
std::string MsgNonFiniteInput(const std::string& name);
// The equation gave infinity or NaN; shifted: the input being shifted, or
// empty at the estimates.
std::string MsgNonFiniteResult(const std::string& result, const std::string& shifted);
// An evaluation error code 2..6 of the equation language.
std::string MsgEvaluationError(int code, const std::string& result, const std::string& shifted);
std::string MsgRelativeOfZero(const std::string& result);
std::string MsgNegativeVariance(const std::string& result);
std::string MsgCoverageFactor(const std::string& result);
std::string MsgNonFiniteBudget(const std::string& result);
std::string MsgCalculationFailed(const std::string& result);

}  // namespace vormid
