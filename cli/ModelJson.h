#pragma once
// The whole model as a JSON document and back, for "export" and "import".
//
// The document holds what a model file holds, field by field, so that an
// exported model imported again saves to the same bytes: a quantity carries
// the fields that its kind stores (the other fields of a kind are defaults
// after loading anyway), stored budgets carry their lines, and the display
// settings carry both the number formats and the window's table state.
#include "cli/DisplayJson.h"
#include "cli/JsonStream.h"
#include "cli/JsonValues.h"
#include "core/GumModel.h"

namespace vormid::cli {

inline constexpr const char* kModelFormatName = "vormid-model";
inline constexpr int kModelFormatVersion = 1;

// The document as one value of json (the caller finishes the stream).
void WriteModelJson(const TGumModel& model, const TDisplayState& display, JsonStream& json);

// Fills a cleared model and display state from the document, in the order
// in which the model loader fills them. Throws JsonFieldError naming the
// first field that is missing, of the wrong type, out of range or unknown,
// and for an input no budget can be calculated from (ImportChecks.h), whose
// warnings go to *warnings when given.
void ModelFromJson(const Json& doc, TGumModel& model, TDisplayState& display,
                   std::vector<std::string>* warnings = nullptr);

}  // namespace vormid::cli
