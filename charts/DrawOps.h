#pragma once
// A picture as a list of drawing operations in pixel coordinates, for
// pictures whose steps mix rectangles, pens, texts and glyph images. The
// painter adapter replays the list in order; tests read it.
#include <string>
#include <vector>

#include "charts/ChartGeometry.h"

namespace vormid::charts {

enum class TPenStyle { Solid, Dash, DashDot, DashDotDot };

// Glyph and caption pictures of the histogram.
enum class TChartImage { CountsCaption, PercentCaption, MeanGlyph, MedianGlyph };

enum class TOpKind {
    FillRect,   // (X1,Y1)-(X2,Y2) both inclusive, Brush only
    Rect,       // (X1,Y1)-(X2,Y2) both inclusive: Pen outline, Brush inside
    FrameRect,  // outline only
    Line,       // (X1,Y1) to (X2,Y2), both ends drawn
    Polyline,   // Points
    Text,       // Text with its left edge at X1, top at Y1, in Pen; clipped to
                // (X1,Y1)-(X2,Y2) when Clip
    Image,      // Image copied into (X1,Y1)-(X2,Y2)
};

struct TDrawOp {
    TOpKind Kind = TOpKind::Line;
    TRgb Pen = kBlack;
    TRgb Brush = kWhite;
    TPenStyle Style = TPenStyle::Solid;
    int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    std::vector<TPoint> Points;
    std::string Text;  // UTF-8
    bool Clip = false;
    TChartImage Image = TChartImage::CountsCaption;
};

using TDrawList = std::vector<TDrawOp>;

inline TDrawOp Line(int x1, int y1, int x2, int y2, TRgb pen = kBlack, TPenStyle style = TPenStyle::Solid) {
    TDrawOp op;
    op.Kind = TOpKind::Line;
    op.Pen = pen;
    op.Style = style;
    op.X1 = x1, op.Y1 = y1, op.X2 = x2, op.Y2 = y2;
    return op;
}

// A FillRect, Rect or FrameRect.
inline TDrawOp Box(TOpKind kind, int x1, int y1, int x2, int y2, TRgb pen, TRgb brush) {
    TDrawOp op;
    op.Kind = kind;
    op.Pen = pen;
    op.Brush = brush;
    op.X1 = x1, op.Y1 = y1, op.X2 = x2, op.Y2 = y2;
    return op;
}

}  // namespace vormid::charts
