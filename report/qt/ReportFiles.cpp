#include "report/qt/ReportFiles.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QUrl>

#include "report/qt/ReportDocument.h"

namespace vormid::report {
namespace {

QString Reason(const QSaveFile& file) {
    return QStringLiteral("Файлът \"%1\" не може да се запише: %2").arg(file.fileName(), file.errorString());
}

bool WritePdf(const TReport& report, QSaveFile& file, const std::vector<TReportAttachment>& attachments) {
    QPdfWriter writer(&file);
    writer.setResolution(300);
    writer.setTitle(QString::fromStdString(report.Title));
    writer.setCreator(QStringLiteral("Vormid"));
    for (const auto& a : attachments) writer.addFileAttachment(a.FileName, a.Data, a.MimeType);
    auto doc = RenderReport(report, &writer);
    return PaintReport(*doc, writer, report);
}

}  // namespace

bool ReportFormatOf(const QString& path, TReportFormat* format) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        *format = TReportFormat::Pdf;
    else if (suffix == QLatin1String("odt"))
        *format = TReportFormat::Odt;
    else if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        *format = TReportFormat::Html;
    else
        return false;
    return true;
}

QString ReportHtml(const TReport& report) {
    auto doc = RenderReport(report);
    QString html = doc->toHtml();
    // The pictures live in the document's resources; a file on its own
    // carries them as data.
    static const QRegularExpression src(QStringLiteral("src=\"(report-picture-\\d+)\""));
    QString out;
    qsizetype last = 0;
    for (auto it = src.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QImage image = doc->resource(QTextDocument::ImageResource, QUrl(m.captured(1))).value<QImage>();
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        out += html.mid(last, m.capturedStart() - last);
        out += QStringLiteral("src=\"data:image/png;base64,") + QString::fromLatin1(png.toBase64()) + QLatin1Char('"');
        last = m.capturedEnd();
    }
    out += html.mid(last);
    return out;
}

bool WriteReport(const TReport& report, TReportFormat format, const QString& path,
                 const std::vector<TReportAttachment>& attachments, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = Reason(file);
        return false;
    }
    bool ok = false;
    switch (format) {
        case TReportFormat::Pdf:
            ok = WritePdf(report, file, attachments);
            break;
        case TReportFormat::Odt: {
            auto doc = RenderReport(report);
            // The ODF writer closes its device when done, which a QSaveFile
            // refuses; the package is made in memory first.
            QByteArray package;
            QBuffer buffer(&package);
            buffer.open(QIODevice::WriteOnly);
            QTextDocumentWriter writer(&buffer, "ODF");
            ok = writer.write(doc.get()) && file.write(package) == package.size();
            break;
        }
        case TReportFormat::Html:
            ok = file.write(ReportHtml(report).toUtf8()) >= 0;
            break;
    }
    if (!ok || !file.commit()) {
        if (error) *error = Reason(file);
        file.cancelWriting();
        return false;
    }
    return true;
}

}  // namespace vormid::report
