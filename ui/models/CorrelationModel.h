#pragma once
// The correlation list as the grid dgCorr shows it: one row per pair (one
// empty row for an empty list), columns "Величина 1", "Величина 2",
// "Коефициент". Names come as markup for the name drawing, in bold. A pair
// naming a quantity that is no longer a Type A or Type B input is greyed
// with a hint; it stays in the list until deleted.
#include <string>

#include "ui/models/KeyedTableModel.h"
#include "ui/widgets/NameDelegate.h"

namespace vormid {

class TGumModel;

class CorrelationModel : public TKeyedTableModel {
    Q_OBJECT
public:
    // Whether the model has a pair; without one the grid shows a single empty row.
    bool HasPairs() const;
    // After the name delegate's roles, which the grid's cells also answer.
    enum class Role : int { Stale = static_cast<int>(TItemRole::MaxBytes) + 1 };
    enum Column { colName1 = 0, colName2 = 1, colCoefficient = 2 };
    explicit CorrelationModel(QObject* parent = nullptr);

    void Reset(const TGumModel* model);
    // The list or the quantities changed: pairs added or deleted are
    // announced as inserted or removed rows, every cell as changed (the view
    // keeps its selection and current cell).
    void Refresh();
    // Whether row's pair names a quantity that is not a Type A or B input.
    bool Stale(int row) const;
    // Whether name is a quantity of kind Type A or Type B.
    bool IsInput(const std::string& name) const;

    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    // A pair by its names; the empty row of an empty list by "".
    TKeys Rows() const;
    const TGumModel* model_ = nullptr;
};

}  // namespace vormid
