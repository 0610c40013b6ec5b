#pragma once
// Item model of the observation grid dgTypeA over one Type A quantity. The
// grid rules (columns, texts, shading, editable cells) are TObservationGrid's;
// this class only adapts them. Edits are not stored here: setData hands the
// typed text to whoever writes the model (cellTyped), so that every change
// goes through the one writer.
#include "core/GumParamGrid.h"
#include "ui/models/KeyedTableModel.h"

namespace vormid {

class TObservationModel : public TKeyedTableModel {
    Q_OBJECT
public:
    enum class Role : int { Exponent = Qt::UserRole + 1 };

    explicit TObservationModel(QObject* parent = nullptr);

    // The quantity shown (null: none) and the formats it is shown with; both
    // must outlive the model or be replaced before they go. Another quantity
    // resets the views; the same one is refreshed.
    void SetQuantity(const TGumParam* q, const TNumberFormatSettings* settings);
    const TGumParam* Quantity() const { return q_; }
    // The shape or every value may have changed: rows and columns added or
    // taken away are announced as such (an editor still committing and the
    // selection stay), every cell as changed.
    void Refresh();

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
    // Rows by their place, columns by their kind.
    TKeys Rows() const;
    TKeys Columns() const;
    // The cell shown at index now; false when there is none.
    bool Live(const QModelIndex& index, TObsCell& at) const;
};

}  // namespace vormid
