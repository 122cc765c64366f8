#pragma once

#include <QIcon>
#include <QPixmap>

namespace zandrevio {

// The product name in yellow on blue, flat or with a gradient ground.
QPixmap ProductNamePicture(QSize size, bool gradient);
// The program icon, in several sizes.
QIcon ProgramIcon();

} // namespace zandrevio
