#include "platform/resource_picture.h"

#include <QFile>
#include <QImageReader>

QByteArray PictureFormatOf(const QByteArray& head) {
  if (head.startsWith("\x89PNG\r\n\x1a\n")) return QByteArrayLiteral("png");
  if (head.startsWith("BM")) return QByteArrayLiteral("bmp");
  if (head.startsWith("\xFF\xD8\xFF")) return QByteArrayLiteral("jpeg");
  return {};
}

QImage ResourcePicture(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray format = PictureFormatOf(file.peek(8));
  QImageReader reader(&file, format);
  // With its format known, only a plugin made for that format is asked.
  if (!format.isEmpty()) reader.setAutoDetectImageFormat(false);
  return reader.read();
}
