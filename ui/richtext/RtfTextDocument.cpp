#include "ui/richtext/RtfTextDocument.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>
#include <cmath>

namespace vormid {
namespace {

// Twips are 1/1440 inch; the window draws 96 pixels per inch.
constexpr double kTwipsPerPixel = 15.0;

// Properties of a picture's format: the bytes it was read or inserted with
// and their type, so that writing the text again does not re-encode it.
constexpr int kPictureBytes = QTextFormat::UserProperty + 1;
constexpr int kPictureType = QTextFormat::UserProperty + 2;

QTextCharFormat CharFormat(const TRtfCharFormat& f) {
    QTextCharFormat c;
    if (!f.Font.empty()) c.setFontFamilies({QString::fromStdString(f.Font)});
    c.setFontPointSize(f.HalfPoints / 2.0);
    c.setFontWeight(f.Bold ? QFont::Bold : QFont::Normal);
    c.setFontItalic(f.Italic);
    c.setFontUnderline(f.Underline);
    if (f.HasColor) c.setForeground(QColor(f.Color.Red, f.Color.Green, f.Color.Blue));
    if (f.Vertical == TRtfVertical::Superscript)
        c.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (f.Vertical == TRtfVertical::Subscript)
        c.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    return c;
}

TRtfCharFormat ModelFormat(const QTextCharFormat& c, const QFont& base) {
    TRtfCharFormat f;
    QStringList families = c.fontFamilies().toStringList();
    f.Font = (families.isEmpty() ? base.family() : families.first()).toStdString();
    double pt = c.hasProperty(QTextFormat::FontPointSize) ? c.fontPointSize() : base.pointSizeF();
    f.HalfPoints = pt > 0 ? std::clamp(static_cast<int>(std::lround(pt * 2)), 2, 3276) : 24;
    f.Bold = c.fontWeight() >= QFont::DemiBold;
    f.Italic = c.fontItalic();
    f.Underline = c.fontUnderline();
    if (c.hasProperty(QTextFormat::ForegroundBrush) && c.foreground().style() != Qt::NoBrush) {
        QColor col = c.foreground().color();
        f.HasColor = true;
        f.Color = {static_cast<std::uint8_t>(col.red()), static_cast<std::uint8_t>(col.green()),
                   static_cast<std::uint8_t>(col.blue())};
    }
    if (c.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        f.Vertical = TRtfVertical::Superscript;
    else if (c.verticalAlignment() == QTextCharFormat::AlignSubScript)
        f.Vertical = TRtfVertical::Subscript;
    return f;
}

Qt::Alignment BlockAlignment(TRtfAlignment a) {
    switch (a) {
        case TRtfAlignment::Center:
            return Qt::AlignHCenter;
        case TRtfAlignment::Right:
            return Qt::AlignRight;
        case TRtfAlignment::Justify:
            return Qt::AlignJustify;
        default:
            return Qt::AlignLeft;
    }
}

}  // namespace

void FillTextDocument(const TRtfDocument& model, QTextDocument& doc) {
    doc.clear();
    QTextCursor cursor(&doc);
    QTextList* list = nullptr;
    TRtfList listKind = TRtfList::None;
    int picture = 0;
    for (std::size_t i = 0; i < model.Paragraphs.size(); ++i) {
        const TRtfParagraph& p = model.Paragraphs[i];
        QTextBlockFormat block;
        block.setAlignment(BlockAlignment(p.Alignment));
        if (p.List == TRtfList::None) {
            block.setLeftMargin(p.LeftIndentTwips / kTwipsPerPixel);
            block.setTextIndent(p.FirstIndentTwips / kTwipsPerPixel);
        }
        QTextCharFormat first = p.Runs.empty() ? QTextCharFormat() : CharFormat(p.Runs.front().Format);
        if (i == 0) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(first);
        } else {
            cursor.insertBlock(block, first);
        }
        if (p.List == TRtfList::None) {
            list = nullptr;
        } else if (list && listKind == p.List) {
            list->add(cursor.block());
        } else {
            list = cursor.createList(p.List == TRtfList::Bullet ? QTextListFormat::ListDisc
                                                                : QTextListFormat::ListDecimal);
            listKind = p.List;
        }
        for (const TRtfRun& r : p.Runs) {
            QTextCharFormat f = CharFormat(r.Format);
            if (r.IsPicture) {
                QImage image;
                if (!image.loadFromData(reinterpret_cast<const uchar*>(r.Picture.Data.data()),
                                        static_cast<int>(r.Picture.Data.size())))
                    continue;
                QString name = QStringLiteral("rtfpicture:%1").arg(++picture);
                doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
                QTextImageFormat img;
                img.merge(f);
                img.setName(name);
                SetPictureSource(img, QByteArray(r.Picture.Data.data(), static_cast<qsizetype>(r.Picture.Data.size())),
                                 r.Picture.Type);
                img.setWidth(r.Picture.WidthTwips > 0 ? r.Picture.WidthTwips / kTwipsPerPixel : image.width());
                img.setHeight(r.Picture.HeightTwips > 0 ? r.Picture.HeightTwips / kTwipsPerPixel : image.height());
                cursor.insertImage(img);
                continue;
            }
            QString text = QString::fromUtf8(r.Text.data(), static_cast<qsizetype>(r.Text.size()));
            text.replace(QLatin1Char('\n'), QChar::LineSeparator);
            cursor.insertText(text, f);
        }
    }
}

TRtfDocument ReadTextDocument(const QTextDocument& doc, const QTextDocument* origin) {
    TRtfDocument model;
    // A picture copied and pasted within the field comes back through HTML,
    // which keeps its name but not its bytes: find them by the name.
    QHash<QString, QTextImageFormat> sources;
    for (const QTextDocument* d : {&doc, origin})
        if (d)
            for (const QTextFormat& f : d->allFormats())
                if (f.isImageFormat() && f.hasProperty(kPictureBytes))
                    sources.insert(f.toImageFormat().name(), f.toImageFormat());
    const QFont base = doc.defaultFont();
    model.DefaultFont = base.family().toStdString();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        TRtfParagraph p;
        QTextBlockFormat bf = block.blockFormat();
        Qt::Alignment a = bf.alignment() & Qt::AlignHorizontal_Mask;
        p.Alignment = a & Qt::AlignHCenter   ? TRtfAlignment::Center
                      : a & Qt::AlignRight   ? TRtfAlignment::Right
                      : a & Qt::AlignJustify ? TRtfAlignment::Justify
                                             : TRtfAlignment::Left;
        if (QTextList* list = block.textList()) {
            auto style = list->format().style();
            p.List = style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
                             style == QTextListFormat::ListSquare
                         ? TRtfList::Bullet
                         : TRtfList::Numbered;
        } else {
            p.LeftIndentTwips = static_cast<int>(std::lround(bf.leftMargin() * kTwipsPerPixel));
            p.FirstIndentTwips = static_cast<int>(std::lround(bf.textIndent() * kTwipsPerPixel));
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment frag = it.fragment();
            if (!frag.isValid()) continue;
            QTextCharFormat cf = frag.charFormat();
            TRtfRun run;
            run.Format = ModelFormat(cf, base);
            if (cf.isImageFormat()) {
                QTextImageFormat img = cf.toImageFormat();
                QImage image = doc.resource(QTextDocument::ImageResource, QUrl(img.name())).value<QImage>();
                if (image.isNull()) continue;
                if (!img.hasProperty(kPictureBytes)) {
                    const auto found = sources.constFind(img.name());
                    if (found != sources.constEnd()) {
                        img.setProperty(kPictureBytes, found->property(kPictureBytes));
                        img.setProperty(kPictureType, found->property(kPictureType));
                    }
                }
                QByteArray bytes = img.property(kPictureBytes).toByteArray();
                run.Picture.Type = TRtfPictureType::Png;
                if (bytes.isEmpty()) {
                    QBuffer buffer(&bytes);
                    buffer.open(QIODevice::WriteOnly);
                    image.save(&buffer, "PNG");
                } else if (img.intProperty(kPictureType) == static_cast<int>(TRtfPictureType::Jpeg)) {
                    run.Picture.Type = TRtfPictureType::Jpeg;
                }
                run.IsPicture = true;
                run.Picture.Data.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
                run.Picture.PixelWidth = image.width();
                run.Picture.PixelHeight = image.height();
                double w = img.width() > 0 ? img.width() : image.width();
                double h = img.height() > 0 ? img.height() : image.height();
                run.Picture.WidthTwips = static_cast<int>(std::lround(w * kTwipsPerPixel));
                run.Picture.HeightTwips = static_cast<int>(std::lround(h * kTwipsPerPixel));
                // One image per fragment character.
                for (int k = 0; k < frag.length(); ++k) p.Runs.push_back(run);
                continue;
            }
            QString text = frag.text();
            text.replace(QChar::LineSeparator, QLatin1Char('\n'));
            text.remove(QChar::ObjectReplacementCharacter);
            run.Text = text.toStdString();
            if (!p.Runs.empty() && !p.Runs.back().IsPicture && p.Runs.back().Format == run.Format)
                p.Runs.back().Text += run.Text;
            else
                p.Runs.push_back(std::move(run));
        }
        model.Paragraphs.push_back(std::move(p));
    }
    return model;
}

void SetPictureSource(QTextImageFormat& format, const QByteArray& bytes, TRtfPictureType type) {
    format.setProperty(kPictureBytes, bytes);
    format.setProperty(kPictureType, static_cast<int>(type));
}

}  // namespace vormid
