#include "ui/FormLook.h"

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QPalette>

namespace vormid {

QString InstallFormFont(const QStringList& fontDirs) {
    QStringList dirs = fontDirs;
    if (dirs.isEmpty())
        dirs << QApplication::applicationDirPath() + QStringLiteral("/fonts")
             << QStringLiteral("/usr/share/wine/fonts");
    QString family;
    for (const QString& dir : dirs) {
        QString regular = dir + QStringLiteral("/tahoma.ttf");
        if (!QFileInfo::exists(regular)) continue;
        int id = QFontDatabase::addApplicationFont(regular);
        if (id < 0) continue;
        QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (families.isEmpty()) continue;
        family = families.first();
        // The bold face beside it is left out on purpose: Wine's tahomabd.ttf
        // only widens the letters, its strokes are as thin as the regular
        // ones, so bold names and headings looked regular. Without it the
        // font engine emboldens the regular face, which reads as bold.
        break;
    }
    if (family.isEmpty()) family = QStringLiteral("DejaVu Sans");
    QFont font(family);
    font.setPointSize(8);
    QApplication::setFont(font);
    return family;
}

void InstallFormPalette() {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, kFormBackground);
    palette.setColor(QPalette::Button, kFormBackground);
    QApplication::setPalette(palette);
}

}  // namespace vormid
