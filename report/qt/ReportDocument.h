#pragma once
// The one renderer of the uncertainty report: its content as a
// QTextDocument (fonts, tables with repeated header rows, pictures), and the
// painting of that document page by page with the page footer. Print
// preview, PDF, ODT and HTML all draw this document.
#include <QPageLayout>
#include <QString>
#include <memory>

#include "report/ReportContent.h"

class QPagedPaintDevice;
class QPaintDevice;
class QTextDocument;

namespace vormid::report {

// A4 portrait with the report's margins (the footer is inside them).
QPageLayout ReportPageLayout();

// The report as a document. With a device the document is laid out for it
// (its resolution, pages of its paint rectangle less the footer); without
// one it is a flowing document for ODT and HTML.
std::unique_ptr<QTextDocument> RenderReport(const TReport& report, QPagedPaintDevice* device = nullptr);

// Paints every page of a document made for device, with "Страница m от n"
// under each. False when the device cannot be painted on.
bool PaintReport(QTextDocument& document, QPagedPaintDevice& device, const TReport& report);

}  // namespace vormid::report
