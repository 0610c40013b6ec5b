#pragma once
// The model checks of the budget calculation, said in the words of the
// model document: a refused input names its field ("quantities[3].stated_value")
// and the quantity; a warning is one line of text. Messages are UTF-8.
#include <string>
#include <vector>

#include "core/GumModel.h"

namespace vormid::cli {

// Throws JsonFieldError for the first input that no budget can be
// calculated from; appends the warnings to *warnings when given.
void RefuseImpossibleInputs(const TGumModel& model, std::vector<std::string>* warnings);

// The warnings alone, for a model read from a file.
std::vector<std::string> ModelInputWarnings(const TGumModel& model);

}  // namespace vormid::cli
