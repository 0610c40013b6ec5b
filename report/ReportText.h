#pragma once
// Pieces of report text from the model's own forms: the in-line markup of
// names and units, the formatter's numbers (exponent raised), the budget
// table's cells and the rich texts the model file keeps.
#include <string>
#include <string_view>
#include <vector>

#include "core/NumberFormat.h"
#include "evaluation/BudgetTable.h"
#include "report/ReportContent.h"

namespace vormid::report {

TSpan Plain(std::string text, bool bold = false);
TCell Cell(std::vector<TSpan> spans, TAlign align = TAlign::Center);
TParagraph Para(TParagraphStyle style, std::vector<TSpan> spans);
TParagraph Para(TParagraphStyle style, std::string text);
// A label followed by a name's markup in bold: "Наблюдения: X".
std::vector<TSpan> Titled(std::string label, std::string_view nameMarkup);

// Windows-1251 markup of a name or units as spans of one script each.
std::vector<TSpan> MarkupSpans(std::string_view cp1251, bool bold = false);

// A number as the tables draw it: prefix, mantissa, raised exponent and,
// after a blank, the suffix markup.
std::vector<TSpan> NumberSpans(const TFormattedNumber& n, const std::string& prefix = {},
                               const std::string& suffixMarkup = {});

// A budget cell; a ν_eff that ignores correlations carries "*". Bars are
// left out: the report states the figures, the page draws them.
std::vector<TSpan> CellSpans(const TBudgetCell& cell);

// The paragraphs of a rich text as the editor saved it (RTF bytes), or of
// plain Windows-1251 text; nothing for an empty text.
std::vector<TParagraph> RichTextParagraphs(std::string_view bytes);

void Append(std::vector<TSpan>& to, std::vector<TSpan> spans);

}  // namespace vormid::report
