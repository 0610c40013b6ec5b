#pragma once
// Runs of a name or unit in the model's in-line markup ("\b" subscript,
// "\t" superscript, "\n" normal, "\u" + decimal digits a Unicode character,
// "\'" + two hex digits a code-page character), for the budget's cells.
#include <QString>
#include <string>
#include <vector>

namespace vormid {

struct TMarkupRun {
    QString Text;
    int Script = 0;  // 0 normal, -1 subscript, 1 superscript
};

std::vector<TMarkupRun> MarkupRuns(const std::string& cp1251);
// The runs as plain text (scripts dropped) and as HTML (<sub>, <sup>).
QString MarkupPlain(const std::string& cp1251);
QString MarkupHtml(const std::string& cp1251);

}  // namespace vormid
