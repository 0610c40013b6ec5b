#include "charts/ChartPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

static void InitChartResources() { Q_INIT_RESOURCE(charts); }

namespace vormid::charts {

namespace {

QColor ToQColor(TRgb c) { return QColor(c.r, c.g, c.b); }

QPen Pen(const TDrawOp& op) {
    // In the order of TPenStyle.
    constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DashDotLine, Qt::DashDotDotLine};
    QPen pen(ToQColor(op.Pen));
    pen.setWidth(0);  // cosmetic: one pixel whatever the transformation
    pen.setStyle(kStyles[static_cast<int>(op.Style)]);
    return pen;
}

}  // namespace

const QImage& ChartPicture(TChartImage image) {
    static const bool loaded = (InitChartResources(), true);
    (void)loaded;
    static const QImage pictures[] = {
        QImage(QStringLiteral(":/charts/T1BG")),
        QImage(QStringLiteral(":/charts/T2BG")),
        QImage(QStringLiteral(":/charts/T3")),
        QImage(QStringLiteral(":/charts/T4")),
    };
    return pictures[static_cast<int>(image)];
}

TTextWidth FontTextWidth(const QFont& font) {
    return [fm = QFontMetrics(font)](const std::string& text) {
        return fm.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    };
}

void PaintDrawList(QPainter& painter, const TDrawList& ops, const QFont& font) {
    painter.setFont(font);
    const QFontMetrics fm(font);
    for (const TDrawOp& op : ops) {
        const int w = op.X2 - op.X1, h = op.Y2 - op.Y1;
        switch (op.Kind) {
            case TOpKind::FillRect:
                painter.fillRect(op.X1, op.Y1, w + 1, h + 1, ToQColor(op.Brush));
                break;
            case TOpKind::Rect:
            case TOpKind::FrameRect:
                painter.setPen(Pen(op));
                painter.setBrush(op.Kind == TOpKind::Rect ? QBrush(ToQColor(op.Brush)) : QBrush(Qt::NoBrush));
                painter.drawRect(op.X1, op.Y1, w, h);
                break;
            case TOpKind::Line:
                painter.setPen(Pen(op));
                painter.drawLine(op.X1, op.Y1, op.X2, op.Y2);
                break;
            case TOpKind::Polyline: {
                QPolygon poly;
                poly.reserve(static_cast<int>(op.Points.size()));
                for (const TPoint& p : op.Points) poly << QPoint(p.x, p.y);
                painter.setPen(Pen(op));
                painter.drawPolyline(poly);
                break;
            }
            case TOpKind::Text: {
                const QString text = QString::fromUtf8(op.Text.data(), static_cast<qsizetype>(op.Text.size()));
                painter.setPen(ToQColor(op.Pen));
                if (op.Clip) {
                    painter.save();
                    painter.setClipRect(op.X1, op.Y1, w + 1, h + 1);
                }
                painter.drawText(QRect(op.X1, op.Y1, fm.horizontalAdvance(text) + 1, fm.height()),
                                 Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
                if (op.Clip) painter.restore();
                break;
            }
            case TOpKind::Image:
                painter.drawImage(QRect(op.X1, op.Y1, w + 1, h + 1), ChartPicture(op.Image));
                break;
        }
    }
}

}  // namespace vormid::charts
