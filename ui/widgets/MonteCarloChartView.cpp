#include "ui/widgets/MonteCarloChartView.h"

#include <QPainter>

#include "charts/ChartPainter.h"

namespace vormid {

TMonteCarloChartView::TMonteCarloChartView(QWidget* parent) : QWidget(parent) {}

void TMonteCarloChartView::SetData(charts::TMonteCarloChartData data) {
    data_ = std::move(data);
    update();
}

void TMonteCarloChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    charts::PaintDrawList(painter, charts::MonteCarloChartOps(data_, width(), height()), font());
}

}  // namespace vormid
