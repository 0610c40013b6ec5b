#pragma once
// Writes the document model as RTF that Windows rich-edit controls and word
// processors open: a Windows-1251 header, text as "\'hh" where the code
// page has the character and "\uN?" otherwise, bullets as rich-edit writes
// them, pictures as PNG or JPEG data. Plain paragraphs are written without
// groups, so that the equation's and the units' reductions read them.
#include <string>

#include "core/RtfDocument.h"

namespace vormid {

struct TRtfWriteOptions {
    std::string DefaultFont = "Tahoma";  // for runs without a font when the document names none
};

// "\uN?" for a UTF-16 unit: RTF's parameter is a signed 16-bit number, and
// "?" stands in for readers without Unicode.
void AppendRtfUnicode(std::string& out, long unit);

std::string WriteRtf(const TRtfDocument& doc, const TRtfWriteOptions& options = {});

}  // namespace vormid
