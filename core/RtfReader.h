#pragma once
// Reads RTF as Windows rich-edit controls and word processors write it into
// the document model. Unknown control words are ignored and unknown
// destinations skipped by RTF's own rules; content the model cannot hold
// (embedded objects, metafile pictures, tables) is left out and marked.
// Any input gives a document: the reader never throws on bad input, never
// loops without consuming input, and allocates at most a small multiple of
// the input's size.
#include <string_view>

#include "core/RtfDocument.h"

namespace vormid {

// True when the bytes begin (after white space) with "{\rtf".
bool IsRtf(std::string_view bytes);

// Where the stand-ins after a "\uN" end, from s[i] just past the control
// word: count of them, each a character, a "\'hh" or another control word
// or symbol; line ends are none, and a brace or "\bin" ends them early.
std::size_t SkipRtfFallback(std::string_view s, std::size_t i, int count);

// The document of RTF bytes. Bytes that are not RTF are read as plain
// Windows-1251 text, one paragraph per line.
TRtfDocument ReadRtf(std::string_view bytes);

}  // namespace vormid
