#pragma once
// Between the RTF document model and the editor's QTextDocument.
#include "core/RtfDocument.h"

class QTextDocument;

namespace vormid {

// Replaces the document's content by the model's paragraphs, runs and pictures.
void FillTextDocument(const TRtfDocument& model, QTextDocument& doc);

// The model of what the document shows; pictures are written as PNG.
TRtfDocument ReadTextDocument(const QTextDocument& doc);

}  // namespace vormid
