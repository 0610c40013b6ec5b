#pragma once
// The two forms of "vormid-cli stats": the observation page's statistics
// table per Type A quantity, and JSON with the histogram classes.
#include <ostream>
#include <string>

#include "cli/JsonValues.h"
#include "core/GumModel.h"

namespace vormid::cli {

void WriteStatsText(const TGumModel& model, std::ostream& out);
Json StatsToJson(const std::string& file, const TGumModel& model);

}  // namespace vormid::cli
