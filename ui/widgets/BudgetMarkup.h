#pragma once
// A name or unit in the model's in-line markup ("\b" subscript, "\t"
// superscript, "\n" normal, "\u" + decimal digits a Unicode character, "\'"
// + two hex digits a code-page character) as the budget's copies write it.
#include <QString>
#include <string>

namespace vormid {

// The runs as plain text (scripts dropped) and as HTML (<sub>, <sup>).
QString MarkupPlain(const std::string& cp1251);
QString MarkupHtml(const std::string& cp1251);

}  // namespace vormid
