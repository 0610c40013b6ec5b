#pragma once
// The correlation list as the grid dgCorr shows it: one row per pair (one
// empty row for an empty list), columns "Величина 1", "Величина 2",
// "Коефициент". A pair naming a quantity that is no longer a Type A or
// Type B input is greyed with a hint; it stays in the list until deleted.
#include <QAbstractTableModel>

namespace vormid {

class TGumModel;

class CorrelationModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role { StaleRole = Qt::UserRole + 1 };
    explicit CorrelationModel(QObject* parent = nullptr);

    void Reset(const TGumModel* model);
    // The pair at row changed (names or coefficient).
    void PairChanged(int row);
    // Whether row's pair names a quantity that is not a Type A or B input.
    bool Stale(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    bool IsInput(const std::string& name) const;
    const TGumModel* model_ = nullptr;
};

}  // namespace vormid
