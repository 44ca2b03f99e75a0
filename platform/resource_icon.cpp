#include "platform/resource_icon.h"

#include <QPixmap>

#include "platform/resource_picture.h"

QIcon ResourceIcon(const QString& path) { return QIcon(QPixmap::fromImage(ResourcePicture(path))); }
