#include "cli/BudgetCells.h"

#include "core/NameMarkup.h"

namespace vormid::cli {

int MachineDof(int dof) { return dof > 0 ? dof : -1; }

std::string CellText(const TBudgetCell& c, int bar_width) {
    std::string text;
    if (c.Kind == TBudgetCellKind::Bar)
        for (int n = BarWidth(c.BarValue, c.BarLargest, bar_width); n > 0; --n) text += "█";
    for (const TCellPart& part : CellParts(c))
        text += part.Kind == TCellPartKind::Markup     ? MarkupToUtf8(part.Text)
                : part.Kind == TCellPartKind::Exponent ? Superscript(part.Text)
                                                       : part.Text;
    return text;
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
