#pragma once
// The recent-file list behind the two menus pmRFL and miRFL: at most five
// full paths, newest first, compared exactly (case matters).
#include <QStringList>

namespace vormid {

class TRecentFiles {
public:
    static constexpr int kMaxEntries = 5;

    // Moves or enters the path at the top; drops the oldest beyond five.
    void AddRecentFile(const QString& path);
    // Removes the first entry equal to the path; no-op when absent.
    void RemoveRecentFile(const QString& path);
    // Enters a path at the top without the limit (restoring stored lists).
    void InsertTop(const QString& path);
    void Clear() { entries_.clear(); }

    const QStringList& Entries() const { return entries_; }
    int Count() const { return int(entries_.size()); }

private:
    QStringList entries_;
};

}  // namespace vormid
