#pragma once
// Paints the Monte Carlo chart whose geometry charts/MonteCarloChart gives.
#include <QWidget>

#include "charts/MonteCarloChart.h"

namespace vormid {

class TMonteCarloChartView : public QWidget {
    Q_OBJECT
public:
    explicit TMonteCarloChartView(QWidget* parent = nullptr);
    void SetData(charts::TMonteCarloChartData data);
    const charts::TMonteCarloChartData& Data() const { return data_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    charts::TMonteCarloChartData data_;
};

}  // namespace vormid
