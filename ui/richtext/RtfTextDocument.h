#pragma once
// Between the RTF document model and the editor's QTextDocument.
#include <QByteArray>

#include "core/RtfDocument.h"

class QTextDocument;
class QTextImageFormat;

namespace vormid {

// Replaces the document's content by the model's paragraphs, runs and pictures.
void FillTextDocument(const TRtfDocument& model, QTextDocument& doc);

// The model of what the document shows. A picture keeps the file bytes it
// came with (a JPEG stays a JPEG), also when it was copied from origin; one
// without them is written as PNG.
TRtfDocument ReadTextDocument(const QTextDocument& doc, const QTextDocument* origin = nullptr);

// Gives a picture of the document the file bytes it is to be written with.
void SetPictureSource(QTextImageFormat& format, const QByteArray& bytes, TRtfPictureType type);

}  // namespace vormid
