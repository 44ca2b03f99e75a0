#include "bells/bell_pictures.h"
#include "platform/resource_picture.h"

QString BellGlyphResource(int series) {
  return series == 2 ? QStringLiteral(":/bells/series2") : QStringLiteral(":/bells/series1");
}

QImage KeyOutLowerLeftColour(const QImage& picture) {
  if (picture.isNull()) return {};
  QImage out = picture.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = out.pixel(0, out.height() - 1) | 0xFF000000u;
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      if ((line[x] | 0xFF000000u) == key) line[x] = 0;
    }
  }
  return out;
}

QImage ButtonGlyph(const QString& resource) { return KeyOutLowerLeftColour(ResourcePicture(resource)); }
