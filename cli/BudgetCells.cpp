#include "cli/BudgetCells.h"

#include "cli/Cp1251.h"
#include "cli/Formatters.h"
#include "core/NameMarkup.h"

namespace vormid::cli {

std::string DofText(int dof) { return DofIsInfinite(dof) ? "∞" : std::to_string(dof); }

int MachineDof(int dof) { return dof > 0 ? dof : -1; }

std::string CellText(const TBudgetCell& c, int bar_width) {
    switch (c.Kind) {
        case TBudgetCellKind::Empty:
            return "";
        case TBudgetCellKind::Name:
            return MarkupToUtf8(c.Markup);
        case TBudgetCellKind::Text:
            return c.Text + (c.FallsShort ? "†" : "");
        case TBudgetCellKind::Number: {
            std::string text = c.Text + NumberText(c.Number);
            if (!c.Suffix.empty()) text += " " + MarkupToUtf8(c.Suffix);
            return text;
        }
        case TBudgetCellKind::Dof:
            return (c.Infinite ? std::string("∞") : std::to_string(c.Dof)) + (c.Approximate ? "*" : "");
        case TBudgetCellKind::Bar: {
            std::string bar;
            const int n = BarWidth(c.BarValue, c.BarLargest, bar_width);
            for (int i = 0; i < n; ++i) bar += "█";
            return bar;
        }
    }
    return "";
}

std::vector<std::vector<std::string>> FooterTexts(const TBudgetTable& table) {
    std::vector<std::vector<std::string>> rows;
    for (const auto& row : table.Footer()) {
        std::vector<std::string> texts;
        for (const auto& cell : row) texts.push_back(CellText(cell, 0));
        rows.push_back(std::move(texts));
    }
    return rows;
}

}  // namespace vormid::cli
