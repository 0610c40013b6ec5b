#pragma once
// The content of each of the five sections of a model file, unpacked: what
// SaveModel writes and LoadModel reads, field by field. Readers throw
// TCorruptDataError for data that ends early or holds impossible counts;
// what they have stored into the model by then stays.
#include "core/GumModel.h"
#include "core/DisplayState.h"
#include "persistence/SectionData.h"

namespace vormid {

// Section 1: model name, evaluation method, description and equation.
void WriteHeaderSection(const TGumModel& model, TSectionWriter& out);
void ReadHeaderSection(TSectionReader& in, TGumModel& model);

// Section 2: the quantity records, then one comment per quantity. Appends
// the quantities to model.Params.
void WriteQuantitiesSection(const TGumModel& model, TSectionWriter& out);
void ReadQuantitiesSection(TSectionReader& in, TGumModel& model);

// Section 3: the correlation pairs (an empty section: none).
void WriteCorrelationsSection(const TGumModel& model, TSectionWriter& out);
void ReadCorrelationsSection(TSectionReader& in, TGumModel& model);

// Section 4: the stored budgets (an empty section: none); each budget's
// comment comes from / goes to the result quantity of its name, and is
// empty when there is no such quantity.
void WriteBudgetsSection(const TGumModel& model, TSectionWriter& out);
void ReadBudgetsSection(TSectionReader& in, TGumModel& model);

// Section 5: the number-format settings, then the window's display state.
// Panel heights and the chart choice are optional at the end; when missing
// the values already in `display` stay.
void WriteDisplaySection(const TNumberFormatSettings& formats, const TDisplayState& display, TSectionWriter& out);
void ReadDisplaySection(TSectionReader& in, TNumberFormatSettings& formats, TDisplayState& display);

// Upper bound on the observation and row-value cells all quantities of one
// file may size (16 Mi doubles): a legitimate model stays far below it; a
// damaged file cannot make the loader allocate without bound.
constexpr long long kMaxLoadedCells = 16LL << 20;
// Upper bound on the series values whose statistics (or schema rows) one
// file makes the loader compute (1 Mi): a hundred quantities of the largest
// editable series, or grouped values of that many in all. It keeps a
// damaged frequency from turning a load into minutes of work.
constexpr long long kMaxLoadedSeriesValues = 1LL << 20;

}  // namespace vormid
