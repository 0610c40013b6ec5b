#include "charts/DistributionChart.h"

#include "charts/MarkerLabels.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>
#include <utility>

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
    if (std::exchange(props_.Distribution, value) != value) Changed();
}

void TDistributionChart::SetAVG(double value) {
    if (std::exchange(props_.AVG, value) != value) Changed();
}

void TDistributionChart::SetParam1(double value) {
    if (std::exchange(props_.Param1, value) != value) Changed();
}

void TDistributionChart::SetParam2(double value) {
    if (std::exchange(props_.Param2, value) != value) Changed();
}

void TDistributionChart::SetLtdType(TLgLimit value) {
    if (std::exchange(props_.LtdType, value) != value) Changed();
}

void TDistributionChart::SetColorGraph(const QColor& c) {
    if (std::exchange(colorGraph_, c) != c) update();
}

void TDistributionChart::SetColorFill(const QColor& c) {
    if (std::exchange(colorFill_, c) != c) update();
}

void TDistributionChart::SetColorAVG(const QColor& c) {
    if (std::exchange(colorAVG_, c) != c) update();
}

void TDistributionChart::SetColorLine(const QColor& c) {
    if (std::exchange(colorLine_, c) != c) update();
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

namespace {
constexpr int kLabelPoints = 8, kExponentPoints = 7;
constexpr int kLabelGap = 4;  // pixels between two labels
}  // namespace

std::vector<TDistributionChart::TLabelText> TDistributionChart::LabelTexts(
    const std::vector<charts::TMarker>& markers) const {
    std::vector<TLabelText> texts;
    if (!onLabel_) return texts;
    QFont font = this->font();
    font.setPointSize(kLabelPoints);
    QFont small = font;
    small.setPointSize(kExponentPoints);
    const QFontMetrics fm(font), sfm(small);
    for (const auto& m : markers) {
        TLabelText t;
        onLabel_(m.Label, t.V, t.E);
        t.VWidth = fm.horizontalAdvance(t.V);
        t.Width = t.VWidth + (t.E.isEmpty() ? 0 : 1 + sfm.horizontalAdvance(t.E));
        texts.push_back(t);
    }
    return texts;
}

std::vector<std::optional<int>> TDistributionChart::LabelPlaces(const std::vector<charts::TMarker>& markers,
                                                                const std::vector<TLabelText>& texts) const {
    std::vector<charts::TLabelBox> boxes;
    for (std::size_t i = 0; i < markers.size() && i < texts.size(); ++i)
        boxes.push_back(
            {markers[i].LabelX, markers[i].Align, texts[i].Width, markers[i].Kind == charts::TMarker::Value ? 1 : 0});
    return charts::PlaceMarkerLabels(boxes, 0, width(), kLabelGap);
}

void TDistributionChart::DrawLabel(QPainter& painter, int left, const TLabelText& text) {
    QFont font = painter.font();
    font.setFamily(this->font().family());
    font.setPointSize(kLabelPoints);
    painter.setFont(font);
    const QFontMetrics fm(font);
    const int top = height() - 12;
    const QRect box(left, top, text.VWidth, fm.height());
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text.V);
    if (text.E.isEmpty()) return;
    QFont small = font;
    small.setPointSize(kExponentPoints);
    painter.setFont(small);
    const QFontMetrics sfm(small);
    painter.drawText(QRect(box.right() + 1, top - 2, sfm.horizontalAdvance(text.E), sfm.height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text.E);
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
    // Labels are moved apart from their markers where they would meet.
    const std::vector<TLabelText> texts = LabelTexts(pic.Markers);
    const std::vector<std::optional<int>> places = LabelPlaces(pic.Markers, texts);
    for (std::size_t i = 0; i < pic.Markers.size(); ++i) {
        const auto& m = pic.Markers[i];
        if (i < places.size() && places[i]) DrawLabel(painter, *places[i], texts[i]);
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
