#include "ui/ProgramIcon.h"

#include <QString>

// The resources of a static library are registered only when something
// refers to them; Q_INIT_RESOURCE must be called outside any namespace.
static void InitProgramIconResource() { Q_INIT_RESOURCE(ProgramIcon); }

namespace vormid {

QIcon BuiltInProgramIcon() {
    InitProgramIconResource();
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/vormid/icons/%1/vormid.png").arg(size), QSize(size, size));
    return icon;
}

QIcon ProgramIcon() { return QIcon::fromTheme(QString::fromLatin1(kProgramIconName), BuiltInProgramIcon()); }

}  // namespace vormid
