#pragma once
// The quantity list dgParams as an item model over the model's quantities:
// one row per quantity in list order (one empty row when there is none); the column "Величина" (the name, bold),
// and in the wide state also "Изм. ед." and "Описание", which are edited in
// place through the model controller.
#include "ui/models/KeyedTableModel.h"

namespace vormid {

class TModelController;

class TQuantityListModel : public TKeyedTableModel {
    Q_OBJECT
public:
    enum Column { colName = 0, colUnits = 1, colDescription = 2 };

    explicit TQuantityListModel(TModelController& controller, QObject* parent = nullptr);

    // Compact: the name column only; wide: all three.
    void SetWide(bool wide);
    bool Wide() const { return wide_; }

    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    // Quantities by name (one empty row without any), columns by number.
    TKeys Rows() const;
    TKeys Columns() const;
    // Quantities added, deleted or renamed are announced as such.
    void Refresh() { Show(Rows(), Columns()); }

    TModelController& controller_;
    bool wide_ = false;
};

}  // namespace vormid
