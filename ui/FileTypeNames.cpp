#include "ui/FileTypeNames.h"

#include <QFileInfo>

namespace vormid {

QString TFileTypeNames::type(const QFileInfo& info) const {
    if (info.isRoot()) return QStringLiteral("Устройство");
    if (info.isDir()) return QStringLiteral("Папка");
    if (info.suffix().compare(QLatin1String("gmf"), Qt::CaseInsensitive) == 0) return QStringLiteral("Модел GUM");
    return QFileIconProvider::type(info);
}

QFileIconProvider* FileTypeNames() {
    static TFileTypeNames names;
    return &names;
}

}  // namespace vormid
