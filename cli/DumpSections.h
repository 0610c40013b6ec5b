#pragma once
// Field-by-field printers of the five unpacked sections of a model file.
// Each throws DumpBreak where the content stops making sense.
#include "cli/DumpCursor.h"

namespace vormid::cli {

void DumpModelHeader(DumpCursor& c);
void DumpQuantities(DumpCursor& c);
void DumpCorrelations(DumpCursor& c);
void DumpBudgets(DumpCursor& c);
void DumpDisplaySettings(DumpCursor& c);

}  // namespace vormid::cli
