#pragma once
// The in-line markup of quantity names, units and equation text, cut into
// runs of one script each:
//   "\b" subscript follows, "\t" superscript follows, "\n" back to normal,
//   "\u" + decimal digits a Unicode character (a negative number stands for
//   a code point above 32767, as rich text writes them), "\'" + two hex
//   digits a Windows-1251 character. Any other backslash is plain text.
// The window paints the runs; the command-line tool writes them as plain
// UTF-8 with Unicode sub- and superscript digits.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vormid {

enum class TNameScript : std::uint8_t { Normal, Subscript, Superscript };

struct TNameRun {
    TNameScript Script = TNameScript::Normal;
    std::u32string Text;  // code points

    bool operator==(const TNameRun&) const = default;
};

// Whether the text holds any marker at all (a backslash); text without one
// is drawn as it is.
bool HasNameMarkup(std::string_view cp1251);

// The runs of a Windows-1251 markup text, in order; empty runs are left out.
// Never throws (apart from allocation failure).
std::vector<TNameRun> NameMarkupRuns(std::string_view cp1251);

// The code point of a Windows-1251 byte; U+FFFD for the unassigned 0x98.
char32_t Cp1251CodePoint(unsigned char byte);

// UTF-8 of code points; surrogates and values past U+10FFFF become U+FFFD.
std::string CodePointsToUtf8(std::u32string_view text);

// Plain UTF-8 text of markup: a sub- or superscript made of digits and signs
// is written with the Unicode sub-/superscript characters, any other with a
// leading "_" or "^".
std::string MarkupToUtf8(std::string_view cp1251);

// Number of characters (code points) of UTF-8 text: its width in a terminal
// for the scripts this program writes.
std::size_t DisplayWidth(std::string_view utf8);

// Unicode superscript form of digits, "-" and "+" (others unchanged).
std::string Superscript(std::string_view ascii);

}  // namespace vormid
