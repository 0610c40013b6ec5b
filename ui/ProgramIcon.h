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

// The sizes of the built-in pictures, and the resource paths of the program's
// and of its model files' picture of one size.
inline constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
QString ProgramIconResource(int size);
QString FileTypeIconResource(int size);

}  // namespace vormid
