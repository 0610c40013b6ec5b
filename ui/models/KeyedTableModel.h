#pragma once
// A table model that remembers its rows and columns as keys (a name, a
// number: whatever tells one row from another) and tells its views how the
// shown keys changed: a block inserted or removed is announced as such, so
// that the views keep their selection and current cell; only a new model
// resets them.
#include <QAbstractTableModel>
#include <limits>
#include <string>
#include <vector>

namespace vormid {

using TKeys = std::vector<std::string>;
struct TKeyDiff;

class TKeyedTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;

    // Where a row (column) the views know is in the content now: while a
    // change is announced they still know the rows before it; -1 for a row
    // that is being removed. Data is read through these.
    int LiveRow(int row) const { return rowShift_.Live(row); }
    int LiveColumn(int column) const { return columnShift_.Live(column); }

protected:
    // Announces the change from the known keys to these: insertions and
    // removals, then every cell as changed in roles (empty: all roles).
    void Show(const TKeys& rows, const TKeys& columns, const QList<int>& roles = {});
    // Shows other content altogether: a reset.
    void ResetTo(TKeys rows, TKeys columns);

private:
    // Known places from From on are gone up to To, later ones moved by By.
    struct TShift {
        int From = std::numeric_limits<int>::max(), To = From, By = 0;
        int Live(int i) const { return i < From ? i : i < To ? -1 : i + By; }
    };
    void Change(Qt::Orientation o, TKeys& known, const TKeys& now, const TKeyDiff& d, TShift& shift);

    TKeys rows_, columns_;
    TShift rowShift_, columnShift_;
};

}  // namespace vormid
