#pragma once
// The main window's display state that a model file keeps with the model
// (its section 5 after the number-format settings). Plain data: the window
// fills it before a save and applies it after a load.
#include <array>
#include <cstdint>

namespace vormid {

constexpr int kBudgetColumnCount = 12;
// The budget grid's default column width in pixels: both widths of every
// column of a new model.
constexpr std::int32_t kDefaultBudgetColumnWidth = 64;

// Column width modes (menu of the budget table).
constexpr std::int32_t cw_None = 0;     // "Без подравняване"
constexpr std::int32_t cw_ByData = 1;   // "Ширина по данни"
constexpr std::int32_t cw_ByTable = 2;  // "Ширина по таблица"

struct TBudgetColumnState {
    std::int32_t UserWidth = kDefaultBudgetColumnWidth;    // width set by the user
    std::int32_t FittedWidth = kDefaultBudgetColumnWidth;  // width fitted to the data
    bool Hidden = false;

    bool operator==(const TBudgetColumnState&) const = default;
};

struct TDisplayState {
    // The twelve budget-table columns in column order; those of a new model
    // hide columns 1, 4, 9 and 10 ("Изм. ед.", "Отн.неопр. %", "Отн. принос",
    // "Дисп. индекс").
    std::array<TBudgetColumnState, kBudgetColumnCount> Columns = DefaultColumns();
    bool ShowVarResults = true;  // "Межд. резултати"
    bool ShowConstants = true;   // "Константи"
    std::int32_t ColumnWidthMode = cw_ByTable;
    // Splitter positions in pixels. A file may lack these and the chart
    // choice; the loader then keeps the values the struct already holds.
    std::int32_t EquationPanelHeight = 120;
    std::int32_t BudgetCommentPanelHeight = 80;
    bool ChartShowsContribution = true;  // false: the chart shows "Дисп. индекс"

    bool operator==(const TDisplayState&) const = default;

    static std::array<TBudgetColumnState, kBudgetColumnCount> DefaultColumns() {
        std::array<TBudgetColumnState, kBudgetColumnCount> c{};
        for (int i : {1, 4, 9, 10}) c[static_cast<std::size_t>(i)].Hidden = true;
        return c;
    }
};

}  // namespace vormid
