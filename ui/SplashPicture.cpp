#include "ui/SplashPicture.h"

#include <QFont>
#include <QPainter>

#include "ui/ProgramIcon.h"

namespace vormid {

QPixmap SplashPicture() {
    QPixmap picture(420, 180);
    picture.fill(QColor(236, 233, 216));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(84, 128, 171));
    p.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    p.drawPixmap(24, 26, BuiltInProgramIcon().pixmap(128, 128));
    QFont title = p.font();
    title.setPointSize(22);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(40, 60, 90));
    p.drawText(QRect(170, 40, 230, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Vormid"));
    QFont line = p.font();
    line.setPointSize(10);
    line.setBold(false);
    p.setFont(line);
    p.drawText(QRect(170, 90, 230, 60), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Оценка на неопределеността на измерване по метода GUM"));
    return picture;
}

}  // namespace vormid
