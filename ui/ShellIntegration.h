#pragma once
// Open requests from the desktop and the file-type association.
#include <QString>
#include <QStringList>

namespace vormid {

// The file paths of an open request, one per line of the form
// [Execute("PATH")]; lines not starting with "[Execute(" or without a double
// quote are ignored. A missing closing quote takes the rest of the line.
QStringList ParseExecuteMacro(const QStringList& lines);

// The request text that asks the running program to open the path.
QString MakeExecuteRequest(const QString& path);

// Writes the desktop entry "vormid.desktop" and the MIME type for "*.gmf"
// ("GUM Model File") under dataHome (the user's XDG data directory when
// empty), starting the program at programPath. Refreshes the desktop's MIME
// cache when the tool exists and something changed. Every failure is silent.
//
// When a desktop entry "vormid.desktop" is installed in one of
// systemDataDirs (an installation or the Debian package did it), nothing is
// written: a per-user entry would shadow the installed one. A per-user entry
// that an earlier start wrote is then removed, so that it no longer hides
// the installed one (another file of that name is left alone).
void RegisterFileType(const QString& programPath, const QString& dataHome, const QStringList& systemDataDirs);
// The same with the desktop's data folders other than the user's own.
void RegisterFileType(const QString& programPath, const QString& dataHome = QString());

// The data folders of the system (XDG_DATA_DIRS), without the user's own.
QStringList SystemDataDirs();

// The text of the desktop entry (exposed for tests).
QString DesktopEntryText(const QString& programPath);

inline constexpr const char* kGmfMimeType = "application/x-gum-model";

}  // namespace vormid
