#pragma once
// The one conversion between the model's Windows-1251 bytes and Unicode.
//
// Byte 0x98 has no character in Windows-1251. Decoding for display turns it
// into U+FFFD, so that output is always valid UTF-8 and the damage is
// visible; decoding for editing keeps it as U+0098, the C1 control that
// encodes back to the same byte, so that a text shown and saved again keeps
// every byte.
#include <optional>
#include <string>
#include <string_view>

namespace vormid {

// The Unicode code point of a byte, or 0 for the unassigned 0x98.
char32_t Cp1251ToCodePoint(unsigned char byte);

// The code point of a byte with 0x98 kept as U+0098 (see above).
char32_t Cp1251ToCodePointLossless(unsigned char byte);

// The byte of a code point; nothing when the code page lacks it. U+0098
// gives 0x98 so that Cp1251ToCodePointLossless round-trips.
std::optional<unsigned char> CodePointToCp1251(char32_t cp);

// True when every byte has a character (no 0x98).
bool IsCp1251Text(std::string_view bytes);

// Why a typed text cannot go into a field of maxBytes bytes: a character the
// code page lacks, or more characters than bytes (each character the code
// page has is one byte). Refused at once rather than cut or turned into "?"
// on saving.
enum class TFieldTextFault { None, NotInCodePage, TooLong };
TFieldTextFault FieldTextFault(std::u32string_view text, std::size_t maxBytes);

// UTF-8 text of the bytes; 0x98 becomes U+FFFD. Never throws.
std::string Cp1251ToUtf8(std::string_view bytes);

// Windows-1251 bytes of the UTF-8 text, or nothing when the text is not valid
// UTF-8 or holds a character that the code page lacks. On failure, *bad_char
// (when given) receives a short description of the first offending character
// ("U+221E" or "invalid UTF-8").
std::optional<std::string> Utf8ToCp1251(std::string_view utf8, std::string* bad_char = nullptr);

// Windows-1251 bytes of a UTF-8 text for the program's own texts: a character
// the code page lacks, and each byte of a broken sequence, becomes "?".
std::string Cp1251FromUtf8(std::string_view utf8);

// UTF-8 helpers shared by the text layers.
void AppendUtf8(std::string& out, char32_t cp);
// Decodes one sequence at text[i] and moves i past it; false (i unchanged)
// for a malformed, overlong or surrogate sequence.
bool NextUtf8(std::string_view text, std::size_t& i, char32_t& cp);

}  // namespace vormid
