#pragma once
// The program's icon for its windows.
#include <QIcon>

namespace vormid {

inline constexpr const char* kProgramIconName = "vormid";

// The icon "vormid" of the desktop's icon theme, as an installation or the
// Debian package puts it into hicolor, so that the window shows what the
// launcher and the desktop entry show. A program run from the build tree
// (no theme icon) gets the same drawing from its own resources.
QIcon ProgramIcon();

// The drawing in the program's resources, one picture per size.
QIcon BuiltInProgramIcon();

}  // namespace vormid
