#include "ui/models/KeyedTableModel.h"

#include <algorithm>

namespace vormid {

int TKeyedTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TKeyedTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

void TKeyedTableModel::ResetTo(TKeys rows, TKeys columns) {
    beginResetModel();
    rows_ = std::move(rows);
    columns_ = std::move(columns);
    endResetModel();
}

// The known keys and the keys now share a head and a tail; between them,
// Gone known keys make room for Come new ones, the first Kept of each
// replaced in place (an edited row, not a removed and an inserted one).
struct TKeyDiff {
    int Head, Gone, Come, Kept;
};

namespace {

TKeyDiff Compare(const TKeys& known, const TKeys& now) {
    const auto head =
        static_cast<int>(std::mismatch(known.begin(), known.end(), now.begin(), now.end()).first - known.begin());
    const auto tail = std::min(
        static_cast<int>(std::min(known.size(), now.size())) - head,
        static_cast<int>(std::mismatch(known.rbegin(), known.rend(), now.rbegin(), now.rend()).first - known.rbegin()));
    const int gone = static_cast<int>(known.size()) - head - tail, come = static_cast<int>(now.size()) - head - tail;
    return {head, gone, come, std::min(gone, come)};
}

}  // namespace

void TKeyedTableModel::Show(const TKeys& rows, const TKeys& columns, const QList<int>& roles) {
    const TKeyDiff r = Compare(rows_, rows), c = Compare(columns_, columns);
    // While the columns change, the views still know the rows before.
    rowShift_ = {r.Head + r.Kept, r.Head + r.Gone, r.Come - r.Gone};
    Change(Qt::Horizontal, columns_, columns, c, columnShift_);
    Change(Qt::Vertical, rows_, rows, r, rowShift_);
    if (!rows_.empty() && !columns_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), roles);
}

void TKeyedTableModel::Change(Qt::Orientation o, TKeys& known, const TKeys& now, const TKeyDiff& d, TShift& shift) {
    const bool rows = o == Qt::Vertical;
    const int at = d.Head + d.Kept, end = d.Head + d.Gone;
    shift = {at, end, d.Come - d.Gone};
    if (d.Gone > d.Kept) {
        rows ? beginRemoveRows({}, at, end - 1) : beginRemoveColumns({}, at, end - 1);
        known.erase(known.begin() + at, known.begin() + end);
        shift = {at, at, d.Come - d.Kept};
        rows ? endRemoveRows() : endRemoveColumns();
    }
    if (d.Come > d.Kept) {
        rows ? beginInsertRows({}, at, d.Head + d.Come - 1) : beginInsertColumns({}, at, d.Head + d.Come - 1);
        known.insert(known.begin() + at, now.begin() + at, now.begin() + d.Head + d.Come);
        shift = {};
        rows ? endInsertRows() : endInsertColumns();
    }
    shift = {};
    std::copy(now.begin() + d.Head, now.begin() + at, known.begin() + d.Head);
    if (!rows && d.Kept > 0) emit headerDataChanged(o, d.Head, at - 1);
}

}  // namespace vormid
