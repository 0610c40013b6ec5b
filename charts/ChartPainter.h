#pragma once
// Replays a list of drawing operations on a QPainter, and the pictures the
// operations name (Qt resources ":/charts/...").
#include <QFont>
#include <QImage>

#include "charts/DrawOps.h"
#include "charts/HistogramLayout.h"

class QPainter;

namespace vormid::charts {

// The glyph or caption picture; a null image when the resource is missing.
const QImage& ChartPicture(TChartImage image);

// Draws ops in order with 1-pixel cosmetic pens and the given font.
void PaintDrawList(QPainter& painter, const TDrawList& ops, const QFont& font);

// Text widths in that font, for the layout.
TTextWidth FontTextWidth(const QFont& font);

}  // namespace vormid::charts
