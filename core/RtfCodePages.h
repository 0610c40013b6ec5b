#pragma once
// The code pages RTF text can be written in: "\'hh" bytes are read in the
// code page of the current font's character set. Windows-1251 is the
// program's own; Western and Greek texts and the Symbol font occur in files
// written on other machines.
#include <optional>

namespace vormid {

// The code pages known here; others are read as Western.
enum class TRtfCodePage { Cp1251, Cp1252, Cp1253, Symbol };

// The code page of an \ansicpg value (1251 unless known otherwise).
TRtfCodePage CodePageOfAnsiCpg(int ansicpg);
// The code page of a font's \fcharset; the document's code page for the
// default character set and for character sets not known here.
TRtfCodePage CodePageOfCharset(int charset, TRtfCodePage document);

// The character of a byte in the code page; U+FFFD for an unassigned byte.
char32_t DecodeCodePageByte(TRtfCodePage page, unsigned char byte);

}  // namespace vormid
