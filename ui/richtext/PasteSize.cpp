#include "ui/richtext/PasteSize.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <QTextDocument>

#include "core/RtfWriter.h"
#include "ui/richtext/RtfTextDocument.h"

namespace vormid {
namespace {

// Hex digits, a line end every 64 bytes and the picture's group.
std::size_t HexSize(std::size_t bytes) { return bytes * 2 + bytes / 32 + 128; }

std::size_t PlainSize(const QString& text) {
    TRtfDocument doc;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        TRtfParagraph p;
        TRtfRun run;
        run.Text = line.toStdString();
        p.Runs.push_back(std::move(run));
        doc.Paragraphs.push_back(std::move(p));
    }
    return WriteRtf(doc).size();
}

}  // namespace

std::size_t RtfSizeOfPicture(const QImage& image, const QByteArray& fileBytes, std::size_t limit) {
    if (!fileBytes.isEmpty()) return HexSize(static_cast<std::size_t>(fileBytes.size()));
    // PNG packs the pixels at least a little, so the raw size bounds it:
    // encoding is needed only near the limit.
    const std::size_t raw = HexSize(static_cast<std::size_t>(image.sizeInBytes()));
    if (raw <= limit) return raw;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return HexSize(static_cast<std::size_t>(png.size()));
}

std::size_t RtfSizeOfPaste(const QMimeData& data, bool plainOnly, std::size_t limit) {
    if (!plainOnly && data.hasImage()) {
        const QImage image = qvariant_cast<QImage>(data.imageData());
        return RtfSizeOfPicture(image, {}, limit);
    }
    const QString text = data.text();
    // Every character shown takes at least one byte of RTF.
    if (static_cast<std::size_t>(text.size()) > limit) return limit + 1;
    if (!plainOnly && data.hasHtml()) {
        const QString html = data.html();
        QTextDocument doc;
        doc.setHtml(html);
        if (static_cast<std::size_t>(doc.characterCount()) > limit) return limit + 1;
        return WriteRtf(ReadTextDocument(doc)).size();
    }
    return data.hasText() ? PlainSize(text) : 0;
}

}  // namespace vormid
