#pragma once
// Conversion between the program's Windows-1251 byte strings and UTF-8.
//
// Byte 0x98 has no character in Windows-1251. Decoding for display turns it
// into U+FFFD, so that output is always valid UTF-8 and the damage is
// visible; IsCp1251Text reports it so that callers that must keep every byte
// (export) can store such strings another way. Encoding never produces 0x98.
#include <optional>
#include <string>
#include <string_view>

namespace vormid::cli {

// The Unicode code point of a Windows-1251 byte, or 0 for 0x98.
char32_t Cp1251ToCodePoint(unsigned char byte);

// True when every byte has a character (no 0x98).
bool IsCp1251Text(std::string_view bytes);

// UTF-8 text of the bytes; 0x98 becomes U+FFFD. Never throws.
std::string Cp1251ToUtf8(std::string_view bytes);

// Windows-1251 bytes of the UTF-8 text, or nothing when the text is not valid
// UTF-8 or holds a character that the code page lacks. On failure, *bad_char
// (when given) receives a short description of the first offending character.
std::optional<std::string> Utf8ToCp1251(std::string_view utf8, std::string* bad_char = nullptr);

}  // namespace vormid::cli
