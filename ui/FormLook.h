#pragma once
// The forms' common look: Tahoma 8 pt and the background RGB(236,233,216).
#include <QColor>
#include <QString>

namespace vormid {

inline const QColor kFormBackground{236, 233, 216};

// Loads Tahoma from the given directories (Wine's copy by default), falling
// back to DejaVu Sans, and makes it the application font at 8 points.
// Returns the family in use. Call after the QApplication exists.
QString InstallFormFont(const QStringList& fontDirs = {});

// The application palette with the common background colour.
void InstallFormPalette();

}  // namespace vormid
