#pragma once
// Item model of the schema grid dgSchema: "No" (the line number, bold) and
// "Указание" (the line text, editable). At least one row is shown, empty
// when the schema has no line. Edits go out through lineTyped.
#include <QAbstractTableModel>

#include "core/GumParam.h"

namespace vormid {

class TSchemaModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TSchemaModel(QObject* parent = nullptr);
    void SetQuantity(const TGumParam* q);
    void Refresh();
    int LineCount() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void lineTyped(int line, const QString& text);

private:
    const TGumParam* q_ = nullptr;
    int rows_ = 1;
};

}  // namespace vormid
