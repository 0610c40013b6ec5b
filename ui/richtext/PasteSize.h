#pragma once
// How many bytes of RTF a paste adds to a rich-text field, so that a field
// can refuse one that would take it past its limit before inserting it.
#include <cstddef>

class QByteArray;
class QImage;
class QMimeData;
class QTextDocument;

namespace vormid {

// The RTF bytes of pasting the data; plainOnly: only its text is pasted.
// Pictures that the data names are looked up in resources (the field's own
// document) when given. Counting stops early: any result above limit means
// "too large".
std::size_t RtfSizeOfPaste(const QMimeData& data, bool plainOnly, std::size_t limit,
                           const QTextDocument* resources = nullptr);

// The RTF bytes of one picture: its file bytes when it keeps them (empty:
// it will be written as PNG, which is encoded to count it).
std::size_t RtfSizeOfPicture(const QImage& image, const QByteArray& fileBytes, std::size_t limit);

}  // namespace vormid
