#include "platform/pattern.h"

#include <QPainter>

#include "platform/white_key.h"

QImage ShiftedPattern(const QImage& pattern, QPoint offset) {
  if (pattern.isNull()) return pattern;
  const int w = pattern.width(), h = pattern.height();
  const int ox = ((offset.x() % w) + w) % w, oy = ((offset.y() % h) + h) % h;
  if (ox == 0 && oy == 0) return pattern;
  QImage shifted(w, h, pattern.format());
  QPainter p(&shifted);
  p.drawImage(-ox, -oy, pattern);
  p.drawImage(w - ox, -oy, pattern);
  p.drawImage(-ox, h - oy, pattern);
  p.drawImage(w - ox, h - oy, pattern);
  return shifted;
}

QImage KeyedPattern(const QImage& pattern) {
  if (pattern.isNull()) return pattern;
  const QImage rgb = pattern.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < rgb.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
      if ((line[x] & 0xFFFFFFu) == 0xFFFFFFu) {
        TPixelStore store;
        return KeyOutWhiteInto(rgb, rgb.rect(), store).copy();
      }
    }
  }
  return rgb;  // nothing to key: an opaque picture fills faster and hides what lies beneath
}
