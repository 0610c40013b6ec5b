#pragma once
// The report written to files: PDF (fonts embedded, the model file and its
// budget JSON attached, so that the printed figures can be checked against
// the model later), ODT through Qt's ODF writer, and HTML with its pictures
// inside. Each file is written whole or not at all.
#include <QByteArray>
#include <QString>
#include <vector>

#include "report/ReportContent.h"

namespace vormid::report {

struct TReportAttachment {
    QString FileName;
    QByteArray Data;
    QString MimeType;
};

// Name of the attached budget JSON; the attached model keeps its own name.
inline constexpr const char* kBudgetAttachmentName = "vormid-budget.json";

enum class TReportFormat { Pdf, Odt, Html };

// The format a file name asks for by its extension (case ignored); false
// for any other extension.
bool ReportFormatOf(const QString& path, TReportFormat* format);

// Writes the report; attachments go into a PDF only. On failure returns
// false with the reason in *error (Bulgarian) and leaves any existing file
// as it was.
bool WriteReport(const TReport& report, TReportFormat format, const QString& path,
                 const std::vector<TReportAttachment>& attachments, QString* error);

// The HTML of a report with its pictures as data: URLs.
QString ReportHtml(const TReport& report);

}  // namespace vormid::report
