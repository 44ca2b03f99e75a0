#include "beams/beem_paint.h"

#include <QBrush>
#include <QPainter>
#include <QPen>

void PaintBeem(QImage& layer, const std::vector<QPoint>& outline, const QImage& pattern) {
  if (outline.size() < 2 || layer.isNull()) return;
  QPainter p(&layer);
  PaintBeem(p, outline, pattern);
}

void PaintBeem(QPainter& p, const std::vector<QPoint>& outline, const QImage& pattern, bool cosmetic) {
  if (outline.size() < 2) return;
  p.setRenderHint(QPainter::Antialiasing, false);
  // A cosmetic pen is exactly one pixel wide whatever the transform. Its lines are cut where the
  // painter's clip cuts them and may then step otherwise, which a band composed piece by piece
  // must not show; a stroke one pixel wide is filled as a shape and cut as one.
  QPen pen(Qt::black, cosmetic ? 0 : 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  p.setPen(pen);
  p.setBrush(pattern.isNull() ? QBrush(Qt::white) : QBrush(pattern));
  p.setBrushOrigin(0, 0);
  p.drawPolygon(outline.data(), static_cast<int>(outline.size()), Qt::OddEvenFill);
}
