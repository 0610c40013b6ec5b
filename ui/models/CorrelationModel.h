#pragma once
// The correlation list as the grid dgCorr shows it: one row per pair (one
// empty row for an empty list), columns "Величина 1", "Величина 2",
// "Коефициент". Names come as markup for the name drawing, in bold. A pair
// naming a quantity that is no longer a Type A or Type B input is greyed
// with a hint; it stays in the list until deleted.
#include <QAbstractTableModel>
#include <string>

namespace vormid {

class TGumModel;

class CorrelationModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Whether the model has a pair; without one the grid shows a single empty row.
    bool HasPairs() const;
    // NameMarkup (the name delegate's role) is Qt::UserRole + 1.
    enum Role { StaleRole = Qt::UserRole + 2 };
    enum Column { colName1 = 0, colName2 = 1, colCoefficient = 2 };
    explicit CorrelationModel(QObject* parent = nullptr);

    void Reset(const TGumModel* model);
    // The list or the quantities changed: a reset when the number of rows
    // changed, otherwise every cell is announced as changed (the view keeps
    // its current cell).
    void Refresh();
    // Whether row's pair names a quantity that is not a Type A or B input.
    bool Stale(int row) const;
    // Whether name is a quantity of kind Type A or Type B.
    bool IsInput(const std::string& name) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    int Rows() const;
    const TGumModel* model_ = nullptr;
    int rows_ = 1;
};

}  // namespace vormid
