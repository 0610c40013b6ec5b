#include "charts/DistributionChart.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>

namespace vormid {

namespace {

QColor ToQColor(charts::TRgb c) { return QColor(c.r, c.g, c.b); }

QPolygon ToPolygon(const std::vector<charts::TPoint>& points) {
    QPolygon poly;
    poly.reserve(static_cast<int>(points.size()));
    for (const auto& p : points) poly << QPoint(p.x, p.y);
    return poly;
}

}  // namespace

TDistributionChart::TDistributionChart(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void TDistributionChart::Changed() {
    RecalcLogNormal();
    update();
}

void TDistributionChart::SetDistribution(TDistribution value) {
    if (props_.Distribution == value) return;
    props_.Distribution = value;
    Changed();
}

void TDistributionChart::SetAVG(double value) {
    if (props_.AVG == value) return;
    props_.AVG = value;
    Changed();
}

void TDistributionChart::SetParam1(double value) {
    if (props_.Param1 == value) return;
    props_.Param1 = value;
    Changed();
}

void TDistributionChart::SetParam2(double value) {
    if (props_.Param2 == value) return;
    props_.Param2 = value;
    Changed();
}

void TDistributionChart::SetLtdType(TLgLimit value) {
    if (props_.LtdType == value) return;
    props_.LtdType = value;
    Changed();
}

void TDistributionChart::SetColorGraph(const QColor& c) {
    if (colorGraph_ == c) return;
    colorGraph_ = c;
    update();
}

void TDistributionChart::SetColorFill(const QColor& c) {
    if (colorFill_ == c) return;
    colorFill_ = c;
    update();
}

void TDistributionChart::SetColorAVG(const QColor& c) {
    if (colorAVG_ == c) return;
    colorAVG_ = c;
    update();
}

void TDistributionChart::SetColorLine(const QColor& c) {
    if (colorLine_ == c) return;
    colorLine_ = c;
    update();
}

void TDistributionChart::SetOnLabel(TLabelNotify handler) {
    onLabel_ = std::move(handler);
    update();
}

// Only the log-normal kind has state of its own. Other kinds, and parameters
// that describe no log-normal distribution, leave no samples behind, so a
// curve on the screen always belongs to the numbers shown beside it.
void TDistributionChart::RecalcLogNormal() {
    if (props_.Distribution != dc_LgNormal) {
        sampling_ = {};
        return;
    }
    sampling_ =
        charts::SampleLogNormal(props_.Param1, props_.Param2, props_.AVG, static_cast<TLgLimit>(props_.LtdType));
}

charts::TDistributionPicture TDistributionChart::Picture() const {
    return charts::BuildDistributionPicture(props_, sampling_, width(), height());
}

void TDistributionChart::DrawLabel(QPainter& painter, int x, int alignment, double value) {
    if (!onLabel_) return;
    QString v, e;
    onLabel_(value, v, e);
    QFont font = painter.font();
    font.setFamily(this->font().family());
    font.setPointSize(8);
    painter.setFont(font);
    const QFontMetrics fm(font);
    const int width = fm.horizontalAdvance(v + e);
    int left = x;
    if (alignment == 1)
        left = x - width / 2;
    else if (alignment == 2)
        left = x - width;
    const int top = height() - 12;
    const QRect box(left, top, fm.horizontalAdvance(v), fm.height());
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, v);
    if (e.isEmpty()) return;
    QFont small = font;
    small.setPointSize(7);
    painter.setFont(small);
    const QFontMetrics sfm(small);
    painter.drawText(QRect(box.right() + 1, top - 2, sfm.horizontalAdvance(e), sfm.height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, e);
    painter.setFont(font);
}

void TDistributionChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const charts::TDistributionPicture pic = Picture();
    const int W = pic.W, H = pic.H;
    const QColor back = ToQColor(charts::kChartBackColor);
    painter.fillRect(0, 0, W, H, back);

    painter.setPen(colorFill_);
    painter.setBrush(colorFill_);
    for (const auto& fill : pic.Fills) painter.drawPolygon(ToPolygon(fill));

    if (!pic.Shape.empty()) {
        painter.setPen(colorGraph_);
        painter.setBrush(colorFill_);
        if (pic.ShapeIsRect) {
            const auto& a = pic.Shape[0];
            const auto& b = pic.Shape[1];
            painter.drawRect(a.x, a.y, b.x - a.x, b.y - a.y);
        } else {
            painter.drawPolygon(ToPolygon(pic.Shape));
        }
    }

    if (!pic.Curve.empty()) {
        painter.setPen(colorGraph_);
        painter.drawPolyline(ToPolygon(pic.Curve));
    }

    // Labels sit on the chart's own background, over whatever they cover.
    painter.setBackground(back);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBrush(back);
    for (const auto& m : pic.Markers) {
        DrawLabel(painter, m.LabelX, m.Align, m.Label);
        painter.setPen(m.Kind == charts::TMarker::Value ? colorAVG_ : colorLine_);
        painter.drawLine(m.LineX, H - 12, m.LineX, 5);
    }
    painter.setBackgroundMode(Qt::TransparentMode);

    if (pic.Axes) {
        painter.setPen(Qt::black);
        painter.drawLine(5, 0, 5, H - 15);
        painter.drawLine(5, H - 15, W - 1, H - 15);
    }
}

}  // namespace vormid
