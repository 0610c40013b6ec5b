#pragma once
// Output of "vormid-cli mc": the Monte Carlo results of a model as text in
// the program's words or as JSON with full precision.
#include <ostream>
#include <string>
#include <vector>

#include "core/GumModel.h"
#include "evaluation/MonteCarlo.h"
#include "evaluation/MonteCarloNumber.h"

namespace vormid::cli {

void WriteMonteCarloText(const TGumModel& model, const std::vector<TMonteCarloResult>& results, std::ostream& out);
void WriteMonteCarloJson(const std::string& file, const std::vector<TMonteCarloResult>& results, std::ostream& out);

}  // namespace vormid::cli
