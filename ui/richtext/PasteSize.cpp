#include "ui/richtext/PasteSize.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <QTextDocument>
#include <QUrl>

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

// A pasted fragment of the field itself names its pictures by the field's
// resources; this document finds them there, so that they are counted.
class TPasteDocument : public QTextDocument {
public:
    explicit TPasteDocument(const QTextDocument* resources) : resources_(resources) {}

protected:
    QVariant loadResource(int type, const QUrl& name) override {
        if (resources_) {
            QVariant v = resources_->resource(type, name);
            if (v.isValid()) return v;
        }
        return QTextDocument::loadResource(type, name);
    }

private:
    const QTextDocument* resources_;
};

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

std::size_t RtfSizeOfPaste(const QMimeData& data, bool plainOnly, std::size_t limit, const QTextDocument* resources) {
    if (!plainOnly && data.hasImage()) {
        const QImage image = qvariant_cast<QImage>(data.imageData());
        return RtfSizeOfPicture(image, {}, limit);
    }
    const QString text = data.text();
    // Every character shown takes at least one byte of RTF.
    if (static_cast<std::size_t>(text.size()) > limit) return limit + 1;
    if (!plainOnly && data.hasHtml()) {
        const QString html = data.html();
        TPasteDocument doc(resources);
        doc.setHtml(html);
        if (static_cast<std::size_t>(doc.characterCount()) > limit) return limit + 1;
        return WriteRtf(ReadTextDocument(doc, resources)).size();
    }
    return data.hasText() ? PlainSize(text) : 0;
}

}  // namespace vormid
