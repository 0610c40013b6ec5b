#pragma once
// Item model of the observation grid dgTypeA over one Type A quantity. The
// grid rules (columns, texts, shading, editable cells) are TObservationGrid's;
// this class only adapts them. Edits are not stored here: setData hands the
// typed text to whoever writes the model (cellTyped), so that every change
// goes through the one writer.
#include <QAbstractTableModel>

#include "core/GumParamGrid.h"

namespace vormid {

class TObservationModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Role : int { Exponent = Qt::UserRole + 1 };

    explicit TObservationModel(QObject* parent = nullptr);

    // The quantity shown (null: none) and the formats it is shown with; both
    // must outlive the model or be replaced before they go.
    void SetQuantity(const TGumParam* q, const TNumberFormatSettings* settings);
    const TGumParam* Quantity() const { return q_; }
    // The shape or every value may have changed.
    void Refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Emits cellTyped and returns false: the value arrives by Refresh.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void cellTyped(int row, int column, const QString& text);

private:
    const TGumParam* q_ = nullptr;
    const TNumberFormatSettings* settings_ = nullptr;
    int rows_ = 0, columns_ = 0;  // the shape the views know
};

}  // namespace vormid
