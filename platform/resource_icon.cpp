#include "platform/resource_icon.h"

#include <QHash>
#include <QImage>
#include <QPixmap>

#include "platform/resource_picture.h"

QIcon ResourceIcon(const QString& path) {
  // Each picture is read once: the menus and the buttons beside the plan show the same ones,
  // and the panels' titles five times the same close picture.
  static QHash<QString, QImage> read;
  auto it = read.constFind(path);
  if (it == read.constEnd()) it = read.insert(path, ResourcePicture(path));
  return QIcon(QPixmap::fromImage(*it));
}
