#pragma once
// Item model of the statistics grid dgStat: six rows of three label/value
// pairs (TStatTable), the value columns right-aligned, exponents apart.
#include <QAbstractTableModel>

#include "core/GumParamStatTable.h"

namespace vormid {

class TStatisticsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Role : int { Exponent = Qt::UserRole + 1 };

    explicit TStatisticsModel(QObject* parent = nullptr);
    // Rebuilds the table from the quantity's statistics (null: empty).
    void SetQuantity(const TGumParam* q, const TNumberFormatSettings& settings);
    const TStatTable& Table() const { return table_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    TStatTable table_{};
};

}  // namespace vormid
