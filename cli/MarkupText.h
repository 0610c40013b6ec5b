#pragma once
// Plain UTF-8 text of a name or unit written in the program's in-line markup:
// "\b" subscript follows, "\t" superscript follows, "\n" back to normal,
// "\u" + decimal digits a Unicode character, "\'" + two hex digits a
// code-page character. A sub- or superscript made of digits (and signs) is
// written with the Unicode sub-/superscript characters, any other with a
// leading "_" or "^".
#include <string>
#include <string_view>

namespace vormid::cli {

std::string MarkupToUtf8(std::string_view cp1251);

// Number of characters (code points) of UTF-8 text: its width in a terminal
// for the scripts this program writes.
std::size_t DisplayWidth(std::string_view utf8);

// Unicode superscript form of digits, "-" and "+" (others unchanged).
std::string Superscript(std::string_view ascii);

}  // namespace vormid::cli
