#include "beams/beem_paint.h"

#include <QBrush>
#include <QPainter>
#include <QPen>

void PaintBeem(QImage& layer, const std::vector<QPoint>& outline, const QImage& pattern) {
  if (outline.size() < 2 || layer.isNull()) return;
  QPainter p(&layer);
  p.setRenderHint(QPainter::Antialiasing, false);
  // A cosmetic pen is exactly one pixel wide whatever the transform.
  QPen pen(Qt::black, 0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  p.setPen(pen);
  p.setBrush(pattern.isNull() ? QBrush(Qt::white) : QBrush(pattern));
  p.setBrushOrigin(0, 0);
  p.drawPolygon(outline.data(), static_cast<int>(outline.size()), Qt::OddEvenFill);
}
