#pragma once
// Item model of the schema grid dgSchema: "No" (the line number, bold) and
// "Указание" (the line text, editable). At least one row is shown, empty
// when the schema has no line. Edits go out through lineTyped.
#include "core/GumParam.h"
#include "ui/models/KeyedTableModel.h"

namespace vormid {

class TSchemaModel : public TKeyedTableModel {
    Q_OBJECT
public:
    explicit TSchemaModel(QObject* parent = nullptr);

    // Another quantity: a reset.
    void SetQuantity(const TGumParam* q);
    // Lines inserted or deleted are announced as rows, the rest as changed,
    // so that the selected line stays selected.
    void Refresh();
    int LineCount() const;

    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void lineTyped(int line, const QString& text);

private:
    // The lines, or one empty row without any.
    TKeys Rows() const;
    // The line a row shows now; -1 for none.
    int Line(int row) const;

    const TGumParam* q_ = nullptr;
};

}  // namespace vormid
