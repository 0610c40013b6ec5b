#include "ui/RecentFiles.h"

namespace vormid {

void TRecentFiles::AddRecentFile(const QString& path) {
    RemoveRecentFile(path);
    while (entries_.size() > kMaxEntries - 1) entries_.removeLast();
    entries_.prepend(path);
}

void TRecentFiles::RemoveRecentFile(const QString& path) {
    qsizetype i = entries_.indexOf(path, 0);  // QString == is exact, case-sensitive
    if (i >= 0) entries_.removeAt(i);
}

void TRecentFiles::InsertTop(const QString& path) { entries_.prepend(path); }

}  // namespace vormid
