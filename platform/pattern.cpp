#include "platform/pattern.h"

#include <QPainter>

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
