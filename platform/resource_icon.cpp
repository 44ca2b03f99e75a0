#include "platform/resource_icon.h"

#include <QPixmap>

QIcon ResourceIcon(const QString& path) { return QIcon(QPixmap(path)); }
