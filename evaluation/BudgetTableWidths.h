#pragma once
// Column widths of the budget table by width mode ("Без подравняване",
// "Ширина по данни", "Ширина по таблица"), in pixels.
#include <array>
#include <vector>

#include "core/DisplayState.h"

namespace vormid {

// "Ширина по данни": widest[c] is the widest measured header or cell of
// logical column c (0..10) over every budget. Each data width is that plus
// 8 (plus 7 for the names); the graph column gets the larger of the default
// width and |S − (w0 + w1 + 573)|, S the sum of the visible columns' data
// widths with the graph column's previous one. Stores them as the fitted
// widths of display.
void FitDataWidths(const std::array<int, kBudgetColumnCount - 1>& widest, TDisplayState& display);

// "Ширина по таблица": clientWidth shared equally by count columns, the
// last taking the remainder.
std::vector<int> TableWidths(int clientWidth, int count);

// The same, where no column gets less than least of it: those that need more
// than an equal share keep what they need and the others share the rest.
// The sum exceeds the client width only when the least widths do.
std::vector<int> TableWidths(int clientWidth, const std::vector<int>& least);

// The widths of the visible columns in the display's width mode (saved
// widths, fitted widths or the client width shared). least (per logical
// column, 0..11) is the room of a column's widest text: the shared widths
// and the default width of a column the user never sized are not below it.
std::vector<int> ColumnWidths(const TDisplayState& display, int clientWidth,
                              const std::array<int, kBudgetColumnCount>& least = {});

}  // namespace vormid
