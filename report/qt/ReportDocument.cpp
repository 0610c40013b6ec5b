#include "report/qt/ReportDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <cmath>

#include "charts/ChartPainter.h"
#include "charts/HistogramData.h"
#include "charts/HistogramLayout.h"
#include "charts/HistogramOptions.h"

namespace vormid::report {
namespace {

constexpr double kBodyPt = 9.0;
// Lengths of the document's formats (margins, borders, picture sizes) are
// pixels at 96 per inch; the layout scales them to a device itself.
constexpr double kPpt = 96.0 / 72.0;
// Room under the body for the page footer, in points.
constexpr double kFooterPt = 16.0;
// Cell backgrounds in the order of TRowRole; a body row has none.
const QColor kRowBacks[] = {{226, 226, 226}, {}, {245, 243, 232}, {236, 233, 216}, {250, 249, 240}};
static_assert(std::size(kRowBacks) == static_cast<std::size_t>(TRowRole::FooterValue) + 1);
// In the order of TAlign.
constexpr Qt::AlignmentFlag kAlignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignJustify};

// How a paragraph style looks, in the order of TParagraphStyle: point size
// and weight, and the room above and below in points (0: none set).
struct TStyleLook {
    double SizePt;
    bool Bold;
    double AbovePt, BelowPt;
};
constexpr TStyleLook kStyleLooks[] = {{16, true, 0, 8},       {12, true, 12, 4},  {10, true, 6, 2},
                                      {kBodyPt, false, 0, 0}, {7.5, false, 0, 0}, {10, true, 4, 4}};
static_assert(std::size(kStyleLooks) == static_cast<std::size_t>(TParagraphStyle::Statement) + 1);

QString U(const std::string& utf8) { return QString::fromStdString(utf8); }

class TRenderer {
public:
    TRenderer(QTextDocument& doc, bool paged) : Doc_(doc), Cursor_(&doc), Paged_(paged) {}

    void Render(const TReport& report) {
        Doc_.setMetaInformation(QTextDocument::DocumentTitle, U(report.Title));
        // One edit: the document is laid out once at the end, not after
        // every piece (which is quadratic in the length of the report).
        Cursor_.beginEditBlock();
        bool first = true;
        for (const TSection& s : report.Sections)
            for (const TBlock& b : s.Blocks) {
                if (!first) Cursor_.insertBlock();
                first = false;
                std::visit([this](const auto& block) { Block(block); }, b);
            }
        Cursor_.endEditBlock();
    }

private:
    QTextBlockFormat BlockFormat(const TParagraph& p) const {
        const TStyleLook& look = kStyleLooks[static_cast<std::size_t>(p.Style)];
        QTextBlockFormat f;
        // The title is centred, whatever its paragraph says.
        f.setAlignment(p.Style == TParagraphStyle::Title ? Qt::AlignHCenter
                                                         : kAlignments[static_cast<std::size_t>(p.Align)]);
        f.setLeftMargin(p.IndentPt * kPpt);
        if (p.NewPage) f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        if (look.AbovePt > 0) f.setTopMargin(look.AbovePt * kPpt);
        if (look.BelowPt > 0) f.setBottomMargin(look.BelowPt * kPpt);
        return f;
    }

    static QTextCharFormat StyleFormat(TParagraphStyle style) {
        const TStyleLook& look = kStyleLooks[static_cast<std::size_t>(style)];
        QTextCharFormat f;
        f.setFontPointSize(look.SizePt);
        if (look.Bold) f.setFontWeight(QFont::Bold);
        return f;
    }

    void Spans(const std::vector<TSpan>& spans, const QTextCharFormat& base) {
        for (const TSpan& s : spans) {
            if (s.IsPicture) {
                Picture(s.Picture);
                continue;
            }
            QTextCharFormat f = base;
            if (s.Bold) f.setFontWeight(QFont::Bold);
            if (s.Italic) f.setFontItalic(true);
            if (s.Underline) f.setFontUnderline(true);
            if (s.Script == TScript::Superscript) f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
            if (s.Script == TScript::Subscript) f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
            if (s.HasColor) f.setForeground(QColor(s.Color.Red, s.Color.Green, s.Color.Blue));
            if (s.SizePt > 0) f.setFontPointSize(s.SizePt);
            if (!s.Font.empty()) f.setFontFamilies({U(s.Font)});
            QString text = U(s.Text);
            text.replace(QLatin1Char('\n'), QChar::LineSeparator);
            Cursor_.insertText(text, f);
        }
    }

    void Block(const TParagraph& p) {
        Cursor_.setBlockFormat(BlockFormat(p));
        const QTextCharFormat base = StyleFormat(p.Style);
        Cursor_.setBlockCharFormat(base);
        if (p.Bullet) Cursor_.insertText(QStringLiteral("• "), base);
        Spans(p.Spans, base);
    }

    void Block(const TTable& t) {
        if (t.Rows.empty()) return;
        std::size_t columns = 0;
        for (const TRow& r : t.Rows) {
            std::size_t n = 0;
            for (const TCell& c : r.Cells) n += static_cast<std::size_t>(std::max(1, c.ColumnSpan));
            columns = std::max(columns, n);
        }
        QTextTableFormat f;
        f.setHeaderRowCount(t.HeaderRows);
        f.setCellPadding(1.5 * kPpt);
        f.setCellSpacing(0);
        if (Paged_) {
            // Half a pixel round the table and round every cell: the rules
            // between cells are one pixel, as round the table. Collapsed
            // borders look the same but cost the layout a search of the
            // neighbouring cells for every edge, most of the time of a long
            // report.
            f.setBorder(0.5);
            f.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        } else {
            // HTML has whole-pixel borders only ("0.5" is none).
            f.setBorder(1);
            f.setBorderCollapse(true);
        }
        f.setBorderBrush(QColor(120, 120, 120));
        f.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        f.setTopMargin(2 * kPpt);
        f.setBottomMargin(2 * kPpt);
        QList<QTextLength> widths;
        double total = 0;
        for (std::size_t i = 0; i < columns; ++i) total += i < t.Widths.size() ? t.Widths[i] : 1.0;
        for (std::size_t i = 0; i < columns; ++i)
            widths << QTextLength(QTextLength::PercentageLength,
                                  100.0 * (i < t.Widths.size() ? t.Widths[i] : 1.0) / total);
        f.setColumnWidthConstraints(widths);
        QTextTable* table = Cursor_.insertTable(static_cast<int>(t.Rows.size()), static_cast<int>(columns), f);
        QTextCharFormat base = StyleFormat(TParagraphStyle::Body);
        if (t.SizePt > 0) base.setFontPointSize(t.SizePt);
        for (std::size_t r = 0; r < t.Rows.size(); ++r) {
            const TRow& row = t.Rows[r];
            int column = 0;
            for (const TCell& c : row.Cells) {
                const int span = std::max(1, c.ColumnSpan);
                if (span > 1) table->mergeCells(static_cast<int>(r), column, 1, span);
                QTextTableCell cell = table->cellAt(static_cast<int>(r), column);
                QTextTableCellFormat cf = cell.format().toTableCellFormat();
                if (const QColor& back = kRowBacks[static_cast<std::size_t>(row.Role)]; back.isValid())
                    cf.setBackground(back);
                cf.setVerticalAlignment(QTextCharFormat::AlignMiddle);
                cell.setFormat(cf);
                QTextCursor cc = cell.firstCursorPosition();
                QTextBlockFormat bf;
                bf.setAlignment(kAlignments[static_cast<std::size_t>(c.Align)]);
                cc.setBlockFormat(bf);
                std::swap(Cursor_, cc);
                QTextCharFormat cellBase = base;
                if (row.Role == TRowRole::Header) cellBase.setFontWeight(QFont::Bold);
                Cursor_.setBlockCharFormat(cellBase);
                Spans(c.Spans, cellBase);
                std::swap(Cursor_, cc);
                column += span;
            }
        }
        Cursor_.movePosition(QTextCursor::End);
    }

    QImage Histogram(const TPicture& p, int w, int h) const {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::white);
        if (!p.Series) return image;
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(8);
        const charts::THistogramData data = charts::CopyHistogramData(*p.Series);
        // The program's default options, as a new user's observation page
        // shows them, with the main window's forced settings.
        charts::THistogramOptions options;
        charts::ParseHistogramOptions(charts::kDefaultHistogramOptions, options);
        options.Values[charts::hoLimitRange] = 0;
        options.Values[charts::hoExtraMarker] = 0;
        const charts::TDrawList ops = charts::RenderHistogram(data, options, w, h, charts::FontTextWidth(font));
        QPainter painter(&image);
        charts::PaintDrawList(painter, ops, font);
        return image;
    }

    void Picture(const TPicture& p) {
        QImage image;
        if (p.Kind == TPicture::TKind::Histogram) {
            // Drawn at the observation page's pixel size: its texts and
            // lines keep their proportions, the document scales it.
            image = Histogram(p, 485, 358);
        } else {
            image.loadFromData(reinterpret_cast<const uchar*>(p.Bytes.data()), static_cast<int>(p.Bytes.size()));
        }
        if (image.isNull()) {
            Cursor_.insertText(U(p.Caption));
            return;
        }
        const QString name = QStringLiteral("report-picture-%1").arg(++Pictures_);
        Doc_.addResource(QTextDocument::ImageResource, QUrl(name), image);
        QTextImageFormat f;
        f.setName(name);
        double w = p.WidthPt, h = p.HeightPt;
        if (w <= 0 || h <= 0) {
            w = image.width() * 0.75;  // 96 pixels per inch
            h = image.height() * 0.75;
        }
        f.setWidth(w * kPpt);
        f.setHeight(h * kPpt);
        Cursor_.insertImage(f);
    }

    void Block(const TPicture& p) {
        QTextBlockFormat f;
        f.setAlignment(Qt::AlignHCenter);
        Cursor_.setBlockFormat(f);
        Picture(p);
    }

    QTextDocument& Doc_;
    QTextCursor Cursor_;
    bool Paged_;
    int Pictures_ = 0;
};

}  // namespace

QPageLayout ReportPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 15, 15, 12),
                       QPageLayout::Millimeter);
}

std::unique_ptr<QTextDocument> RenderReport(const TReport& report, QPagedPaintDevice* device) {
    auto doc = std::make_unique<QTextDocument>();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(kBodyPt);
    doc->setDefaultFont(font);
    // The device comes first: with it the layout is paginated, and the
    // content, added in one edit, is laid out for it once (every change of
    // page or margin afterwards lays the document out again).
    if (device != nullptr) {
        device->setPageLayout(ReportPageLayout());
        doc->documentLayout()->setPaintDevice(device);
        // The page, unlike the lengths of the formats below, is in the
        // device's own pixels.
        const QRectF body = device->pageLayout().paintRectPixels(device->logicalDpiX());
        doc->setPageSize(QSizeF(body.width(), body.height() - kFooterPt * device->logicalDpiY() / 72.0));
        doc->setDocumentMargin(0);
    }
    TRenderer(*doc, device != nullptr).Render(report);
    return doc;
}

bool PaintReport(QTextDocument& doc, QPagedPaintDevice& device, const TReport& report) {
    QPainter p;
    if (!p.begin(&device)) return false;
    const double ppt = device.logicalDpiY() / 72.0;
    const QSizeF page = doc.pageSize();
    const int pages = doc.pageCount();
    QFont footer(QStringLiteral("DejaVu Sans"));
    footer.setPointSizeF(8);
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !device.newPage()) return false;
        p.save();
        p.translate(0, -i * page.height());
        const QRectF clip(0, i * page.height(), page.width(), page.height());
        p.setClipRect(clip);
        // The layout draws every line that meets its clip, also one that
        // begins exactly where this page ends: a picture moved to the next
        // page was drawn here clipped to nothing, and viewers showed a
        // sliver of its top row.
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = clip.adjusted(0, 0, 0, -1);
        doc.documentLayout()->draw(&p, ctx);
        p.restore();
        p.setFont(footer);
        p.setPen(Qt::black);
        const QString text = U(report.PageText).arg(i + 1).arg(pages);
        p.drawText(QRectF(0, page.height(), page.width(), kFooterPt * ppt), Qt::AlignHCenter | Qt::AlignBottom, text);
    }
    return p.end();
}

}  // namespace vormid::report
