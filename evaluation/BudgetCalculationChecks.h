#pragma once
// Inputs that no budget can honestly be calculated from: a negative stated
// uncertainty, a coverage factor that is not positive, a correlation
// coefficient outside -1 ... 1, a quantity correlated with itself or a pair
// stated twice, two quantities of one name, a reliability above 100 %, a
// Type A series too short for a standard deviation, a schema formula that
// cannot give the rows of an indirect Type A series. The budget calculation
// fails every budget that meets one of them; the model import refuses them.
// Two slips that still give a budget are warnings: a correlation pair that
// names no quantity, and a coverage probability below 1 % (a fraction typed
// where a percentage belongs).
#include <string>
#include <vector>

#include "core/Correlation.h"
#include "core/GumParam.h"

namespace vormid {

struct TInputProblem {
    bool Warning = false;
    int Quantity = -1;     // index in the quantity list, or -1
    int Correlation = -1;  // index in the correlation list, or -1
    // The field as the model document calls it ("stated_value",
    // "coverage_factor", "coefficient", "name2", ...).
    std::string Field;
    // The quantities concerned: a budget meets the problem when its
    // equation or result names all of them.
    std::vector<std::string> Names;
    std::string Message;  // Windows-1251, naming the quantity and the value
};

// Every problem of the model, quantities first (in list order), then the
// correlations.
std::vector<TInputProblem> CheckModelInputs(const TGumParams& params, const TCorrelation& correlations);

}  // namespace vormid
