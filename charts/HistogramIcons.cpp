#include "charts/HistogramIcons.h"

#include <QPixmap>

#include "charts/ChartPainter.h"

namespace vormid {

QIcon HistogramIcon(int index) {
    if (index < 0 || index >= kHistogramIconCount) return {};
    (void)charts::ChartPicture(charts::TChartImage::MeanGlyph);  // registers the resources
    return QIcon(QPixmap(QStringLiteral(":/charts/ilHisto/%1").arg(index, 2, 10, QLatin1Char('0'))));
}

}  // namespace vormid
