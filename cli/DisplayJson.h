#pragma once
// The display-settings part of an exported model: the number formats of the
// model and the window's budget-table state.
#include "cli/JsonValues.h"
#include "cli/ModelJsonWriter.h"
#include "core/FormatSettings.h"
#include "core/DisplayState.h"

namespace vormid::cli {

// One object value.
void WriteDisplayJson(ModelJsonWriter& w, const TNumberFormatSettings& formats, const TDisplayState& display);
// Throws JsonFieldError.
void DisplayFromJson(const Json& value, const std::string& path, TNumberFormatSettings& formats,
                     TDisplayState& display);

}  // namespace vormid::cli
