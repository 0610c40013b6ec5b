#include "ui/ProgramIcon.h"

#include <QString>

// The resources of a static library are registered only when something
// refers to them; Q_INIT_RESOURCE must be called outside any namespace.
static void InitProgramIconResource() { Q_INIT_RESOURCE(ProgramIcon); }

namespace vormid {

QString ProgramIconResource(int size) {
    InitProgramIconResource();
    return QStringLiteral(":/vormid/icons/%1/vormid.png").arg(size);
}

QString FileTypeIconResource(int size) {
    InitProgramIconResource();
    return QStringLiteral(":/vormid/mimetypes/%1/application-x-gum-model.png").arg(size);
}

QIcon BuiltInProgramIcon() {
    QIcon icon;
    for (int size : kIconSizes) icon.addFile(ProgramIconResource(size), QSize(size, size));
    return icon;
}

QIcon ProgramIcon() { return QIcon::fromTheme(QString::fromLatin1(kProgramIconName), BuiltInProgramIcon()); }

}  // namespace vormid
