#pragma once
// TDistributionChart: the probability density of a Type B distribution with
// a marker for the value and markers for the limits of the interval. The
// shapes are fixed tables scaled to the widget (the log-normal curve is
// sampled from its parameters); the label texts come from OnLabel.
#include <QColor>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "charts/DistributionShape.h"
#include "core/GumTypes.h"

namespace vormid {

// Label texts of a marker: the value in, the main text V and an optional
// exponent E out (drawn raised after V). Both arrive empty.
using TLabelNotify = std::function<void(long double Value, QString& V, QString& E)>;

class TDistributionChart : public QWidget {
    Q_OBJECT
public:
    explicit TDistributionChart(QWidget* parent = nullptr);

    // Each setter stores a changed value, resamples the log-normal curve and
    // repaints; an equal value does nothing.
    TDistribution Distribution() const { return static_cast<TDistribution>(props_.Distribution); }
    void SetDistribution(TDistribution value);
    double AVG() const { return props_.AVG; }
    void SetAVG(double value);
    // -1.0 means "not set": the chart shows its axes only.
    double Param1() const { return props_.Param1; }
    void SetParam1(double value);
    double Param2() const { return props_.Param2; }
    void SetParam2(double value);
    TLgLimit LtdType() const { return static_cast<TLgLimit>(props_.LtdType); }
    void SetLtdType(TLgLimit value);

    // Colours only repaint.
    void SetColorGraph(const QColor& c);
    void SetColorFill(const QColor& c);
    void SetColorAVG(const QColor& c);
    void SetColorLine(const QColor& c);

    // Called once per marker while painting; no handler, no labels.
    void SetOnLabel(TLabelNotify handler);
    const TLabelNotify& OnLabel() const { return onLabel_; }

    // The geometry that a paint at the current size draws.
    charts::TDistributionPicture Picture() const;
    const charts::TLogNormalSampling& LogNormal() const { return sampling_; }

    QSize sizeHint() const override { return {351, 194}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void RecalcLogNormal();
    void Changed();
    struct TLabelText {
        QString V, E;
        int VWidth = 0, Width = 0;
    };
    std::vector<TLabelText> LabelTexts(const std::vector<charts::TMarker>& markers) const;
    // Left edges (nothing for a label without room), in the markers' order.
    std::vector<std::optional<int>> LabelPlaces(const std::vector<charts::TMarker>& markers,
                                                const std::vector<TLabelText>& texts) const;
    void DrawLabel(QPainter& painter, int left, const TLabelText& text);

    charts::TChartProperties props_;
    charts::TLogNormalSampling sampling_;
    QColor colorGraph_{0, 0, 255};
    QColor colorFill_{255, 255, 255};
    QColor colorAVG_{0, 128, 0};
    QColor colorLine_{255, 0, 255};
    TLabelNotify onLabel_;
};

}  // namespace vormid
