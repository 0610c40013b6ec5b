#pragma once
// The picture of the start-up splash window: the program's icon, its name
// and what it does, on the forms' colour.
#include <QPixmap>

namespace vormid {

QPixmap SplashPicture();

}  // namespace vormid
