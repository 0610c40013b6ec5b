#pragma once
// The equation editor keeps the model equation as rich text (RTF). The
// calculation and the quantity-list refresh read it as plain lines of the
// form name = expression, each ended by kLineSeparator, with subscripts,
// superscripts and special characters kept as in-line name markers:
//   "\b" subscript follows, "\t" superscript follows, "\n" back to normal,
//   "\u" + decimal digits a Unicode character, "\'" + two hex digits a
//   code-page character.
#include <string>
#include <string_view>
#include <vector>

#include "core/Tokenizer.h"  // kLineSeparator ends every plain line

namespace vormid {

// The plain equation text of the editor's rich text. A text that does not
// start with "{\rtf" is read as plain text whose line ends separate the
// lines. Never throws (apart from allocation failure).
std::string EquationText(std::string_view richText);

// One line of the plain equation text.
struct TEquationLine {
    std::string Left;   // the text before the first "=", trimmed
    std::string Right;  // the text after it, trimmed
};

// The lines of a plain equation text that hold an "=", in text order. Lines
// without one define nothing and are left out.
std::vector<TEquationLine> SplitEquationLines(std::string_view plainText);

// The text without leading and trailing characters of code 0..32.
std::string_view TrimControl(std::string_view text);

}  // namespace vormid
